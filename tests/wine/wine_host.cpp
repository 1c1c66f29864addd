#include "tests/wine/wine_host.h"

#include <stdexcept>
#include <string>

#include "host/plugin_library.h"

namespace stats_test {

std::string besideTestExecutable(const std::string& name) {
  return stats_host::executableFolder() + "\\" + name;
}

std::optional<DWORD> runChildTest(const std::string& testName, const std::filesystem::path& folder,
                                  DWORD limitMs) {
  std::string commandLine = "\"" + stats_host::executablePath() +
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

}  // namespace stats_test
