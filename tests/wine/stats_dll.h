// Test host side of the Windows DLL: loads a private copy of Stats.dll (so its process-wide state
// starts clean for each scenario), resolves the exports, and passes a contest start and QSOs as
// the logger does. Each scenario runs in a ScratchFolder (tests/support/scratch_folder.h): a
// current directory with a Plugins folder, as the logger's program folder would be.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "api/stats_api.h"
#include "api/stats_exports.h"
#include "host/plugin_library.h"
#include "tests/support/scratch_folder.h"

namespace stats_test {

using stats_host::ExportName;
using stats_host::Exports;
using stats_host::kExportNames;
using stats_host::resolveExports;

// An export's address as its real function type. GetProcAddress returns a generic function
// pointer; going through void(*)() keeps the cast free of -Wcast-function-type.
template <typename Function>
Function exportAs(FARPROC address) {
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

class StatsDll : public Exports {
 public:
  // Copies STATS_DLL_NAME (found beside the test executable) and loads the copy through the host
  // library; unloaded with the object, and the copy goes with its folder.
  StatsDll();

  HMODULE module() const { return static_cast<HMODULE>(library_->nativeHandle()); }
  FARPROC resolve(const char* name) const;  // fails the test when the name is not exported

 private:
  ScratchFolder copyFolder_{{.pluginsFolder = false, .makeCurrent = false}};
  std::string copyPath_;
  std::unique_ptr<stats_host::PluginLibrary> library_;
};

// The path of a file beside the test executable (the build folder: Stats.dll, test data).
std::string besideTestExecutable(const std::string& name);

// Runs one test of this executable (a DISABLED_ one, meant only as a child) in a process of its
// own with `folder` as its current directory. Its exit code; nothing when it did not end within
// `limitMs`, and it is then ended.
std::optional<DWORD> runChildTest(const std::string& testName, const std::filesystem::path& folder,
                                  DWORD limitMs);

// The arguments of a QSO that the plug-in reads. Every date-time argument gets the QSO's time;
// everything else is passed empty or zero.
struct Qso {
  const char* call;
  const char* band;
  const char* dxccPrefix;
  const char* callPrefix;
  const char* mode = "CW";
  const char* sentSerial = "001";
  const char* receivedExchange = "001";
  unsigned frequencyHz = 3510000;
  double day = 46300.25;  // days since 1899-12-30
};

// Passes the QSO to AddData0 or RemoveData0, however the function was looked up.
template <typename AddOrRemove>
int passQso(AddOrRemove function, const Qso& qso) {
  COleDateTime time{qso.day, COleDateTimeValid};
  return function("", qso.call, &time, &time, &time, &time, 0u, qso.frequencyHz, qso.mode, "", "",
                  qso.sentSerial, qso.receivedExchange, "", "", "", "", "", "", "", "",
                  qso.callPrefix, qso.dxccPrefix, 0, 0, 0, 0.0, 0.0, "", "", "", qso.band, "");
}

// A contest start through ResetStats0, with the own DXCC prefix and call and the export request.
inline int startContest(decltype(&::ResetStats0) function, const char* ownDxccPrefix,
                        int exportRequest = 0, const char* ownCall = "ON4ZZ") {
  COleDateTime unused{0.0, COleDateTimeValid};
  return function("", exportRequest, ownCall, &unused, &unused, "", "", "", "", "", "", "", "", "",
                  ownDxccPrefix, 0, 0, 0, 0.0, 0.0, "", "", "");
}

}  // namespace stats_test
