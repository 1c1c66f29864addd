// The POSIX settings file store against the behaviour of the Windows private-profile functions.
// Windows builds use those functions themselves, so these tests are POSIX only.
#ifndef _WIN32

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "plugin/diagnostics.h"
#include "plugin/profile.h"
#include "plugin/settings.h"
#include "tests/support/scratch_folder.h"

namespace {

namespace fs = std::filesystem;

// Each test runs in a fresh scratch directory holding an empty "Plugins" folder.
class ProfilePosix : public testing::Test {
 protected:
  static void put(const std::string& bytes) { std::ofstream("Plugins/ZRV.ini") << bytes; }
  static std::string contents() { return stats_test::readBytes("Plugins/ZRV.ini").value_or(""); }
  static std::set<std::string> pluginFiles() {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator("Plugins")) {
      names.insert(entry.path().filename().string());
    }
    return names;
  }

  stats_test::ScratchFolder scratch_;
  std::unique_ptr<stats::ProfileStore> store_ = stats::makePlatformProfileStore("Plugins\\ZRV.ini");
};

TEST_F(ProfilePosix, MissingFileSectionOrKeyReadsDefaultWithoutTrailingSpaces) {
  EXPECT_EQ(store_->read("Settings", "Key", " a b  "), " a b");
  put("[Other]\nKey=1\n[Settings]\nEmpty=\n;Key=2\nKey\n");
  EXPECT_EQ(store_->read("Missing", "Key", "d\t "), "d\t");
  EXPECT_EQ(store_->read("Settings", "Key", "d"), "d");  // comment and '='-less line are no keys
  EXPECT_EQ(store_->read("Settings", "Empty", "d"), "");
}

TEST_F(ProfilePosix, MatchesNamesIgnoringCaseAndBlanks) {
  put("[ Settings\t]\r\n  Call\t=  \tDL1 ABC \t\r\n");
  EXPECT_EQ(store_->read("settings", "CALL", ""), "DL1 ABC");
}

TEST_F(ProfilePosix, FirstKeyAndFirstSectionWin) {
  put("[S]\nk=first\nk=second\n[s]\nk=third\nj=other\n");
  EXPECT_EQ(store_->read("S", "k", ""), "first");
  EXPECT_EQ(store_->read("S", "j", "d"), "d");
  ASSERT_TRUE(store_->write("s", "K", "new"));
  EXPECT_EQ(contents(), "[S]\r\nk=new\r\nk=second\r\n[s]\r\nk=third\r\nj=other\r\n");
}

TEST_F(ProfilePosix, ReadsLineEndsAndBytesAsTheyAre) {
  const std::string value = "\xC4\xD6 \xC3\xA4 " + std::string(5000, 'x');
  put("\xEF\xBB\xBF[A]\r\na=1\nb=" + value + "\r\n[B]\nc=3");
  EXPECT_EQ(store_->read("A", "a", ""), "1");
  EXPECT_EQ(store_->read("A", "b", ""), value);
  EXPECT_EQ(store_->read("B", "c", ""), "3");
  ASSERT_TRUE(store_->write("B", "c", "4"));
  EXPECT_EQ(contents(), "\xEF\xBB\xBF[A]\r\na=1\r\nb=" + value + "\r\n[B]\r\nc=4\r\n");
}

TEST_F(ProfilePosix, StripsOneMatchingPairOfQuotes) {
  put("[S]\na=\" x \"\nb='y'\nc=\"z'\nd=\"\ne=\"\"\nf=\"\"\"\n");
  EXPECT_EQ(store_->read("S", "a", ""), " x ");
  EXPECT_EQ(store_->read("S", "b", ""), "y");
  EXPECT_EQ(store_->read("S", "c", ""), "\"z'");
  EXPECT_EQ(store_->read("S", "d", ""), "\"");
  EXPECT_EQ(store_->read("S", "e", "d"), "");
  EXPECT_EQ(store_->read("S", "f", ""), "\"");
}

TEST_F(ProfilePosix, WriteCreatesFileAndSectionButNotFolder) {
  ASSERT_TRUE(store_->write("Settings", "Key", "1"));
  EXPECT_EQ(contents(), "[Settings]\r\nKey=1\r\n");

  fs::remove_all("Plugins");
  EXPECT_FALSE(store_->write("Settings", "Key", "1"));
  EXPECT_FALSE(fs::exists("Plugins"));
}

TEST_F(ProfilePosix, UpdateChangesOnlyItsLineAndWritesCrLf) {
  put("; top\n\n[Settings]\n  key = old ; kept? \nOther= x \n\n[Next]\nkey=n\n# odd line");
  ASSERT_TRUE(store_->write("SETTINGS", "Key", "new"));
  EXPECT_EQ(contents(),
            "; top\r\n\r\n[Settings]\r\nkey=new\r\nOther= x \r\n\r\n[Next]\r\nkey=n\r\n"
            "# odd line\r\n");
}

TEST_F(ProfilePosix, NewKeyGoesToTheEndOfItsSectionAndNewSectionToTheEnd) {
  put("[A]\r\na=1\r\n; note\r\n\r\n[B]\r\nb=2");
  ASSERT_TRUE(store_->write("a", "n", "  lead and trail  "));
  ASSERT_TRUE(store_->write("C", "c", "3"));
  EXPECT_EQ(contents(),
            "[A]\r\na=1\r\n; note\r\nn=lead and trail  \r\n\r\n[B]\r\nb=2\r\n\r\n[C]\r\nc=3\r\n");
  EXPECT_EQ(store_->read("A", "n", ""), "lead and trail");
}

TEST_F(ProfilePosix, SameValueLeavesTheFileUntouched) {
  put("[S]\nk = v\n");
  ASSERT_TRUE(store_->write("S", "k", "v"));
  EXPECT_EQ(contents(), "[S]\nk = v\n");
}

TEST_F(ProfilePosix, LineBreakCutsTheValue) {
  ASSERT_TRUE(store_->write("S", "k", "a\r\n[X]\nb=c"));
  EXPECT_EQ(contents(), "[S]\r\nk=a\r\n");
}

TEST_F(ProfilePosix, WritesLeaveNoTemporaryFileAndKeepPermissions) {
  put("[S]\n");
  fs::permissions("Plugins/ZRV.ini",
                  fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(store_->write("S", "k", std::to_string(i)));
  EXPECT_EQ(pluginFiles(), std::set<std::string>{"ZRV.ini"});
  EXPECT_EQ(fs::status("Plugins/ZRV.ini").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST_F(ProfilePosix, ResolvesAgainstTheCurrentDirectoryOfEachCall) {
  fs::create_directories("other/Plugins");
  fs::current_path("other");
  ASSERT_TRUE(store_->write("S", "k", "1"));
  fs::current_path("..");
  EXPECT_TRUE(fs::exists("other/Plugins/ZRV.ini"));
  EXPECT_FALSE(fs::exists("Plugins/ZRV.ini"));
}

TEST_F(ProfilePosix, ConcurrentWritesLoseNothing) {
  constexpr int kKeys = 40;
  auto writeKeys = [this](const std::string& prefix) {
    for (int i = 0; i < kKeys; ++i) store_->write("S", prefix + std::to_string(i), "v");
  };
  std::thread host(writeKeys, "host");
  std::thread window(writeKeys, "window");
  host.join();
  window.join();
  for (int i = 0; i < kKeys; ++i) {
    EXPECT_EQ(store_->read("S", "host" + std::to_string(i), "missing"), "v");
    EXPECT_EQ(store_->read("S", "window" + std::to_string(i), "missing"), "v");
  }
  EXPECT_EQ(pluginFiles(), std::set<std::string>{"ZRV.ini"});
}

// What is under Plugins: each link with its target, each folder, each file with its bytes.
std::set<std::string> pluginEntries() {
  std::set<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator("Plugins")) {
    const std::string name = entry.path().string();
    if (entry.is_symlink()) {
      entries.insert(name + " -> " + fs::read_symlink(entry.path()).string());
    } else if (entry.is_directory()) {
      entries.insert(name + "/");
    } else {
      entries.insert(name + ": " + stats_test::readBytes(entry.path()).value_or("<unreadable>"));
    }
  }
  return entries;
}

// A settings file that is there but cannot be read is neither replaced nor emptied by a write (a
// rename over a link would put a file in its place), and the failed write is traced.
TEST_F(ProfilePosix, WriteLeavesAnUnreadableFileAsItIsAndIsTraced) {
  const struct {
    const char* name;
    void (*make)();
  } cases[] = {
      {"a folder",
       [] {
         fs::create_directory("Plugins/ZRV.ini");
         std::ofstream("Plugins/ZRV.ini/kept") << "[Settings]\nMode=SSB\n";
       }},
      {"a link to itself", [] { fs::create_symlink("ZRV.ini", "Plugins/ZRV.ini"); }},
      {"two links to each other",
       [] {
         fs::create_symlink("other.ini", "Plugins/ZRV.ini");
         fs::create_symlink("ZRV.ini", "Plugins/other.ini");
       }},
  };
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    fs::remove_all("Plugins");
    fs::create_directory("Plugins");
    example.make();
    const std::set<std::string> before = pluginEntries();

    const stats::TraceCapture traces;
    stats::Settings(*store_).writeText("Mode", "CW");
    EXPECT_EQ(pluginEntries(), before);
    EXPECT_TRUE(traces.contains("could not write Mode to Plugins\\ZRV.ini"));
    EXPECT_EQ(store_->read("Settings", "Mode", "none"), "none");
  }
}

}  // namespace

#endif  // _WIN32
