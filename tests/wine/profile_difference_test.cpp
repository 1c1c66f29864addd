// The settings-file script of tests/data run here through kernel32's private-profile functions,
// compared line by line with the transcript of the same script run natively through the POSIX
// store (made at build time beside this executable). Every difference is a place where the
// Linux build would read or write the settings file differently from the Windows build.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/profile_script/profile_script.h"
#include "tests/wine/stats_dll.h"

namespace stats_test {
namespace {

std::string readBesideExecutable(const std::string& name) {
  std::ifstream file(besideTestExecutable(name), std::ios::binary);
  EXPECT_TRUE(file) << "missing " << besideTestExecutable(name);
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) result.push_back(line);
  return result;
}

TEST(ProfileDifference, Kernel32AndThePosixStoreAgreeOnEveryStep) {
  const std::string script = readBesideExecutable("profile_script.txt");
  const std::string posix = readBesideExecutable("profile_script.native.txt");
  ASSERT_FALSE(script.empty());
  ASSERT_FALSE(posix.empty());

  std::string windows;
  {
    ScratchFolder scratch;
    windows = profile_script::run(script, stats::makePlatformProfileStore);
  }
  // Kept beside the other transcript, for a look with diff.
  std::ofstream(besideTestExecutable("profile_script.windows.txt"), std::ios::binary) << windows;

  const std::vector<std::string> windowsLines = lines(windows);
  const std::vector<std::string> posixLines = lines(posix);
  for (size_t index = 0; index < std::max(windowsLines.size(), posixLines.size()); ++index) {
    const std::string kernel32 = index < windowsLines.size() ? windowsLines[index] : "<none>";
    const std::string native = index < posixLines.size() ? posixLines[index] : "<none>";
    EXPECT_EQ(kernel32, native) << "kernel32 (left) and the POSIX store (right) differ";
  }
}

}  // namespace
}  // namespace stats_test
