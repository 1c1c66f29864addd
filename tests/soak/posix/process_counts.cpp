// The soak's process counts on Linux: the heap from the allocator in use (AddressSanitizer's own
// when the build carries it, whose quarantine keeps freed blocks out of reach for a while and
// would make the resident size drift), the rest from /proc/self.
#include <malloc.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/soak/process_counts.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's count of bytes in live blocks (GCC ships no header declaring it).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace stats_soak {
namespace {

// A "Name:   value" line of /proc/self/status, as a number; 0 when missing.
long statusField(const std::string& name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(name + ":", 0) == 0) return std::stol(line.substr(name.size() + 1));
  }
  return 0;
}

int openDescriptors() {
  int count = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator entry("/proc/self/fd", error), end;
       !error && entry != end; entry.increment(error)) {
    ++count;
  }
  return count - 1;  // the one the listing itself holds open
}

}  // namespace

ProcessCounts measureProcess() {
  ProcessCounts counts;
#if defined(__SANITIZE_ADDRESS__)
  counts.heapBytes = __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 heap = mallinfo2();
  counts.heapBytes = heap.uordblks + heap.hblkhd;
#endif
  counts.residentBytes = static_cast<std::size_t>(statusField("VmRSS")) * 1024;
  counts.threads = static_cast<int>(statusField("Threads"));
  counts.handles = openDescriptors();
  return counts;
}

std::string heapMeasureName() {
#if defined(__SANITIZE_ADDRESS__)
  return "AddressSanitizer's allocated bytes";
#else
  return "mallinfo2 (all arenas, mapped blocks included)";
#endif
}

}  // namespace stats_soak
