#include "tests/wine/stats_dll.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <type_traits>
#include <vector>

namespace stats_test {
namespace {

std::string executablePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) throw std::runtime_error("GetModuleFileNameA failed");
    if (length < buffer.size()) return std::string(buffer.data(), length);
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string besideTestExecutable(const std::string& name) {
  const std::string path = executablePath();
  return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

std::optional<DWORD> runChildTest(const std::string& testName, const std::filesystem::path& folder,
                                  DWORD limitMs) {
  std::string commandLine = "\"" + executablePath() +
                            "\" --gtest_brief=1 --gtest_filter=" + testName +
                            " --gtest_also_run_disabled_tests";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.string().c_str(), &startup, &process)) {
    throw std::runtime_error("cannot start " + commandLine + ": error " +
                             std::to_string(GetLastError()));
  }
  const OwnedHandle thread(process.hThread);
  const OwnedHandle child(process.hProcess);
  if (WaitForSingleObject(child.get(), limitMs) != WAIT_OBJECT_0) {
    TerminateProcess(child.get(), 1);
    return std::nullopt;
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(child.get(), &exitCode);
  return exitCode;
}

StatsDll::StatsDll() {
  const std::string source = besideTestExecutable(STATS_DLL_NAME);
  copyPath_ = (copyFolder_.path() / "Stats.dll").string();
  if (!CopyFileA(source.c_str(), copyPath_.c_str(), TRUE)) {
    throw std::runtime_error("cannot copy " + source + " to " + copyPath_ + ": error " +
                             std::to_string(GetLastError()));
  }
  std::string error;
  library_ = stats_host::PluginLibrary::load(copyPath_, error);
  if (!library_) throw std::runtime_error("cannot load " + copyPath_ + ": " + error);
  std::string missing;
  if (!library_->resolve(*this, missing)) {
    ADD_FAILURE() << copyPath_ << " does not export " << missing;
    throw std::runtime_error("missing export " + missing);
  }
}

FARPROC StatsDll::resolve(const char* name) const {
  const FARPROC address = GetProcAddress(module(), name);
  if (!address) {
    ADD_FAILURE() << copyPath_ << " does not export " << name;
    throw std::runtime_error(std::string("missing export ") + name);
  }
  return address;
}

}  // namespace stats_test
