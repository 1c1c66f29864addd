// What the soak watches of its own process: the heap in use, the resident memory, and the counts
// of threads and of open handles (file descriptors on POSIX), plus the window system's object
// counts where the platform keeps them. Measured at the soak's checkpoints; defined per platform.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace stats_soak {

struct ProcessCounts {
  std::size_t heapBytes = 0;      // bytes in live heap blocks
  std::size_t residentBytes = 0;  // the process's resident (working-set) memory
  int threads = 0;
  // Open handles (file descriptors), GDI and USER objects; nothing where the platform does not
  // report them, or reports zero for a process that certainly holds some: Wine answers 0 to
  // GetGuiResources for every process (and to GetProcessHandleCount, whose count the Windows
  // side then takes by probing).
  std::optional<int> handles;
  std::optional<int> gdiObjects;
  std::optional<int> userObjects;
};

ProcessCounts measureProcess();

// How the heap figure is taken here, for the soak's printout.
std::string heapMeasureName();

}  // namespace stats_soak
