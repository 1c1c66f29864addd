// The fixed answers of the entry points, the contest start (Belgian side, the "Start"
// alternation, what it writes) and the headless setup, all through the loaded library.
#include <filesystem>
#include <string>

#include "tests/library/stats_library.h"

namespace stats_test {
namespace {

namespace fs = std::filesystem;

using LibraryEntryPoints = LibraryTest;
using LibraryContestStart = LibraryTest;
using LibrarySetupDialog = LibraryTest;

TEST_F(LibraryEntryPoints, FixedAnswersWhateverTheArguments) {
  const Exports& api = lib_.api();
  EXPECT_EQ(api.GetNumberOfSets(), 1);
  EXPECT_STREQ(api.GetSetName(0), "ZRV Contest (C)");
  EXPECT_STREQ(api.GetSetName(1), "");
  EXPECT_STREQ(api.GetSetName(-1), "");
  EXPECT_EQ(api.IsValidExchg0("599", "12 AN", "ON4ABC", "CW", 1, 2, 3), 1);
  EXPECT_EQ(api.IsValidExchg0(nullptr, nullptr, nullptr, nullptr, -1, 0, 0), 1);
  EXPECT_EQ(api.GetExchgCount0("599", "12 AN", "CW"), 1);
  EXPECT_EQ(api.GetExchgCount0(nullptr, nullptr, nullptr), 1);
}

TEST_F(LibraryContestStart, EmptiesTheLogAndReturnsOne) {
  Qso qso;
  ASSERT_EQ(lib_.add(qso), 1);
  EXPECT_EQ(totalQsos(lib_.result()), 1);
  EXPECT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(lib_.result(), kEmptyForeignReport);
}

TEST_F(LibraryContestStart, OnlyExactlyOnMakesTheStationBelgianAndItStaysSo) {
  for (const char* prefix : {"on", "ON ", "ONX", ""}) {
    ASSERT_EQ(lib_.reset("K1ABC", prefix), 1);
    EXPECT_EQ(lib_.result(), kEmptyForeignReport) << "own prefix \"" << prefix << "\"";
    EXPECT_EQ(readSetting("BELGIUM"), std::nullopt);
  }
  ASSERT_EQ(lib_.reset("ON4XYZ", "ON"), 1);
  EXPECT_EQ(lib_.result(), kEmptyBelgianReport);
  EXPECT_EQ(readSetting("BELGIUM"), "1");

  ASSERT_EQ(lib_.reset("DL1ABC", "DL"), 1);
  EXPECT_EQ(lib_.result(), kEmptyBelgianReport);
  EXPECT_EQ(readSetting("BELGIUM"), "1");
}

TEST_F(LibraryContestStart, StartAlternatesWhenTheLiveWindowIsWanted) {
  writeSettings({{"Multiplier", "1"}, {"Start", "0"}});
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readSetting("Start"), "1");
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readSetting("Start"), "0");
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readSetting("Start"), "1");
}

TEST_F(LibraryContestStart, SettingsAreReadAsLeadingDigits) {
  writeSettings({{"Multiplier", "1 (window)"}, {"Start", "2"}});
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readSetting("Start"), "0");

  writeSettings({{"Multiplier", "yes"}, {"Start", "5"}});
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readSetting("Start"), "5");  // "yes" reads as 0: Start is left alone

  writeSettings({{"Multiplier", "1"}, {"Start", "off"}});
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readSetting("Start"), "1");
}

TEST_F(LibraryContestStart, ExportRequestNeverStartsTheLiveWindow) {
  writeSettings({{"Multiplier", "1"}, {"Start", "0"}});
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  EXPECT_EQ(readSetting("Start"), "0");
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  EXPECT_EQ(readSetting("Start"), "0");

  writeSettings({{"Multiplier", "0"}});
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readSetting("Start"), std::nullopt);
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  EXPECT_EQ(readSetting("Start"), "1");
}

TEST_F(LibraryContestStart, WithoutSettingsOrBelgianSideNothingIsWritten) {
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_FALSE(fs::exists(kSettingsFile));

  writeSettings({{"Mode", "CW"}, {"Province", "AN"}});
  const auto before = readBytes(kSettingsFile);
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(readBytes(kSettingsFile), before);
}

TEST_F(LibraryContestStart, EveryPointerArgumentMayBeNull) {
  const Exports& api = lib_.api();
  auto reset = [&api](int exportRequest) {
    return api.ResetStats0(nullptr, exportRequest, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr);
  };
  EXPECT_EQ(reset(0), 1);
  EXPECT_EQ(lib_.result(nullptr), kEmptyForeignReport);

  // An export run with no callsign, and no flag to set.
  EXPECT_EQ(reset(1), 1);
  ASSERT_EQ(lib_.add(Qso{}), 1);
  StderrCapture capture;
  const char* report = api.GetResult0(nullptr);
  EXPECT_EQ(capture.text(), "Output: File produced: NOCALL.cbr\n");
  ASSERT_NE(report, nullptr);
  EXPECT_EQ(totalQsos(report), 1);
  const auto file = readBytes("NOCALL.cbr");
  ASSERT_TRUE(file.has_value());
  EXPECT_EQ(qsoLines(*file).size(), 1u);
}

TEST_F(LibrarySetupDialog, ReadsTheSettingsAndWritesNothing) {
  lib_.api().SetupSet0();
  EXPECT_FALSE(fs::exists(kSettingsFile));

  writeSettings({{"Multiplier", "1"}, {"Province", "AN"}, {"Mode", "CW"}, {"Start", "0"}});
  const auto before = readBytes(kSettingsFile);
  lib_.api().SetupSet0();
  EXPECT_EQ(readBytes(kSettingsFile), before);
}

TEST_F(LibrarySetupDialog, ProvinceReadBySetupAppliesToLaterQsos) {
  writeSettings({{"Province", "AN"}});
  ASSERT_EQ(lib_.reset("ON4XYZ", "ON", 1), 1);
  Qso qso;
  ASSERT_EQ(lib_.add(qso), 1);

  // A changed file alone changes nothing until the setup reads it.
  writeSettings({{"BELGIUM", "1"}, {"Province", "LG"}});
  qso.sentSerial = "002";
  ASSERT_EQ(lib_.add(qso), 1);
  lib_.api().SetupSet0();
  qso.sentSerial = "003";
  ASSERT_EQ(lib_.add(qso), 1);

  const auto lines = qsoLines(runExport(lib_, "ON4XYZ.cbr").file.value_or(""));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_NE(lines[0].find(" 59  0001 AN     DL1ABC "), std::string::npos) << lines[0];
  EXPECT_NE(lines[1].find(" 59  0002 AN     DL1ABC "), std::string::npos) << lines[1];
  EXPECT_NE(lines[2].find(" 59  0003 LG     DL1ABC "), std::string::npos) << lines[2];
}

}  // namespace
}  // namespace stats_test
