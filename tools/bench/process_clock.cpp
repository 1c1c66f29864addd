#include "tools/bench/process_clock.h"

#include <fcntl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace stats_bench {
namespace {

double nanoseconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

}  // namespace

double threadCpuNanoseconds() {
  return nanoseconds(CLOCK_THREAD_CPUTIME_ID);
}

double wallNanoseconds() {
  return nanoseconds(CLOCK_MONOTONIC);
}

double cpuClockOverheadNanoseconds() {
  std::vector<double> samples;
  samples.reserve(1001);
  for (int sample = 0; sample < 1001; ++sample) {
    samples.push_back(cpuNanoseconds([] {}));
  }
  return median(std::move(samples));
}

// Read with plain system calls into a buffer on the stack: the reading itself must not allocate,
// or it would show up in the growth it measures.
std::size_t residentBytes() {
  const int fd = ::open("/proc/self/statm", O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error("cannot open /proc/self/statm");
  char text[128] = {};
  const ssize_t length = ::read(fd, text, sizeof text - 1);
  ::close(fd);
  unsigned long sizePages = 0, residentPages = 0;
  if (length <= 0 || std::sscanf(text, "%lu %lu", &sizePages, &residentPages) != 2) {
    throw std::runtime_error("cannot read /proc/self/statm");
  }
  return residentPages * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
}

double median(std::vector<double> samples) {
  if (samples.empty()) return 0.0;
  const auto middle = samples.begin() + static_cast<std::ptrdiff_t>(samples.size() / 2);
  std::nth_element(samples.begin(), middle, samples.end());
  if (samples.size() % 2 == 1) return *middle;
  return (*middle + *std::max_element(samples.begin(), middle)) / 2.0;
}

}  // namespace stats_bench
