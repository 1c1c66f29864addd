// The POSIX settings file store against the behaviour of the Windows private-profile functions.
// Windows builds use those functions themselves, so these tests are POSIX only.

#include <fcntl.h>
#include <linux/fs.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "core/settings/profile.h"
#include "core/settings/settings.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/trace_capture.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

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

// What the scratch folder holds, entry by entry, without following links: the kind of each entry
// (type, owner, mode, link count, a link's target) and a regular file's bytes. FIFOs and devices
// are never opened.
struct Entry {
  std::string kind;
  std::string bytes;
  bool operator==(const Entry&) const = default;
  friend void PrintTo(const Entry& entry, std::ostream* out) {
    *out << entry.kind << ", " << entry.bytes.size() << " bytes";
    if (entry.bytes.size() < 80) *out << ": " << testing::PrintToString(entry.bytes);
  }
};
using FolderState = std::map<std::string, Entry>;

FolderState folderState() {
  FolderState state;
  for (const auto& item : fs::recursive_directory_iterator(".")) {
    const std::string name = item.path().lexically_relative(".").string();
    struct stat info {};
    if (::lstat(name.c_str(), &info) != 0) continue;
    Entry entry;
    entry.kind = std::to_string(info.st_mode & S_IFMT) + " " + std::to_string(info.st_uid) + ":" +
                 std::to_string(info.st_gid) + " " + std::to_string(info.st_mode & 07777) +
                 " links " + std::to_string(info.st_nlink);
    if (S_ISLNK(info.st_mode)) entry.kind += " -> " + fs::read_symlink(name).string();
    if (S_ISREG(info.st_mode)) entry.bytes = stats_test::readBytes(name).value_or("<unreadable>");
    state[name] = entry;
  }
  return state;
}

void put(const fs::path& file, std::string_view bytes) {
  stats_test::writeBytes(file, bytes);
}

constexpr uid_t kOtherUser = 12345;  // an owner that is not the one running the tests

std::string largeFile(std::string_view mode) {
  std::string text = "[Junk]\r\n";
  for (int line = 0; text.size() < 10'000'000; ++line) {
    text += "key" + std::to_string(line) + "=a value of the kind a large file holds\r\n";
  }
  return text + "[Settings]\r\nMode=" + std::string(mode) + "\r\n";
}

// Writes Mode=SSB through the plug-in's settings; true when no failure was traced.
bool writeMode() {
  const auto store = stats::makePlatformProfileStore("Plugins\\ZRV.ini");
  const stats_test::TraceCapture traces;
  stats::Settings(*store).writeText("Mode", "SSB");
  const bool traced = traces.contains("could not write Mode to Plugins/ZRV.ini");
  EXPECT_EQ(traces.lines().size(), traced ? 1u : 0u);
  return !traced;
}

// The same in a child process that cannot make a file grow past `limit` bytes: a disk that fills
// up, or a crash, in the middle of the write.
bool writeModeCutOffAt(rlim_t limit) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit size{limit, limit};
    ::_exit(::setrlimit(RLIMIT_FSIZE, &size) == 0 && writeMode() ? 0 : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// Every kind of thing that can stand where the settings file belongs, read and then written: what
// Mode reads, whether writing it succeeds (a failure is traced), and what the folder holds after.
// A write that fails changes nothing at all; one that succeeds changes the bytes of the settings
// file (`holders`: each name it has, a link's target) and nothing else, not even its owner, mode
// or links. Each case runs in a fresh scratch folder.
TEST(ProfilePosixFiles, EveryFileIsReadAndWrittenAsItMayBe) {
  const struct {
    const char* name;
    std::function<void()> make;
    const char* modeBefore;  // "none": what a missing file reads
    bool written;
    std::vector<std::string> holders;
    std::optional<std::string> textAfter;  // nothing: not shorter than before, nothing else
    rlim_t sizeLimit = 0;                  // the write is cut off there
  } cases[] = {
      {"no file", [] {}, "none", true, {"Plugins/ZRV.ini"}, "[Settings]\r\nMode=SSB\r\n"},
      {"no Plugins folder", [] { fs::remove("Plugins"); }, "none", false, {}, {}},
      {"a folder",
       [] {
         fs::create_directory("Plugins/ZRV.ini");
         put("Plugins/ZRV.ini/kept", "[Settings]\nMode=CW\n");
       },
       "none",
       false,
       {},
       {}},
      {"a link to itself",
       [] { fs::create_symlink("ZRV.ini", "Plugins/ZRV.ini"); },
       "none",
       false,
       {},
       {}},
      {"two links to each other",
       [] {
         fs::create_symlink("other.ini", "Plugins/ZRV.ini");
         fs::create_symlink("ZRV.ini", "Plugins/other.ini");
       },
       "none",
       false,
       {},
       {}},
      {"a FIFO", [] { ASSERT_EQ(::mkfifo("Plugins/ZRV.ini", 0666), 0); }, "none", false, {}, {}},
      {"a link to a device",
       [] { fs::create_symlink("/dev/zero", "Plugins/ZRV.ini"); },
       "none",
       false,
       {},
       {}},
      {"a link to a file in another folder",
       [] {
         fs::create_directory("elsewhere");
         put("elsewhere/real.ini", "[Settings]\r\nMode=CW\r\n");
         fs::create_symlink("../elsewhere/real.ini", "Plugins/ZRV.ini");
       },
       "CW",
       true,
       {"elsewhere/real.ini"},
       "[Settings]\r\nMode=SSB\r\n"},
      {"a link to no file yet",
       [] {
         fs::create_directory("elsewhere");
         fs::create_symlink("../elsewhere/new.ini", "Plugins/ZRV.ini");
       },
       "none",
       true,
       {"elsewhere/new.ini"},
       "[Settings]\r\nMode=SSB\r\n"},
      {"a file with a second hard link",
       [] {
         put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\r\n");
         fs::create_hard_link("Plugins/ZRV.ini", "Plugins/other.ini");
       },
       "CW",
       true,
       {"Plugins/ZRV.ini", "Plugins/other.ini"},
       "[Settings]\r\nMode=SSB\r\n"},
      {"another owner's file that others may write",
       [] {
         put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\r\n");
         ASSERT_EQ(::chown("Plugins/ZRV.ini", kOtherUser, kOtherUser), 0);
         fs::permissions("Plugins/ZRV.ini", fs::perms(0666));
       },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\n"},
      {"another owner's file that others may only read",
       [] {
         put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\r\n");
         ASSERT_EQ(::chown("Plugins/ZRV.ini", kOtherUser, kOtherUser), 0);
         fs::permissions("Plugins/ZRV.ini", fs::perms(0644));
       },
       "CW",
       false,
       {},
       {}},
      {"an own read-only file",
       [] {
         put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\r\n");
         fs::permissions("Plugins/ZRV.ini", fs::perms(0444));
       },
       "CW",
       false,
       {},
       {}},
      {"an own file of another group, mode 0640",
       [] {
         put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\r\n");
         ASSERT_EQ(::chown("Plugins/ZRV.ini", ::geteuid(), kOtherUser), 0);
         fs::permissions("Plugins/ZRV.ini", fs::perms(0640));
       },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\n"},
      {"a write cut off in the middle",
       [] { put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\r\nStart=1\r\n"); },
       "CW",
       false,
       {},
       {},
       12},
      {"a write cut off in the middle of a file with two links",
       [] {
         put("Plugins/ZRV.ini", "[Settings]\r\nName=Jan Peeters\r\nMode=CW\r\n");
         fs::create_hard_link("Plugins/ZRV.ini", "Plugins/other.ini");
       },
       "CW",
       false,
       {"Plugins/ZRV.ini", "Plugins/other.ini"},
       "[Settings]\r\nName=Jan Peeters\r\nMode=CW\r\n",  // the longer text found no room
       37},                                              // past "Mode=" of the old text
      {"binary garbage",
       [] { put("Plugins/ZRV.ini", "\x01\x02\xFF\xFE[Settings]\r\nMode=CW"); },
       "none",
       true,
       {"Plugins/ZRV.ini"},
       "\x01\x02\xFF\xFE[Settings]\r\nMode=CW\r\n\r\n[Settings]\r\nMode=SSB\r\n"},
      {"NUL bytes",
       [] { put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\0junk\r\n\0\r\n"s); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\n\0\r\n"s},
      {"no section of that name",
       [] { put("Plugins/ZRV.ini", "[Other]\r\nMode=CW\r\n"); },
       "none",
       true,
       {"Plugins/ZRV.ini"},
       "[Other]\r\nMode=CW\r\n\r\n[Settings]\r\nMode=SSB\r\n"},
      {"duplicate sections and keys",
       [] {
         put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\r\nmode=XX\r\n[SETTINGS]\r\nMode=YY\r\n");
       },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\nmode=XX\r\n[SETTINGS]\r\nMode=YY\r\n"},
      {"a byte order mark",
       [] { put("Plugins/ZRV.ini", "\xEF\xBB\xBF[Settings]\r\nMode=CW\r\n"); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "\xEF\xBB\xBF[Settings]\r\nMode=SSB\r\n"},
      {"blanks and quotes",
       [] { put("Plugins/ZRV.ini", " [ Settings ]\t\r\n\t Mode \v=  \" CW \"\f \x1A\r\n"); },
       " CW ",
       true,
       {"Plugins/ZRV.ini"},
       " [ Settings ]\t\r\nMode=SSB\r\n"},
      {"CR line ends",
       [] { put("Plugins/ZRV.ini", "[Settings]\rMode=CW\rStart=1\r"); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\nStart=1\r\n"},
      {"LF line ends",
       [] { put("Plugins/ZRV.ini", "[Settings]\nMode=CW\nStart=1"); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\nStart=1\r\n"},
      {"CR CR LF line ends",
       [] { put("Plugins/ZRV.ini", "[Settings]\r\r\nMode=CW\r\r\n"); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\n\r\nMode=SSB\r\n\r\n"},
      {"a lone CR inside a value",
       [] { put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\rSSB x\r\n"); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\nSSB x\r\n"},
      {"CR, then LF line ends",
       [] { put("Plugins/ZRV.ini", "[Settings]\rMode=CW\nStart=1\n"); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\nStart=1\r\n"},
      {"LF CR line ends",
       [] { put("Plugins/ZRV.ini", "[Settings]\n\rMode=CW\n\r"); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\n\r\nMode=SSB\r\n\r\n"},
      {"a lone LF inside a value",
       [] { put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\nSSB x\r\n"); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\nSSB x\r\n"},
      {"a CR inside the key",
       [] { put("Plugins/ZRV.ini", "[Settings]\r\nMo\rde=CW\r\n"); },
       "none",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMo\r\nde=CW\r\nMode=SSB\r\n"},
      {"a CR inside the section name",
       [] { put("Plugins/ZRV.ini", "[Sett\rings]\r\nMode=CW\r\n"); },
       "none",
       true,
       {"Plugins/ZRV.ini"},
       "[Sett\r\nings]\r\nMode=CW\r\n\r\n[Settings]\r\nMode=SSB\r\n"},
      {"a NUL inside the key",
       [] { put("Plugins/ZRV.ini", "[Settings]\r\nMode\0x=CW\r\n"s); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\n"},
      {"a NUL inside the section name",
       [] { put("Plugins/ZRV.ini", "[Settings\0x]\r\nMode=CW\r\n"s); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings\0x]\r\nMode=SSB\r\n"s},
      {"no-break spaces",
       [] {
         put("Plugins/ZRV.ini",
             "[Settings]\r\nMode=\xA0"
             "CW\xA0\r\n");
       },
       "\xA0"
       "CW\xA0",
       true,
       {"Plugins/ZRV.ini"},
       "[Settings]\r\nMode=SSB\r\n"},
      {"10 MB before the section",
       [] { put("Plugins/ZRV.ini", largeFile("CW")); },
       "CW",
       true,
       {"Plugins/ZRV.ini"},
       largeFile("SSB")},
  };
  // A blocking open of a FIFO would hang here: the alarm then ends the test program instead.
  ::alarm(120);
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    const stats_test::ScratchFolder scratch;
    example.make();
    const FolderState before = folderState();
    const auto store = stats::makePlatformProfileStore("Plugins\\ZRV.ini");
    EXPECT_EQ(store->read("Settings", "Mode", "none"), example.modeBefore);

    const bool written =
        example.sizeLimit != 0 ? writeModeCutOffAt(example.sizeLimit) : writeMode();
    EXPECT_EQ(written, example.written);
    EXPECT_EQ(store->read("Settings", "Mode", "none"), written ? "SSB" : example.modeBefore);

    FolderState after = folderState();
    for (const std::string& holder : example.holders) {
      SCOPED_TRACE(holder);
      if (!after.contains(holder)) {
        ADD_FAILURE() << "missing";
        continue;
      }
      if (example.textAfter) {
        EXPECT_EQ(after[holder].bytes, *example.textAfter);
      } else {
        EXPECT_GE(after[holder].bytes.size(), before.at(holder).bytes.size());
      }
      if (!before.contains(holder)) {
        after.erase(holder);
      } else {
        after[holder].bytes = before.at(holder).bytes;  // the kind must stay as it was
      }
    }
    EXPECT_EQ(after, before);
  }
  ::alarm(0);
}

// Sets or clears the immutable flag (chattr +i) of a file or folder; false when it cannot.
bool setImmutable(const char* path, bool immutable) {
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  int flags = 0;
  bool set = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (set) {
    flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    set = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return set;
}

// An immutable file cannot be written, not even by root: the write fails, is traced and leaves it
// as it was. In an immutable folder no file can be made to take the settings file's place: it is
// written in place instead.
TEST(ProfilePosixFiles, ImmutableFileOrFolder) {
  const struct {
    const char* immutable;
    bool written;
  } cases[] = {{"Plugins/ZRV.ini", false}, {"Plugins", true}};
  for (const auto& example : cases) {
    SCOPED_TRACE(example.immutable);
    const stats_test::ScratchFolder scratch;
    put("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\r\n");
    if (!setImmutable(example.immutable, true)) {
      GTEST_SKIP() << "cannot make a file immutable here (needs CAP_LINUX_IMMUTABLE and a file "
                      "system with the flag): "
                   << std::strerror(errno);
    }
    FolderState before = folderState();
    const bool written = writeMode();
    const FolderState after = folderState();
    setImmutable(example.immutable, false);  // the scratch folder must be removable
    EXPECT_EQ(written, example.written);
    if (written) before["Plugins/ZRV.ini"].bytes = "[Settings]\r\nMode=SSB\r\n";
    EXPECT_EQ(after, before);
  }
}

}  // namespace
