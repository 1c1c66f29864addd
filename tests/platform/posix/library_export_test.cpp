// The scenarios that need the headless user interface of libStats.so: the setup dialog never
// confirmed, the live window's start flag, and every export, whose message goes to standard error
// (Stats.dll shows it in a message box, which the Wine tests answer).
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/stats_library.h"

namespace stats_test {
namespace {

using LibraryExport = LibraryTest;
using Lines = std::vector<std::string>;
namespace fs = std::filesystem;

// What `work` writes to standard error.
std::string captureStderr(const std::function<void()>& work) {
  std::fflush(stderr);
  FILE* file = std::tmpfile();
  const int saved = dup(STDERR_FILENO);
  dup2(fileno(file), STDERR_FILENO);
  work();
  std::fflush(stderr);
  dup2(saved, STDERR_FILENO);
  close(saved);
  std::string captured;
  std::rewind(file);
  for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file)) captured += static_cast<char>(c);
  std::fclose(file);
  return captured;
}

// One GetResult0 of an export run: the report, the operator's message and the failure traces (the
// two kinds of lines on standard error), the flag (7 before the call) and the Cabrillo file
// afterwards.
struct ExportRun {
  std::string report;
  std::string message;
  std::string traces;
  int flag = 7;
  std::optional<std::string> file;
};

ExportRun runExport(const StatsLibrary& lib, const fs::path& cabrilloFile) {
  ExportRun run;
  std::istringstream lines(captureStderr([&] { run.report = lib.result(&run.flag); }));
  for (std::string line; std::getline(lines, line);) {
    (line.starts_with("Stats: ") ? run.traces : run.message) += line + "\n";
  }
  run.file = readBytes(cabrilloFile);
  return run;
}

// Without a screen the setup dialog is never confirmed.
TEST_F(LibraryExport, HeadlessSetupWritesNothing) {
  lib_.api().SetupSet0();
  EXPECT_FALSE(std::filesystem::exists(kSettingsFile));

  writeSettings({{"Multiplier", "1"}, {"Province", "AN"}, {"Mode", "CW"}, {"Start", "0"}});
  const auto before = readBytes(kSettingsFile);
  lib_.api().SetupSet0();
  EXPECT_EQ(readBytes(kSettingsFile), before);
}

// With the live window wanted, each start without an export request flips "Start".
TEST_F(LibraryExport, StartAlternatesUnlessAnExportIsRequested) {
  writeSettings({{"Multiplier", "1"}, {"Start", "0"}});
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readSetting("Start"), "1");
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readSetting("Start"), "0");
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  EXPECT_EQ(readSetting("Start"), "0");
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readSetting("Start"), "1");
}

// An export run with no callsign, and no flag to set.
TEST_F(LibraryExport, ARunWithNoCallsignAndNoFlagWritesNocall) {
  const Exports& api = lib_.api();
  EXPECT_EQ(api.ResetStats0(nullptr, 1, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0,
                            0.0, 0.0, nullptr, nullptr, nullptr),
            1);
  ASSERT_EQ(lib_.add(Qso{}), 1);
  const char* report = nullptr;
  EXPECT_EQ(captureStderr([&] { report = api.GetResult0(nullptr); }),
            "Output: File produced: NOCALL.cbr\n");
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(totalQsos(report), 1);
  EXPECT_EQ(qsoLines(readBytes("NOCALL.cbr").value_or("")).size(), 1u);
}

// The carried texts only tell records apart; a removal takes the record identical in every
// stored field, else the first with the same call, mode and band. So removing the second of two
// same-call records leaves the first only when every argument was read from its place.
TEST_F(LibraryExport, RecordsAreKeptAndRemovedByEveryArgument) {
  writeSettings({{"Mode", "CW"}});
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  const Qso first{
      .call = "ON4ABC", .dxccPrefix = "ON", .callPrefix = "ON4", .receivedExchange = "12 AN"};
  Qso text10 = first;
  text10.hostText10 = "UBA";
  Qso text11 = first;
  text11.hostText11 = "JO21";
  Qso text30 = first;
  text30.hostText30 = "remark";
  Qso second = first;
  second.callPrefix = "OT4";
  second.receivedExchange = "13 lg";
  second.sentSerial = "002";
  second.frequencyHz = 14031000;
  second.time = at(12, 5);
  second.hostText10 = "UBA";
  second.hostText11 = "JO21";
  second.hostText30 = "remark";
  for (const Qso& qso : {first, first, text10, text11, text30, second}) {
    ASSERT_EQ(lib_.add(qso), 1);
  }
  const std::string lineFirst =
      "QSO: 14025 CW 2024-06-01 1200 K1ABC         599 0001 --     ON4ABC        599 0012 AN";
  const std::string lineSecond =
      "QSO: 14031 CW 2024-06-01 1205 K1ABC         599 0002 --     ON4ABC        599 0013 lg";
  auto exported = [this] { return qsoLines(runExport(lib_, "K1ABC.cbr").file.value_or("")); };
  EXPECT_EQ(exported(), (Lines{lineFirst, lineFirst, lineFirst, lineFirst, lineSecond}));

  EXPECT_EQ(lib_.remove(second), 1);
  EXPECT_EQ(exported(), (Lines{lineFirst, lineFirst, lineFirst, lineFirst}));
}

// A station outside Belgium exports its CW leg: the report counts ON provinces, ON prefixes and
// European-Union countries per band; the file holds the stored header and one line per QSO.
TEST_F(LibraryExport, ForeignStationExportsTheWholeCabrilloFile) {
  writeSettings({{"Mode", "CW"},
                 {"Name", "John Smith"},
                 {"Address", "12 Main Street"},
                 {"Address_City", "Springfield"},
                 {"Address_St_Prov", "MA"},
                 {"Address_PostalCode", "01101"},
                 {"Address_Country", "USA"},
                 {"Email", "k1abc@example.com"},
                 {"Claimed", "999"},
                 {"SoapBox", "Great contest!<CR><LF>73 from Springfield."}});
  ASSERT_EQ(lib_.reset("K1ABC/P", "K", 1), 1);
  ASSERT_EQ(
      lib_.add(
          {.call = "ON4ABC", .dxccPrefix = "ON", .callPrefix = "ON4", .receivedExchange = "12an"}),
      1);
  const Qso log[] = {{"DL1XYZ", "20m", "DL", "DL1", "CW", "002", "5", 14031000, at(12, 34)},
                     {"W1AW", "40m", "K", "W1", "CW", "003", "1234", 7012000, at(23, 59)},
                     {"OT5XY", "80m", "ON", "OT5", "CW", "004", "7 lg", 3525000, at(24, 1)}};
  for (const Qso& qso : log) ASSERT_EQ(lib_.add(qso), 1) << qso.call;

  const ExportRun run = runExport(lib_, "K1ABC_P.cbr");

  EXPECT_EQ(run.report, std::string(kForeignHeader) +
                            "80m\t 1\t 10\t    1\t\t 1\t 0\r\n"
                            "40m\t 1\t 1\t    0\t\t 0\t 0\r\n"
                            "20m\t 2\t 13\t    1\t\t 1\t 1\r\n"
                            "Total\t 4\t 24\t    2\t\t 2\t 1\r\n"
                            "\r\nScore: 24*(2 + 2 + 1) = 120\r\n");
  EXPECT_EQ(run.flag, -1);
  EXPECT_EQ(run.message, "Output: File produced: K1ABC_P.cbr\n");
  EXPECT_EQ(run.traces, "");
  EXPECT_EQ(
      run.file,
      "START-OF-LOG: 2.0\r\n"
      "CONTEST: ZRV-DX-CW\r\n"
      "CALLSIGN: K1ABC/P\r\n"
      "CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER\r\n"
      "OPERATORS: K1ABC/P\r\n"
      "CLAIMED-SCORE: 120\r\n"
      "NAME: John Smith\r\n"
      "EMAIL: k1abc@example.com\r\n"
      "ADDRESS: 12 Main Street\r\n"
      "ADDRESS: Springfield\r\n"
      "ADDRESS: MA\r\n"
      "ADDRESS: 01101\r\n"
      "ADDRESS: USA\r\n"
      "SOAPBOX: Great contest!\r\n"
      "SOAPBOX: 73 from Springfield.\r\n"
      "QSO: 14025 CW 2024-06-01 1200 K1ABC/P       599 0001 --     ON4ABC        599 0012 an\r\n"
      "QSO: 14031 CW 2024-06-01 1234 K1ABC/P       599 0002 --     DL1XYZ        599 0005 --\r\n"
      "QSO:  7012 CW 2024-06-01 2359 K1ABC/P       599 0003 --     W1AW          599 1234 --\r\n"
      "QSO:  3525 CW 2024-06-02 0001 K1ABC/P       599 0004 --     OT5XY         599 0007 lg\r\n"
      "END-OF-LOG:\r\n");
  EXPECT_EQ(readSetting("Claimed"), "120");
}

TEST_F(LibraryExport, FileThatCannotBeCreatedIsReported) {
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  ASSERT_EQ(lib_.add(Qso{}), 1);
  std::filesystem::create_directory("K1ABC.cbr");

  const ExportRun run = runExport(lib_, "K1ABC.cbr");
  EXPECT_EQ(run.message, "Output: File not produced: K1ABC.cbr\n");
  EXPECT_EQ(run.traces, "Stats: could not create K1ABC.cbr: Is a directory\n");
  EXPECT_EQ(run.flag, -1);
  EXPECT_EQ(totalQsos(run.report), 1);
}

}  // namespace
}  // namespace stats_test
