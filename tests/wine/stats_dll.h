// Test host side of the Windows DLL: loads a private copy of Stats.dll (so its process-wide state
// starts clean for each scenario), resolves the exports, and runs each scenario in a scratch
// current directory with a Plugins folder, as the logger's program folder would be.
#pragma once

#include <windows.h>

#include <string>

#include "plugin/stats_api.h"
#include "tests/stats_exports.h"

namespace stats_test {

// An export's address as its real function type. GetProcAddress returns a generic function
// pointer; going through void(*)() keeps the cast free of -Wcast-function-type.
template <typename Function>
Function exportAs(FARPROC address) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(address));
}

class StatsDll : public Exports {
 public:
  StatsDll();   // copies STATS_DLL_NAME (found beside the test executable) and loads the copy
  ~StatsDll();  // FreeLibrary, then deletes the copy
  StatsDll(const StatsDll&) = delete;
  StatsDll& operator=(const StatsDll&) = delete;

  HMODULE module() const { return module_; }
  FARPROC resolve(const char* name) const;  // fails the test when the name is not exported

 private:
  std::string copyPath_;
  HMODULE module_ = nullptr;
};

// A fresh temporary directory made current for the scenario, with an empty Plugins folder;
// the previous current directory is restored and the scratch tree removed afterwards.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::string& path() const { return path_; }
  std::string readFile(const std::string& relativeName) const;  // bytes, "" when missing
  void writeFile(const std::string& relativeName, const std::string& bytes) const;

 private:
  std::string previous_;
  std::string path_;
};

// The path of a file beside the test executable (the build folder: Stats.dll, test data).
std::string besideTestExecutable(const std::string& name);

}  // namespace stats_test
