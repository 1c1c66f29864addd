// AddData0 and RemoveData0: acceptance, the normalised exchanges (read back from the Cabrillo
// file), which records count as identical, and which record a removal takes.
#include <string>
#include <vector>

#include "tests/library/stats_library.h"

namespace stats_test {
namespace {

Qso qso(std::string call, std::string band, std::string received, double minutesAfterNoon) {
  Qso result;
  result.call = std::move(call);
  result.band = std::move(band);
  result.receivedExchange = std::move(received);
  result.time = oleTime(kJune1st2024 + (12 * 60 + minutesAfterNoon) * kMinute);
  return result;
}

using LibraryQsoAccounting = LibraryTest;

TEST_F(LibraryQsoAccounting, RejectsOtherModesAndEmptyExchangesWithoutAnyChange) {
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  for (const char* mode : {"PH", "cw", "ssb", "", "CW ", "RTTY"}) {
    Qso rejected = qso("DL1ABC", "40m", "123", 0);
    rejected.mode = mode;
    EXPECT_EQ(lib_.add(rejected), 0) << "mode \"" << mode << "\"";
    EXPECT_EQ(lib_.remove(rejected), 0) << "mode \"" << mode << "\"";
  }
  Qso noReceived = qso("DL1ABC", "40m", "", 0);
  Qso noSent = qso("DL1ABC", "40m", "123", 0);
  noSent.sentSerial = "";
  for (const Qso& rejected : {noReceived, noSent}) {
    EXPECT_EQ(lib_.add(rejected), 0);
    EXPECT_EQ(lib_.remove(rejected), 0);
  }
  // Not even the band of a rejected QSO is listed.
  EXPECT_EQ(lib_.result(), kEmptyForeignReport);

  const Qso stored = qso("DL1ABC", "20m", "123", 0);
  ASSERT_EQ(lib_.add(stored), 1);
  Qso wrongMode = stored;
  wrongMode.mode = "cw";
  Qso wrongSent = stored;
  wrongSent.sentSerial = "";
  EXPECT_EQ(lib_.remove(wrongMode), 0);
  EXPECT_EQ(lib_.remove(wrongSent), 0);
  EXPECT_EQ(totalQsos(lib_.result()), 1);
}

TEST_F(LibraryQsoAccounting, IdenticalRecordsAreStoredOnce) {
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  const Qso base = qso("DL1ABC", "20m", "123", 0);
  auto addAndCount = [this](const Qso& next) {
    EXPECT_EQ(lib_.add(next), 1);
    return totalQsos(lib_.result());
  };
  EXPECT_EQ(addAndCount(base), 1);
  EXPECT_EQ(addAndCount(base), 1);

  Qso variant = base;
  variant.time = oleTime(base.time.m_dt + kMinute);
  EXPECT_EQ(addAndCount(variant), 2) << "another time";

  variant = base;
  variant.frequencyHz = 14025999;  // the same kHz
  EXPECT_EQ(addAndCount(variant), 2) << "frequency below a kHz";
  variant.frequencyHz = 14026000;
  EXPECT_EQ(addAndCount(variant), 3) << "another kHz";

  variant = base;
  variant.hostText10 = "DARC e.V.";
  EXPECT_EQ(addAndCount(variant), 4) << "argument 10";
  variant = base;
  variant.hostText11 = "JO30";
  EXPECT_EQ(addAndCount(variant), 5) << "argument 11";
  variant = base;
  variant.hostText30 = "remark";
  EXPECT_EQ(addAndCount(variant), 6) << "argument 30";

  // Texts that normalise to what is stored give the same record.
  variant = base;
  variant.receivedExchange = "0123";
  EXPECT_EQ(addAndCount(variant), 6) << "received 0123";
  variant = base;
  variant.sentSerial = "0001";
  EXPECT_EQ(addAndCount(variant), 6) << "sent 0001";
  // The call prefix of a station outside Belgium is not kept.
  variant = base;
  variant.callPrefix = "DA1";
  EXPECT_EQ(addAndCount(variant), 6) << "call prefix";

  variant = base;
  variant.call = "dl1abc";
  EXPECT_EQ(addAndCount(variant), 7) << "call in lower case";
  variant = base;
  variant.dxccPrefix = "DA";
  EXPECT_EQ(addAndCount(variant), 8) << "DXCC prefix";

  // Two invalid date-times are equal whatever their day counts.
  variant = base;
  variant.time = oleTime(1.0, COleDateTimeInvalid);
  EXPECT_EQ(addAndCount(variant), 9) << "invalid time";
  variant.time = oleTime(2.0, COleDateTimeInvalid);
  EXPECT_EQ(addAndCount(variant), 9) << "another invalid time";

  // Arguments the plug-in ignores make no difference.
  COleDateTime time = base.time;
  COleDateTime other = oleTime(1.0);
  EXPECT_EQ(lib_.api().AddData0(
                "other", base.call.c_str(), &other, &time, &other, &other, 99, base.frequencyHz,
                base.mode.c_str(), base.hostText10.c_str(), base.hostText11.c_str(),
                base.sentSerial.c_str(), base.receivedExchange.c_str(), "579", "589", "Fritz", "15",
                "29", "AF", "x", "y", base.callPrefix.c_str(), base.dxccPrefix.c_str(), 1, 2, 3,
                0.0, 0.0, "z", base.hostText30.c_str(), "DL0XX", base.band.c_str(), "w"),
            1);
  EXPECT_EQ(totalQsos(lib_.result()), 9);
}

TEST_F(LibraryQsoAccounting, ExchangesAreNormalisedAsTheCabrilloFileShows) {
  writeSettings({{"Mode", "CW"}});
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  struct Case {
    const char* call;
    const char* dxcc;
    const char* prefix;
    const char* sent;
    const char* received;
    const char* line;
  };
  const Case cases[] = {
      // Stations outside Belgium: a province-like ending stays as received.
      {"DL1AA", "DL", "DL1", "1", "5",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 1 --      DL1AA         599 0005 --"},
      {"DL2BB", "DL", "DL2", "12", "12345",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 12 --     DL2BB         599 12345 --"},
      {"DL3CC", "DL", "DL3", "123", "AB",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0123 --     DL3CC         599 AB"},
      {"DL4DD", "DL", "DL4", "1234", "12AN",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 1234 --     DL4DD         599 12AN"},
      {"DL5EE", "DL", "DL5", "12345", "12 AN",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 12345 --     DL5EE         599 12 AN"},
      // Belgian stations: serial padded to four digits, one blank before the province.
      {"ON4AA", "ON", "ON4", "006", "12an",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0006 --     ON4AA         599 0012 an"},
      {"ON4BB", "ON", "ON4", "007", "5 LG",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0007 --     ON4BB         599 0005 LG"},
      {"ON4CC", "ON", "ON4", "008", "1234AN",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0008 --     ON4CC         599 1234 AN"},
      {"ON4DD", "ON", "ON4", "009", "123LG",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0009 --     ON4DD         599 0123 LG"},
      {"ON4EE", "ON", "ON4", "010", "1WV",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0010 --     ON4EE         599 0001 WV"},
      {"ON4FF", "ON", "ON4", "011", "12 AN",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0011 --     ON4FF         599 0012 AN"},
      {"ON4GG", "ON", "ON4", "012", "123 AN",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0012 --     ON4GG         599 0123 AN"},
      {"ON4HH", "ON", "ON4", "013", "1234 AN",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0013 --     ON4HH         599 1234 AN"},
      {"ON4II", "ON", "ON4", "014", "123456LG",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0014 --     ON4II         599 123456LG"},
      {"ON4PP", "ON", "ON4", "015", "12345AN",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0015 --     ON4PP         599 12345AN"},
      {"ON4JJ", "ON", "ON4", "016", "LG",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0016 --     ON4JJ         599 LG"},
      {"ON4LL", "ON", "ON4", "017", " AN",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0017 --     ON4LL         599  AN"},
      // Without two letters at the end: a serial number alone.
      {"ON4KK", "ON", "ON4", "018", "12345",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0018 --     ON4KK         599 12345 --"},
      {"ON4MM", "ON", "ON4", "019", "12a1",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0019 --     ON4MM         599 12a1 --"},
      {"ON4NN", "ON", "ON4", "020", "1",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0020 --     ON4NN         599 0001 --"},
      {"ON4OO", "ON", "ON4", "021", "123",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0021 --     ON4OO         599 0123 --"},
      // Only A to Z and a to z are letters, not their neighbours in the code table.
      {"ON4QQ", "ON", "ON4", "022", "12`a",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0022 --     ON4QQ         599 12`a --"},
      {"ON4RR", "ON", "ON4", "023", "1@Z",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0023 --     ON4RR         599 01@Z --"},
      {"ON4SS", "ON", "ON4", "024", "9[Z",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0024 --     ON4SS         599 09[Z --"},
      {"ON4TT", "ON", "ON4", "025", "1{z",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0025 --     ON4TT         599 01{z --"},
      {"W1AW", "K", "W1", "026", "1",
       "QSO: 14025 CW 2024-06-01 1000 K1ABC         599 0026 --     W1AW          599 0001 --"},
  };
  for (const Case& c : cases) {
    Qso next = qso(c.call, "20m", c.received, -120);
    next.dxccPrefix = c.dxcc;
    next.callPrefix = c.prefix;
    next.sentSerial = c.sent;
    ASSERT_EQ(lib_.add(next), 1) << c.call;
  }
  const ExportRun run = runExport(lib_, "K1ABC.cbr");
  ASSERT_TRUE(run.file.has_value());
  const auto lines = qsoLines(*run.file);
  ASSERT_EQ(lines.size(), std::size(cases));
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_EQ(lines[i], cases[i].line) << "received \"" << cases[i].received << "\"";
  }
}

TEST_F(LibraryQsoAccounting, RemovalTakesTheIdenticalRecordElseTheFirstWithCallModeAndBand) {
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  const Qso a = qso("DL1ABC", "20m", "123", 0);
  const Qso b = qso("DL1ABC", "20m", "124", 5);
  const Qso c = qso("DL1ABC", "20m", "125", 10);
  Qso d = qso("DL1ABC", "40m", "126", 15);
  d.frequencyHz = 7025000;
  Qso e = qso("DL1ABC", "20m", "127", 20);
  e.mode = "SSB";
  e.frequencyHz = 14250000;
  for (const Qso& next : {a, b, c, d, e}) ASSERT_EQ(lib_.add(next), 1);

  const std::string lineA =
      "QSO: 14025 CW 2024-06-01 1200 K1ABC         59  0001 --     DL1ABC        59  0123 --";
  const std::string lineB =
      "QSO: 14025 CW 2024-06-01 1205 K1ABC         59  0001 --     DL1ABC        59  0124 --";
  const std::string lineC =
      "QSO: 14025 CW 2024-06-01 1210 K1ABC         59  0001 --     DL1ABC        59  0125 --";
  const std::string lineD =
      "QSO:  7025 CW 2024-06-01 1215 K1ABC         59  0001 --     DL1ABC        59  0126 --";
  const std::string lineE =
      "QSO: 14250 PH 2024-06-01 1220 K1ABC         59  0001 --     DL1ABC        59  0127 --";
  auto exported = [this] { return qsoLines(runExport(lib_, "K1ABC.cbr").file.value_or("")); };
  using Lines = std::vector<std::string>;
  ASSERT_EQ(exported(), (Lines{lineA, lineB, lineC, lineD, lineE}));

  // The record identical to the arguments goes, although an earlier one has the same call.
  EXPECT_EQ(lib_.remove(b), 1);
  EXPECT_EQ(exported(), (Lines{lineA, lineC, lineD, lineE}));

  // None identical: the first with the same call, mode and band goes, whatever else differs.
  Qso loose = qso("DL1ABC", "20m", "999", 60);
  loose.frequencyHz = 14070000;
  EXPECT_EQ(lib_.remove(loose), 1);
  EXPECT_EQ(exported(), (Lines{lineC, lineD, lineE}));

  // Call, mode and band are compared exactly; a removal that finds nothing still succeeds.
  Qso lowerCase = c;
  lowerCase.call = "dl1abc";
  Qso otherBand = c;
  otherBand.band = "80m";
  Qso unknown = qso("F5XYZ", "20m", "1", 0);
  for (const Qso& missing : {lowerCase, otherBand, unknown}) EXPECT_EQ(lib_.remove(missing), 1);
  EXPECT_EQ(exported(), (Lines{lineC, lineD, lineE}));

  Qso ssb = loose;
  ssb.mode = "SSB";
  EXPECT_EQ(lib_.remove(ssb), 1);
  EXPECT_EQ(exported(), (Lines{lineC, lineD}));
}

TEST_F(LibraryQsoAccounting, RemovalBuildsTheRecordUnderTheCurrentProvince) {
  writeSettings({{"Province", "AN"}});
  ASSERT_EQ(lib_.reset("ON4XYZ", "ON", 1), 1);
  Qso first = qso("DL1ABC", "20m", "123", 0);
  Qso second = qso("DL1ABC", "20m", "123", 5);
  second.sentSerial = "002";
  ASSERT_EQ(lib_.add(first), 1);
  ASSERT_EQ(lib_.add(second), 1);

  // The setup reads the new province; the dialog is not confirmed, so nothing is written.
  writeSettings({{"BELGIUM", "1"}, {"Province", "LG"}});
  lib_.api().SetupSet0();
  EXPECT_EQ(readSetting("Province"), "LG");

  // Sent now as "0002 LG", the second QSO matches no record: the first same-call one goes.
  EXPECT_EQ(lib_.remove(second), 1);
  Qso third = qso("DL1ABC", "20m", "123", 10);
  third.sentSerial = "003";
  ASSERT_EQ(lib_.add(third), 1);
  using Lines = std::vector<std::string>;
  EXPECT_EQ(qsoLines(runExport(lib_, "ON4XYZ.cbr").file.value_or("")),
            (Lines{"QSO: 14025 CW 2024-06-01 1205 ON4XYZ        59  0002 AN     DL1ABC        59 "
                   " 0123 --",
                   "QSO: 14025 CW 2024-06-01 1210 ON4XYZ        59  0003 LG     DL1ABC        59 "
                   " 0123 --"}));

  EXPECT_EQ(lib_.remove(third), 1);
  EXPECT_EQ(qsoLines(runExport(lib_, "ON4XYZ.cbr").file.value_or("")),
            (Lines{"QSO: 14025 CW 2024-06-01 1205 ON4XYZ        59  0002 AN     DL1ABC        59 "
                   " 0123 --"}));
}

TEST_F(LibraryQsoAccounting, NullTextsReadAsEmpty) {
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  const Exports& api = lib_.api();
  COleDateTime time = oleTime(kJune1st2024 + 0.5);
  auto call = [&](auto function, const char* mode, const char* sent, const char* received) {
    return function(nullptr, nullptr, nullptr, &time, nullptr, nullptr, 0, 14025600, mode, nullptr,
                    nullptr, sent, received, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr,
                    nullptr, nullptr, nullptr);
  };
  EXPECT_EQ(call(api.AddData0, nullptr, "001", "5"), 0);
  EXPECT_EQ(call(api.AddData0, "CW", nullptr, "5"), 0);
  EXPECT_EQ(call(api.AddData0, "CW", "001", nullptr), 0);
  EXPECT_EQ(call(api.RemoveData0, nullptr, "001", "5"), 0);
  EXPECT_EQ(lib_.result(), kEmptyForeignReport);

  // A QSO without call and band: the empty band gets a row, the QSO only the total.
  EXPECT_EQ(call(api.AddData0, "CW", "001", "5"), 1);
  EXPECT_EQ(lib_.result(), std::string(kForeignHeader) +
                               "\t 0\t 0\t    0\t\t 0\t 0\r\n"
                               "Total\t 1\t 0\t    0\t\t 0\t 0\r\n"
                               "\r\nScore: 0*(0 + 0 + 0) = 0\r\n");
  EXPECT_EQ(call(api.RemoveData0, "CW", "001", "5"), 1);
  EXPECT_EQ(totalQsos(lib_.result()), 0);
}

}  // namespace
}  // namespace stats_test
