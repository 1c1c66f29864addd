// The soak's process counts on Windows: the heap as the sum of the busy blocks of every heap of
// the process (the C runtime's included), the working set, the threads of this process in a
// tool-help snapshot, the open handles, and the GDI and USER object counts.
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdint>
#include <vector>

#include "tests/soak/process_counts.h"

namespace stats_soak {
namespace {

std::size_t busyHeapBytes() {
  std::vector<HANDLE> heaps(64);
  DWORD count = GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
  if (count > heaps.size()) {
    heaps.resize(count);
    count = GetProcessHeaps(count, heaps.data());
  }
  std::size_t busy = 0;
  for (DWORD i = 0; i < count && i < heaps.size(); ++i) {
    if (!HeapLock(heaps[i])) continue;
    PROCESS_HEAP_ENTRY entry{};
    while (HeapWalk(heaps[i], &entry)) {
      if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) busy += entry.cbData;
    }
    HeapUnlock(heaps[i]);
  }
  return busy;
}

int threadsOfThisProcess() {
  const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  int threads = 0;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++threads;
  }
  CloseHandle(snapshot);
  return threads;
}

// A count the process certainly has some of (it holds files, windows and device contexts): zero
// means the platform does not count them.
std::optional<int> counted(DWORD count) {
  if (count == 0) return std::nullopt;
  return static_cast<int>(count);
}

// Where GetProcessHandleCount answers 0 (Wine), the handles are counted one by one: handle values
// are multiples of 4 handed out lowest first, and GetHandleInformation accepts exactly the open
// ones. The first 16,384 values hold every handle of a test process.
int openHandlesByProbing() {
  int open = 0;
  for (std::uintptr_t value = 4; value < 4 * 16'384; value += 4) {
    DWORD flags = 0;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++open;
  }
  return open;
}

}  // namespace

ProcessCounts measureProcess() {
  ProcessCounts counts;
  counts.heapBytes = busyHeapBytes();
  PROCESS_MEMORY_COUNTERS memory{};
  if (K32GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory)) {
    counts.residentBytes = memory.WorkingSetSize;
  }
  counts.threads = threadsOfThisProcess();
  DWORD handles = 0;
  if (!GetProcessHandleCount(GetCurrentProcess(), &handles) || handles == 0) {
    handles = static_cast<DWORD>(openHandlesByProbing());
  }
  counts.handles = counted(handles);
  counts.gdiObjects = counted(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
  counts.userObjects = counted(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
  return counts;
}

std::string heapMeasureName() {
  return "busy blocks of every heap (HeapWalk)";
}

}  // namespace stats_soak
