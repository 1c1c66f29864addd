// The settings-file script of tests/data run here through kernel32's private-profile functions,
// compared line by line with the transcript of the same script run natively through the POSIX
// store (made at build time beside this executable). Every difference is a place where the
// Linux build would read or write the settings file differently from the Windows build.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "core/settings/profile.h"
#include "tests/profile_script/profile_script.h"
#include "tests/wine/wine_host.h"

namespace stats_test {
namespace {

std::string readBesideExecutable(const std::string& name) {
  const std::optional<std::string> bytes = readBytes(besideTestExecutable(name));
  EXPECT_TRUE(bytes) << "missing " << besideTestExecutable(name);
  return bytes.value_or("");
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
  writeBytes(besideTestExecutable("profile_script.windows.txt"), windows);

  const std::vector<std::string> windowsLines = lines(windows);
  const std::vector<std::string> posixLines = lines(posix);
  for (size_t index = 0; index < std::max(windowsLines.size(), posixLines.size()); ++index) {
    const std::string kernel32 = index < windowsLines.size() ? windowsLines[index] : "<none>";
    const std::string native = index < posixLines.size() ? posixLines[index] : "<none>";
    EXPECT_EQ(kernel32, native) << "kernel32 (left) and the POSIX store (right) differ";
  }
}

// Line ends, NUL bytes and blanks in a settings file written by hand, as kernel32 reads them. The
// POSIX store's file table (tests/platform/posix/profile_store_test.cpp) reads the same bytes the
// same way. As settled here: a CR, an LF and a CR LF each end a line wherever they stand (so a CR
// CR LF leaves an empty line, and a CR inside a value or a key ends it); a name or a value ends at
// a NUL; blanks are space, tab, VT, FF and Ctrl-Z, but not the no-break space.
TEST(ProfileDifference, LineEndsNulBytesAndBlanks) {
  using namespace std::string_literals;
  const struct {
    const char* name;
    std::string bytes;
    const char* mode;  // what Mode reads; "none" when missing
  } cases[] = {
      {"CR line ends", "[Settings]\rMode=CW\rStart=1\r", "CW"},
      {"LF line ends", "[Settings]\nMode=CW\nStart=1", "CW"},
      {"CR CR LF line ends", "[Settings]\r\r\nMode=CW\r\r\n", "CW"},
      {"CR, then LF line ends", "[Settings]\rMode=CW\nStart=1\n", "CW"},
      {"LF CR line ends", "[Settings]\n\rMode=CW\n\r", "CW"},
      {"a lone CR inside a value", "[Settings]\r\nMode=CW\rSSB x\r\n", "CW"},
      {"a lone LF inside a value", "[Settings]\r\nMode=CW\nSSB x\r\n", "CW"},
      {"a CR inside the key", "[Settings]\r\nMo\rde=CW\r\n", "none"},
      {"a CR inside the section name", "[Sett\rings]\r\nMode=CW\r\n", "none"},
      {"NUL bytes", "[Settings]\r\nMode=CW\0junk\r\n\0\r\n"s, "CW"},
      {"a NUL inside the key", "[Settings]\r\nMode\0x=CW\r\n"s, "CW"},
      {"a NUL inside the section name", "[Settings\0x]\r\nMode=CW\r\n"s, "CW"},
      {"blanks and quotes", " [ Settings ]\t\r\n\t Mode \v=  \" CW \"\f \x1A\r\n", " CW "},
      {"no-break spaces",
       "[Settings]\r\nMode=\xA0"
       "CW\xA0\r\n",
       "\xA0"
       "CW\xA0"},
  };
  ScratchFolder scratch;
  int number = 0;
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    // A file of its own for each case: Wine keeps the last file it read in memory.
    const std::string name = "LineEnds" + std::to_string(++number) + ".ini";
    writeBytes(std::filesystem::path("Plugins") / name, example.bytes);
    const auto store = stats::makePlatformProfileStore("Plugins\\" + name);
    EXPECT_EQ(store->read("Settings", "Mode", "none"), example.mode);
  }
}

}  // namespace
}  // namespace stats_test
