// The score report returned by GetResult0: both variants byte for byte, band order, the rows that
// survive removals, the claimed score in the settings file and the lifetime of the returned text.
#include <string>
#include <vector>

#include "tests/library/stats_library.h"

namespace stats_test {
namespace {

Qso qso(std::string call, std::string dxcc, std::string prefix, std::string band,
        std::string received = "123") {
  Qso result;
  result.call = std::move(call);
  result.dxccPrefix = std::move(dxcc);
  result.callPrefix = std::move(prefix);
  result.band = std::move(band);
  result.receivedExchange = std::move(received);
  return result;
}

using LibraryScoreReport = LibraryTest;

TEST_F(LibraryScoreReport, BelgianStationWorkedExample) {
  writeSettings({{"Claimed", "999"}});
  ASSERT_EQ(lib_.reset("ON4XYZ", "ON"), 1);
  ASSERT_EQ(lib_.add(qso("DL1ABC", "DL", "DL1", "40m")), 1);
  ASSERT_EQ(lib_.add(qso("ON4AA", "ON", "ON4", "80m", "12 AN")), 1);
  ASSERT_EQ(lib_.add(qso("DL2BB", "DL", "DL2", "80m")), 1);
  ASSERT_EQ(lib_.add(qso("DL3CC", "DL", "DL3", "80m")), 1);
  ASSERT_EQ(lib_.add(qso("W1AW", "K", "W1", "80m")), 1);

  EXPECT_EQ(lib_.result(),
            "\t    ZRV Contest \r\n\tQSOs\tPoints\tDXCC\r\n"
            "80m\t 4\t 8\t 3\r\n"
            "40m\t 1\t 2\t 1\r\n"
            "Total\t 5\t 10\t 4\r\n"
            "\r\nScore: 10*4 = 40\r\n");
  EXPECT_EQ(readSetting("Claimed"), "40");
}

TEST_F(LibraryScoreReport, ForeignStationCountsProvincesPrefixesAndEuropeanUnion) {
  ASSERT_EQ(lib_.reset("G4ABC", "G"), 1);
  // 20m: two provinces (AN, LG), two ON prefixes, two European-Union countries.
  lib_.add(qso("ON4ABC", "ON", "ON4", "20m", "12 AN"));
  lib_.add(qso("OT5XYZ", "ON", "OT5", "20m", "7LG"));
  lib_.add(qso("ON4DEF", "ON", "ON4", "20m", "3an"));  // AN again once upper-cased, ON4 again
  lib_.add(qso("DL1ABC", "DL", "DL1", "20m", "123"));
  lib_.add(qso("F5XYZ", "F", "F5", "20m", "45"));
  lib_.add(qso("DL2XX", "DL", "DL2", "20m", "77"));
  lib_.add(qso("W1AW", "K", "W1", "20m", "5"));
  lib_.add(qso("ON8ZZ", "ON", "ON8", "20m", "55"));  // no province: no province or prefix
  // 40m: the same province and prefix count again on a new band.
  lib_.add(qso("ON4ABC", "ON", "ON4", "40m", "13 AN"));
  lib_.add(qso("JA1XX", "JA", "JA1", "40m", "9"));
  lib_.add(qso("EA8AA", "EA8", "EA8", "15m", "100"));
  lib_.add(qso("ON4GG", "ON", "ON4", "15m", "LG"));  // two letters only: no province

  EXPECT_EQ(lib_.result(),
            "\t\t\tZRV Contest \r\n\tQSOs\tPoints\tON Province ON Prefix EuroUnion\r\n"
            "40m\t 2\t 11\t    1\t\t 1\t 0\r\n"
            "20m\t 8\t 50\t    2\t\t 2\t 2\r\n"
            "15m\t 2\t 13\t    0\t\t 0\t 1\r\n"
            "Total\t 12\t 74\t    3\t\t 3\t 3\r\n"
            "\r\nScore: 74*(3 + 3 + 3) = 666\r\n");
  EXPECT_EQ(readSetting("Claimed"), "666");
}

TEST_F(LibraryScoreReport, EmptyLogGivesZeroRowsAndClaimsZero) {
  writeSettings({{"Claimed", "999"}});
  EXPECT_EQ(lib_.result(), kEmptyForeignReport);  // no contest start at all
  EXPECT_EQ(readSetting("Claimed"), "0");

  lib_.add(qso("DL1ABC", "DL", "DL1", "20m"));
  ASSERT_NE(lib_.result(), kEmptyForeignReport);
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(lib_.result(), kEmptyForeignReport);

  ASSERT_EQ(lib_.reset("ON4XYZ", "ON"), 1);
  EXPECT_EQ(lib_.result(), kEmptyBelgianReport);
  EXPECT_EQ(readSetting("Claimed"), "0");
}

TEST_F(LibraryScoreReport, BandsSortAsZeroPaddedTextLargestFirst) {
  ASSERT_EQ(lib_.reset("ON4XYZ", "ON"), 1);
  for (const char* band : {"6m", "10m", "160m", "2m", "80m", "70cm", "40m"}) {
    ASSERT_EQ(lib_.add(qso("W1AW", "K", "W1", band)), 1);
  }
  EXPECT_EQ(lib_.result(), std::string(kBelgianHeader) +
                               "70cm\t 1\t 3\t 1\r\n"
                               "160m\t 1\t 3\t 1\r\n"
                               "80m\t 1\t 3\t 1\r\n"
                               "40m\t 1\t 3\t 1\r\n"
                               "10m\t 1\t 3\t 1\r\n"
                               "6m\t 1\t 3\t 1\r\n"
                               "2m\t 1\t 3\t 1\r\n"
                               "Total\t 7\t 21\t 7\r\n"
                               "\r\nScore: 21*7 = 147\r\n");

  // A band first seen after a report is put in its place by the next one.
  ASSERT_EQ(lib_.add(qso("W1AW", "K", "W1", "20m")), 1);
  EXPECT_EQ(lib_.result(), std::string(kBelgianHeader) +
                               "70cm\t 1\t 3\t 1\r\n"
                               "160m\t 1\t 3\t 1\r\n"
                               "80m\t 1\t 3\t 1\r\n"
                               "40m\t 1\t 3\t 1\r\n"
                               "20m\t 1\t 3\t 1\r\n"
                               "10m\t 1\t 3\t 1\r\n"
                               "6m\t 1\t 3\t 1\r\n"
                               "2m\t 1\t 3\t 1\r\n"
                               "Total\t 8\t 24\t 8\r\n"
                               "\r\nScore: 24*8 = 192\r\n");
}

TEST_F(LibraryScoreReport, BandKeepsItsRowAfterItsLastQsoIsRemovedUntilTheNextStart) {
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  const Qso belgian = qso("ON4ABC", "ON", "ON4", "10m", "12 AN");
  ASSERT_EQ(lib_.add(belgian), 1);
  EXPECT_EQ(lib_.result(), std::string(kForeignHeader) +
                               "10m\t 1\t 10\t    1\t\t 1\t 0\r\n"
                               "Total\t 1\t 10\t    1\t\t 1\t 0\r\n"
                               "\r\nScore: 10*(1 + 1 + 0) = 20\r\n");

  ASSERT_EQ(lib_.remove(belgian), 1);
  EXPECT_EQ(lib_.result(), std::string(kForeignHeader) +
                               "10m\t 0\t 0\t    0\t\t 0\t 0\r\n"
                               "Total\t 0\t 0\t    0\t\t 0\t 0\r\n"
                               "\r\nScore: 0*(0 + 0 + 0) = 0\r\n");

  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(lib_.result(), kEmptyForeignReport);
}

TEST_F(LibraryScoreReport, RepeatsCountAsQsosAndEmptyCallsOnlyInTheTotal) {
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  Qso first = qso("DL1ABC", "DL", "DL1", "20m");
  Qso again = first;
  again.time = oleTime(first.time.m_dt + 5 * kMinute);  // a contest duplicate, stored twice
  Qso noCall = qso("", "DL", "DL1", "20m");
  ASSERT_EQ(lib_.add(first), 1);
  ASSERT_EQ(lib_.add(again), 1);
  ASSERT_EQ(lib_.add(noCall), 1);

  EXPECT_EQ(lib_.result(), std::string(kForeignHeader) +
                               "20m\t 2\t 6\t    0\t\t 0\t 1\r\n"
                               "Total\t 3\t 6\t    0\t\t 0\t 1\r\n"
                               "\r\nScore: 6*(0 + 0 + 1) = 6\r\n");
}

TEST_F(LibraryScoreReport, EuropeanUnionMembershipIsAnExactMatchOnTheListedPrefixes) {
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  const std::vector<std::string> members = {
      "5B", "9H", "CT", "CT3", "CU", "DL",  "EA",  "EA6", "EA8", "EI", "ES", "F",
      "FG", "FY", "FM", "FR",  "G",  "GD",  "GI",  "GJ",  "GM",  "GU", "GW", "HA",
      "I",  "IS", "LX", "LY",  "LZ", "OE",  "OH",  "OH0", "OJ0", "OK", "OM", "OZ",
      "PA", "S5", "SM", "SP",  "SV", "SV5", "SV9", "SY",  "TK",  "YL", "YO", "9A"};
  const std::vector<std::string> others = {"FO", "EA9", "dl", "DL ", "CT7", ""};
  int serial = 0;
  for (const auto& list : {members, others}) {
    for (const auto& prefix : list) {
      ASSERT_EQ(lib_.add(qso("X" + std::to_string(++serial), prefix, prefix, "15m")), 1);
    }
  }
  // 48 members at 3 points and one multiplier each, 6 others at 1 point and none.
  EXPECT_EQ(lib_.result(), std::string(kForeignHeader) +
                               "15m\t 54\t 150\t    0\t\t 0\t 48\r\n"
                               "Total\t 54\t 150\t    0\t\t 0\t 48\r\n"
                               "\r\nScore: 150*(0 + 0 + 48) = 7200\r\n");
}

TEST_F(LibraryScoreReport, BelgianStationScoresByClassAndCountsEveryCountryText) {
  ASSERT_EQ(lib_.reset("ON4XYZ", "ON"), 1);
  lib_.add(qso("ON4AA", "ON", "ON4", "20m", "12 AN"));
  lib_.add(qso("ON4BB", "ON", "ON4", "20m", "13 LG"));
  lib_.add(qso("SP1AA", "SP", "SP1", "20m"));
  lib_.add(qso("UA9AA", "UA9", "UA9", "20m"));
  lib_.add(qso("XX1AA", "", "", "20m"));  // an empty country is a DXCC value too
  // Points 1 + 1 + 2 + 3 + 3; DXCC ON, SP, UA9 and "".
  EXPECT_EQ(lib_.result(), std::string(kBelgianHeader) +
                               "20m\t 5\t 10\t 4\r\n"
                               "Total\t 5\t 10\t 4\r\n"
                               "\r\nScore: 10*4 = 40\r\n");
}

TEST_F(LibraryScoreReport, ReturnedTextStaysValidUntilTheNextReportAndFlagIsUntouched) {
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  lib_.add(qso("DL1ABC", "DL", "DL1", "20m"));
  int flag = 7;
  const char* text = lib_.api().GetResult0(&flag);
  const std::string copy = text;
  EXPECT_EQ(flag, 7);

  lib_.add(qso("F5XYZ", "F", "F5", "20m"));
  lib_.remove(qso("DL1ABC", "DL", "DL1", "20m"));
  lib_.check({.call = "OK1AB", .callPrefix = "OK1", .dxccPrefix = "OK"});
  lib_.api().SetupSet0();
  EXPECT_EQ(std::string(text), copy);
}

TEST_F(LibraryScoreReport, UnwritableSettingsFileDoesNotChangeTheReport) {
  std::filesystem::remove(scratch_.path() / "Plugins");
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  lib_.add(qso("DL1ABC", "DL", "DL1", "20m"));
  EXPECT_EQ(lib_.result(), std::string(kForeignHeader) +
                               "20m\t 1\t 3\t    0\t\t 0\t 1\r\n"
                               "Total\t 1\t 3\t    0\t\t 0\t 1\r\n"
                               "\r\nScore: 3*(0 + 0 + 1) = 3\r\n");
  EXPECT_FALSE(std::filesystem::exists(kSettingsFile));
}

TEST_F(LibraryScoreReport, ClaimedScoreWrapsAroundAsSigned32Bit) {
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  // 14500 Belgian QSOs on one band, each with a new prefix; 676 distinct provinces AA..ZZ.
  // 145000 points times (676 + 14500) multipliers is 2200520000, past the 32-bit range.
  constexpr int kCount = 14500;
  for (int i = 0; i < kCount; ++i) {
    const std::string province = {static_cast<char>('A' + i % 676 / 26),
                                  static_cast<char>('A' + i % 26)};
    Qso belgian = qso("ON" + std::to_string(i) + "Z", "ON", "ON" + std::to_string(i), "20m",
                      std::to_string(i % 1000) + province);
    belgian.time = oleTime(kJune1st2024 + i * kMinute / 4);
    ASSERT_EQ(lib_.add(belgian), 1);
  }
  EXPECT_EQ(lib_.result(), std::string(kForeignHeader) +
                               "20m\t 14500\t 145000\t    676\t\t 14500\t 0\r\n"
                               "Total\t 14500\t 145000\t    676\t\t 14500\t 0\r\n"
                               "\r\nScore: 145000*(676 + 14500 + 0) = -2094447296\r\n");
  EXPECT_EQ(readSetting("Claimed"), "-2094447296");
}

}  // namespace
}  // namespace stats_test
