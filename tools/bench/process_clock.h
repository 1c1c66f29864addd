// What the benchmark reads of its own process: the CPU time of the calling thread and the resident
// set size, plus the median it reports of repeated samples.
#pragma once

#include <cstddef>
#include <vector>

namespace stats_bench {

// CPU time of the calling thread in nanoseconds: waiting for the disk or for another process on
// the same core does not count, so the figures hold still on a busy two-core machine.
double threadCpuNanoseconds();

// Wall-clock time in nanoseconds, for what is mostly waiting (a flush to disk).
double wallNanoseconds();

// The cost of one threadCpuNanoseconds() call, taken off single-call samples so that a call of a
// few hundred nanoseconds is not dominated by the clock (reading a CPU clock is a system call).
double cpuClockOverheadNanoseconds();

// Bytes of the process's memory resident in RAM now (/proc/self/statm).
std::size_t residentBytes();

double median(std::vector<double> samples);

// The CPU time `work` takes.
template <typename Work>
double cpuNanoseconds(Work&& work) {
  const double start = threadCpuNanoseconds();
  work();
  return threadCpuNanoseconds() - start;
}

}  // namespace stats_bench
