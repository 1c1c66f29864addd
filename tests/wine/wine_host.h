// What the Windows test host adds to the shared harness (tests/support/stats_library.h): entry
// points looked up by hand, kernel handles, files beside the test executable, and tests run as
// child processes.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "tests/support/stats_library.h"

namespace stats_test {

// An export's address as its real function type. GetProcAddress returns a generic function
// pointer; going through void(*)() keeps the cast free of -Wcast-function-type.
template <typename Function>
Function exportAs(void* address) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

// A kernel handle closed when it goes out of scope.
class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (handle_) CloseHandle(handle_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

// The path of a file beside the test executable (the build folder: Stats.dll, test data).
std::string besideTestExecutable(const std::string& name);

// The plug-in beside the test executable loaded by path, not copied, with its entry points.
struct LoadedLibrary {
  LoadedLibrary() {
    library = stats_host::PluginLibrary::load(path, error);
    if (library && !library->resolve(api, error)) library.reset();
  }
  const std::string path = besideTestExecutable(stats_host::pluginFileName());
  std::string error;  // why it did not load, or the entry point it lacks
  std::unique_ptr<stats_host::PluginLibrary> library;
  Exports api{};
};

// The module of a loaded copy of the DLL.
inline HMODULE moduleOf(const StatsLibrary& dll) {
  return static_cast<HMODULE>(dll.nativeHandle());
}

// Runs one test of this executable (a DISABLED_ one, meant only as a child) in a process of its
// own with `folder` as its current directory. Its exit code; nothing when it did not end within
// `limitMs`, and it is then ended.
std::optional<DWORD> runChildTest(const std::string& testName, const std::filesystem::path& folder,
                                  DWORD limitMs);

}  // namespace stats_test
