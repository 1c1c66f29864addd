#include "core/cabrillo/cabrillo_writer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "core/cabrillo/cabrillo_header_settings.h"
#include "core/settings/settings.h"
#include "tests/support/fakes.h"
#include "tests/support/scratch_folder.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;
using stats::CabrilloState;

// The file is put in place as the platform under test does it.
const std::unique_ptr<stats::FileReplace> files = stats::makePlatformFileReplace();

TEST(CabrilloWriter, ModeCodes) {
  EXPECT_EQ(stats::cabrilloModeCode("SSB"), "PH");
  EXPECT_EQ(stats::cabrilloModeCode("CW"), "CW");
  EXPECT_EQ(stats::cabrilloModeCode("ssb"), "??");
}

TEST(CabrilloWriter, QsoLineColumns) {
  CabrilloState header;
  header.ownCall = "DL1AA";
  const COleDateTime time{46000.0 + 12.5 / 24.0, COleDateTimeValid};  // 2025-12-09 12:30
  stats::AddCabrilloQso(header, 1, "ON4AA", 14025, "CW", time, "0001 --", "0012 AN");
  stats::AddCabrilloQso(header, 0, "K1AA", 3750, "PH", time, "0002 --", "0005 --");
  stats::AddCabrilloQso(header, 0, "W1AW", 144300, "??", COleDateTime{0, COleDateTimeNull},
                        "123456 --", "1 --");
  ASSERT_EQ(header.qsoLines.size(), 3u);
  EXPECT_EQ(header.qsoLines[0],
            "QSO: 14025 CW 2025-12-09 1230 DL1AA         599 0001 --     ON4AA         599 "
            "0012 AN\r\n");
  EXPECT_EQ(header.qsoLines[1],
            "QSO:  3750 PH 2025-12-09 1230 DL1AA         59  0002 --     K1AA          59  "
            "0005 --\r\n");
  EXPECT_EQ(header.qsoLines[2],
            "QSO: 144300 ??  DL1AA         59  123456 --     W1AW          59  1 --\r\n");
}

TEST(CabrilloWriter, FileTextHeaderOrder) {
  CabrilloState header;
  header.ownCall = "ON4AA";
  header.categoryOperator = "SINGLE OPERATOR";
  header.categoryBand = "ALL BANDS";
  header.categoryPower = "HIGH POWER";
  header.categoryOverlay = "NONE";
  header.operators = "ON4AA";
  header.soapbox = "hi\r\nSOAPBOX: there";
  header.qsoLines = {"QSO: x\r\n"};
  EXPECT_EQ(stats::cabrilloFileText(header, 1, 1, -5),
            "START-OF-LOG: 2.0\r\nCONTEST: ZRV-DX-CW\r\nCALLSIGN: ON4AA\r\n"
            "CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER NONE\r\n"
            "OPERATORS: ON4AA\r\nCLAIMED-SCORE: -5\r\nNAME: \r\nEMAIL: \r\n"
            "ADDRESS: \r\nADDRESS: \r\nADDRESS: \r\nADDRESS: \r\nADDRESS: \r\n"
            "SOAPBOX: hi\r\nSOAPBOX: there\r\nQSO: x\r\nEND-OF-LOG:\r\n");
  EXPECT_NE(stats::cabrilloFileText(header, 0, 0, 0)
                .find("CONTEST: ZRV-DX-SSB\r\nCALLSIGN: ON4AA\r\n"
                      "CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER\r\n"),
            std::string::npos);
}

// The file holds the QSO lines gathered since the last export, and the export empties them: the
// next export, with nothing added, writes the header alone.
TEST(CabrilloWriter, FileTakesTheQsoLinesAndEmptiesThem) {
  const stats_test::ScratchFolder scratch;
  CabrilloState header;
  header.ownCall = "K1AA/P";
  header.fileBase = "K1AA_P";
  header.qsoLines = {"QSO: one\r\n", "QSO: two\r\n"};
  const std::string withLines = stats::cabrilloFileText(header, 1, 0, 7);
  ASSERT_NE(withLines.find("QSO: one\r\nQSO: two\r\nEND-OF-LOG:\r\n"), std::string::npos);

  EXPECT_EQ(stats::WriteCabrilloFile(header, 1, 0, 7, *files), "File produced: K1AA_P.cbr");
  EXPECT_EQ(scratch.readFile("K1AA_P.cbr"), withLines);
  EXPECT_TRUE(header.qsoLines.empty());

  EXPECT_EQ(stats::WriteCabrilloFile(header, 1, 0, 7, *files), "File produced: K1AA_P.cbr");
  const std::string headerOnly = scratch.readFile("K1AA_P.cbr");
  EXPECT_EQ(headerOnly.find("QSO: "), std::string::npos) << headerOnly;
  EXPECT_EQ(headerOnly, stats::cabrilloFileText(header, 1, 0, 7));
}

// Header values from a settings file edited by hand, from the host's callsign or from the dialog
// never put a line break of their own into the file: every CR and LF in it ends one of its lines,
// and the soapbox's marked line breaks still make SOAPBOX lines.
TEST(CabrilloWriter, HeaderValuesStayOnTheirLines) {
  stats_test::FakeProfile profile;
  profile.values = {{"Name", "Jan\rPeeters"},
                    {"Operators", "K1AA\nK2BB"},
                    {"Email", "a@b\r\n\r\n"},
                    {"SoapBox", "one\r\ntwo<CR><LF>three"}};
  CabrilloState header;
  stats::loadCabrilloHeader(header, stats::Settings(profile), "K1\rAA");
  CabrilloState confirmed = header;
  stats::keepCancelledCabrilloHeader(header);
  std::string text = stats::cabrilloFileText(header, 1, 0, 0);
  for (const char* line :
       {"CALLSIGN: K1 AA\r\n", "OPERATORS: K1AA K2BB\r\n", "NAME: Jan Peeters\r\n",
        "EMAIL: a@b \r\n", "SOAPBOX: one two\r\nSOAPBOX: three\r\n"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " in " << text;
  }

  CabrilloState edited = confirmed;
  edited.name = "Anna\r\nSchmidt";
  edited.soapbox = "first\r\nsecond";
  stats::copyCabrilloDialogResult(confirmed, edited);
  stats::saveConfirmedCabrilloHeader(confirmed, stats::Settings(profile));
  const std::string confirmedText = stats::cabrilloFileText(confirmed, 1, 0, 0);
  EXPECT_NE(confirmedText.find("NAME: Anna Schmidt\r\n"), std::string::npos) << confirmedText;
  EXPECT_NE(confirmedText.find("SOAPBOX: first\r\nSOAPBOX: second\r\n"), std::string::npos);
  text += confirmedText;

  for (size_t index = 0; index < text.size(); ++index) {
    if (text[index] == '\r') {
      EXPECT_EQ(text[index + 1], '\n') << "bare CR at " << index;
    } else if (text[index] == '\n') {
      EXPECT_EQ(text[index - 1], '\r') << "bare LF at " << index;
    }
  }
}

#ifndef _WIN32

// What a folder holds: each entry's type, a file's bytes, a link's target. FIFOs are never opened.
std::map<std::string, std::string> entries(const fs::path& folder) {
  std::map<std::string, std::string> found;
  for (const auto& entry : fs::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_symlink()) {
      found[name] = "link -> " + fs::read_symlink(entry.path()).string();
    } else if (entry.is_directory()) {
      found[name] = "folder";
    } else if (entry.is_fifo()) {
      found[name] = "FIFO";
    } else {
      found[name] = "file: " + stats_test::readBytes(entry.path()).value_or("<unreadable>");
    }
  }
  return found;
}

// The export in a child process that cannot make a file grow past `limit` bytes, as on a disk
// that fills up: true when it said the file was produced.
bool exportWithSizeLimit(CabrilloState header, rlim_t limit) {
  const pid_t child = ::fork();
  if (child == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit size{limit, limit};
    ::_exit(::setrlimit(RLIMIT_FSIZE, &size) == 0 &&
                    stats::WriteCabrilloFile(header, 1, 0, 7, *files) == "File produced: K1AA.cbr"
                ? 0
                : 1);
  }
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// The new file takes the place of the previous one only once it is written whole; when it cannot
// be, the previous file stays as it was and nothing else is left behind. Whatever stands at the
// file's name is replaced, never opened: a FIFO cannot hold the export up, and the file a link
// points to is left alone.
TEST(CabrilloWriter, TheFileIsReplacedOnlyWhenWrittenWhole) {
  CabrilloState header;
  header.ownCall = "K1AA";
  header.fileBase = "K1AA";
  header.qsoLines = {"QSO: one\r\n"};
  const std::string text = "file: " + stats::cabrilloFileText(header, 1, 0, 7);
  const std::string previous = "START-OF-LOG: 2.0\r\nthe previous export\r\n";
  auto put = [](const char* name, const std::string& bytes) {
    stats_test::writeBytes(name, bytes);
  };
  const struct {
    const char* name;
    std::function<void()> make;
    bool produced;
    std::map<std::string, std::string> after;
    rlim_t sizeLimit = 0;
  } cases[] = {
      {"no previous file", [] {}, true, {{"K1AA.cbr", text}}},
      {"a previous file", [&] { put("K1AA.cbr", previous); }, true, {{"K1AA.cbr", text}}},
      {"a disk that fills up",
       [&] { put("K1AA.cbr", previous); },
       false,
       {{"K1AA.cbr", "file: " + previous}},
       100},
      {"a disk that fills up, no previous file", [] {}, false, {}, 100},
      {"a folder at the file's name",
       [] { fs::create_directory("K1AA.cbr"); },
       false,
       {{"K1AA.cbr", "folder"}}},
      {"a FIFO at the file's name",
       [] { ASSERT_EQ(::mkfifo("K1AA.cbr", 0666), 0); },
       true,
       {{"K1AA.cbr", text}}},
      {"a link at the file's name",
       [&] {
         put("kept.cbr", previous);
         fs::create_symlink("kept.cbr", "K1AA.cbr");
       },
       true,
       {{"K1AA.cbr", text}, {"kept.cbr", "file: " + previous}}},
      {"a file left by an export cut short",
       [&] { put("K1AA.cbr.tmp", "START-OF"); },
       true,
       {{"K1AA.cbr", text}}},
      {"a folder at the temporary name",
       [] { fs::create_directory("K1AA.cbr.tmp"); },
       true,
       {{"K1AA.cbr", text}, {"K1AA.cbr.tmp", "folder"}}},
      {"a current folder that was removed",
       [] {
         const fs::path gone = fs::absolute("gone");
         fs::create_directory(gone);
         fs::current_path(gone);
         fs::remove(gone);
       },
       false,
       {}},
  };
  // An export that opened the FIFO would wait for a reader for ever: the alarm then ends the test
  // program instead.
  ::alarm(60);
  for (const auto& example : cases) {
    SCOPED_TRACE(example.name);
    const stats_test::ScratchFolder scratch({.pluginsFolder = false});
    example.make();
    CabrilloState exported = header;
    const bool produced =
        example.sizeLimit != 0
            ? exportWithSizeLimit(header, example.sizeLimit)
            : stats::WriteCabrilloFile(exported, 1, 0, 7, *files) == "File produced: K1AA.cbr";
    EXPECT_EQ(produced, example.produced);
    EXPECT_EQ(entries(scratch.path()), example.after);
  }
  ::alarm(0);
}

#endif  // _WIN32

}  // namespace
