// Export runs: ResetStats0 with an export request, then GetResult0 writes <fileBase>.cbr into the
// current directory and reports it on standard error. The files are compared byte for byte.
#include <filesystem>
#include <string>

#include "tests/library/stats_library.h"

namespace stats_test {
namespace {

namespace fs = std::filesystem;

Qso qso(std::string call, std::string dxcc, std::string prefix, std::string band,
        unsigned int frequencyHz, std::string sent, std::string received, double time) {
  Qso result;
  result.call = std::move(call);
  result.dxccPrefix = std::move(dxcc);
  result.callPrefix = std::move(prefix);
  result.band = std::move(band);
  result.frequencyHz = frequencyHz;
  result.sentSerial = std::move(sent);
  result.receivedExchange = std::move(received);
  result.time = oleTime(time);
  return result;
}

double at(int hour, int minute) {
  return kJune1st2024 + (hour * 60 + minute) * kMinute;
}

const std::string kDefaultCategory = "CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER\r\n";
const std::string kEmptyAddress =
    "ADDRESS: \r\nADDRESS: \r\nADDRESS: \r\nADDRESS: \r\nADDRESS: \r\n";

using LibraryCabrilloExport = LibraryTest;

TEST_F(LibraryCabrilloExport, CwLegOfAStationOutsideBelgium) {
  writeSettings(
      {{"Mode", "CW"},
       {"Name", "John Smith"},
       {"Address", "12 Main Street"},
       {"Address_City", "Springfield"},
       {"Address_St_Prov", "MA"},
       {"Address_PostalCode", "01101"},
       {"Address_Country", "USA"},
       {"Email", "k1abc@example.com"},
       {"Club", "Yankee Clipper Contest Club"},
       {"Claimed", "999"},
       {"SoapBox",
        "Great contest, conditions on 20m were excellent and the pile-ups from Belgium never "
        "stopped!<CR><LF>73 and see you next year from Springfield."}});
  ASSERT_EQ(lib_.reset("K1ABC/P", "K", 1), 1);
  const double almost1234 = at(12, 33) + 59.9999 / 86400.0;
  ASSERT_EQ(lib_.add(qso("ON4ABC", "ON", "ON4", "20m", 14025600, "001", "12an", at(12, 0))), 1);
  ASSERT_EQ(lib_.add(qso("DL1XYZ", "DL", "DL1", "20m", 14031000, "002", "5", almost1234)), 1);
  ASSERT_EQ(lib_.add(qso("W1AW", "K", "W1", "40m", 7012000, "003", "1234", at(23, 59))), 1);
  ASSERT_EQ(lib_.add(qso("OT5XY", "ON", "OT5", "80m", 3525000, "004", "7 lg", at(24, 1))), 1);

  const ExportRun run = runExport(lib_, "K1ABC_P.cbr");

  EXPECT_EQ(run.report, std::string(kForeignHeader) +
                            "80m\t 1\t 10\t    1\t\t 1\t 0\r\n"
                            "40m\t 1\t 1\t    0\t\t 0\t 0\r\n"
                            "20m\t 2\t 13\t    1\t\t 1\t 1\r\n"
                            "Total\t 4\t 24\t    2\t\t 2\t 1\r\n"
                            "\r\nScore: 24*(2 + 2 + 1) = 120\r\n");
  EXPECT_EQ(run.flag, -1);
  EXPECT_EQ(run.message, "Output: File produced: K1ABC_P.cbr\n");
  EXPECT_EQ(run.file,
            "START-OF-LOG: 2.0\r\n"
            "CONTEST: ZRV-DX-CW\r\n"
            "CALLSIGN: K1ABC/P\r\n" +
                kDefaultCategory +
                "OPERATORS: K1ABC/P\r\n"
                "CLAIMED-SCORE: 120\r\n"
                "NAME: John Smith\r\n"
                "EMAIL: k1abc@example.com\r\n"
                "ADDRESS: 12 Main Street\r\n"
                "ADDRESS: Springfield\r\n"
                "ADDRESS: MA\r\n"
                "ADDRESS: 01101\r\n"
                "ADDRESS: USA\r\n"
                "SOAPBOX: Great contest, conditions on 20m were excellent and the pile-ups from "
                "Belgium never stopped!\r\n"
                "SOAPBOX: 73 and see you next year from Springfield.\r\n"
                "QSO: 14025 CW 2024-06-01 1200 K1ABC/P       599 0001 --     ON4ABC        599 "
                "0012 an\r\n"
                "QSO: 14031 CW 2024-06-01 1234 K1ABC/P       599 0002 --     DL1XYZ        599 "
                "0005 --\r\n"
                "QSO:  7012 CW 2024-06-01 2359 K1ABC/P       599 0003 --     W1AW          599 "
                "1234 --\r\n"
                "QSO:  3525 CW 2024-06-02 0001 K1ABC/P       599 0004 --     OT5XY         599 "
                "0007 lg\r\n"
                "END-OF-LOG:\r\n");

  // The header dialog could not be shown: nothing of it was saved.
  for (const char* key : {"Operators", "Category", "Category_Overlay", "Contest"}) {
    EXPECT_EQ(readSetting(key), std::nullopt) << key;
  }
  EXPECT_EQ(readSetting("Name"), "John Smith");
  EXPECT_EQ(readSetting("Claimed"), "120");
  EXPECT_EQ(readSetting("Start"), "1");
}

TEST_F(LibraryCabrilloExport, SsbLegOfABelgianStation) {
  writeSettings({{"Mode", "SSB"}, {"Province", "AN"}, {"Operators", "ON4XYZ ON4QQ"}});
  ASSERT_EQ(lib_.reset("ON4XYZ", "ON", 1), 1);
  Qso german = qso("DL1ABC", "DL", "DL1", "20m", 14250000, "001", "12", at(8, 15));
  german.mode = "SSB";
  Qso belgian = qso("ON4ZZ", "ON", "ON4", "20m", 14255500, "002", "123LG", at(8, 16));
  belgian.mode = "SSB";
  Qso japan = qso("JA1AA", "JA", "JA1", "15m", 21010000, "10", "1", at(9, 0));
  ASSERT_EQ(lib_.add(german), 1);
  ASSERT_EQ(lib_.add(belgian), 1);
  ASSERT_EQ(lib_.add(japan), 1);  // a CW QSO in the SSB leg keeps its mode, not its reports

  const ExportRun run = runExport(lib_, "ON4XYZ.cbr");

  EXPECT_EQ(run.report, std::string(kBelgianHeader) +
                            "20m\t 2\t 3\t 2\r\n"
                            "15m\t 1\t 3\t 1\r\n"
                            "Total\t 3\t 6\t 3\r\n"
                            "\r\nScore: 6*3 = 18\r\n");
  EXPECT_EQ(run.flag, -1);
  EXPECT_EQ(run.message, "Output: File produced: ON4XYZ.cbr\n");
  EXPECT_EQ(run.file,
            "START-OF-LOG: 2.0\r\n"
            "CONTEST: ZRV-DX-SSB\r\n"
            "CALLSIGN: ON4XYZ\r\n"
            "CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER NONE\r\n"
            "OPERATORS: ON4XYZ ON4QQ\r\n"
            "CLAIMED-SCORE: 18\r\n"
            "NAME: \r\n"
            "EMAIL: \r\n" +
                kEmptyAddress +
                "SOAPBOX: \r\n"
                "QSO: 14250 PH 2024-06-01 0815 ON4XYZ        59  0001 AN     DL1ABC        59  "
                "0012 --\r\n"
                "QSO: 14255 PH 2024-06-01 0816 ON4XYZ        59  0002 AN     ON4ZZ         59  "
                "0123 LG\r\n"
                "QSO: 21010 CW 2024-06-01 0900 ON4XYZ        59  10 AN     JA1AA         59  "
                "0001 --\r\n"
                "END-OF-LOG:\r\n");
  EXPECT_EQ(readSetting("BELGIUM"), "1");
}

TEST_F(LibraryCabrilloExport, EmptyLogWithoutCallsignGoesToNocall) {
  writeSettings({{"Mode", "cw"}});  // only "CW" exactly selects the CW leg
  ASSERT_EQ(lib_.reset("", "DL", 1), 1);

  const ExportRun run = runExport(lib_, "NOCALL.cbr");

  EXPECT_EQ(run.report, kEmptyForeignReport);
  EXPECT_EQ(run.flag, -1);
  EXPECT_EQ(run.message, "Output: File produced: NOCALL.cbr\n");
  EXPECT_EQ(run.file,
            "START-OF-LOG: 2.0\r\n"
            "CONTEST: ZRV-DX-SSB\r\n"
            "CALLSIGN: \r\n" +
                kDefaultCategory +
                "OPERATORS: \r\n"
                "CLAIMED-SCORE: 0\r\n"
                "NAME: \r\n"
                "EMAIL: \r\n" +
                kEmptyAddress +
                "SOAPBOX: \r\n"
                "END-OF-LOG:\r\n");
}

TEST_F(LibraryCabrilloExport, SoapboxLinesFollowTheStoredMarkers) {
  writeSettings({{"Mode", "CW"}, {"SoapBox", "line one<CR><LF><CR><LF>line three<LF> <cr>"}});
  ASSERT_EQ(lib_.reset("OK1XX", "OK", 1), 1);

  const ExportRun run = runExport(lib_, "OK1XX.cbr");

  ASSERT_TRUE(run.file.has_value());
  EXPECT_NE(run.file->find("ADDRESS: \r\n"
                           "SOAPBOX: line one\r\n"
                           "SOAPBOX: \r\n"
                           "SOAPBOX: line three <cr>\r\n"
                           "END-OF-LOG:\r\n"),
            std::string::npos)
      << *run.file;
  EXPECT_EQ(readSetting("SoapBox"), "line one<CR><LF><CR><LF>line three<LF> <cr>");
}

TEST_F(LibraryCabrilloExport, FileBaseReplacesSlashesAndTrimsWhiteSpace) {
  ASSERT_EQ(lib_.reset("ON4ABC\\P/M", "ON", 1), 1);
  ExportRun run = runExport(lib_, "ON4ABC_P_M.cbr");
  EXPECT_EQ(run.message, "Output: File produced: ON4ABC_P_M.cbr\n");
  ASSERT_TRUE(run.file.has_value());
  EXPECT_NE(run.file->find("\r\nCALLSIGN: ON4ABC\\P/M\r\n"), std::string::npos);

  ASSERT_EQ(lib_.reset(" OT4X/P\t", "ON", 1), 1);
  run = runExport(lib_, "OT4X_P.cbr");
  EXPECT_EQ(run.message, "Output: File produced: OT4X_P.cbr\n");
  ASSERT_TRUE(run.file.has_value());
  EXPECT_NE(run.file->find("\r\nCALLSIGN:  OT4X/P\t\r\n"), std::string::npos);

  ASSERT_EQ(lib_.reset(" \t ", "ON", 1), 1);
  run = runExport(lib_, "NOCALL.cbr");
  EXPECT_EQ(run.message, "Output: File produced: NOCALL.cbr\n");
  EXPECT_TRUE(run.file.has_value());
}

TEST_F(LibraryCabrilloExport, DateTimesFrequenciesAndTheirColumns) {
  writeSettings({{"Mode", "CW"}});
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  struct Case {
    const char* call;
    COleDateTime time;
    unsigned int frequencyHz;
    const char* line;
  };
  const Case cases[] = {
      {"DL1AA", oleTime(at(12, 33) + 59.9999 / 86400.0), 7000000,
       "QSO:  7000 CW 2024-06-01 1234 K1ABC         599 0001 --     DL1AA         599 0005 --"},
      {"DL2BB", oleTime(kJune1st2024 + 0.999999), 7000000,
       "QSO:  7000 CW 2024-06-02 0000 K1ABC         599 0001 --     DL2BB         599 0005 --"},
      {"DL3CC", oleTime(-657434.0), 7000000,
       "QSO:  7000 CW 0100-01-01 0000 K1ABC         599 0001 --     DL3CC         599 0005 --"},
      {"DL4DD", oleTime(-657434.25), 7000000,
       "QSO:  7000 CW 0100-01-01 0600 K1ABC         599 0001 --     DL4DD         599 0005 --"},
      {"DL5EE", oleTime(2958465.5), 7000000,
       "QSO:  7000 CW 9999-12-31 1200 K1ABC         599 0001 --     DL5EE         599 0005 --"},
      {"DL6FF", oleTime(2958466.0), 7000000,
       "QSO:  7000 CW Invalid DateTime K1ABC         599 0001 --     DL6FF         599 0005 --"},
      {"DL7GG", oleTime(-657435.0), 7000000,
       "QSO:  7000 CW Invalid DateTime K1ABC         599 0001 --     DL7GG         599 0005 --"},
      {"DL8HH", oleTime(kJune1st2024 + 0.5, COleDateTimeInvalid), 7000000,
       "QSO:  7000 CW Invalid DateTime K1ABC         599 0001 --     DL8HH         599 0005 --"},
      {"DL9II", oleTime(kJune1st2024 + 0.5, COleDateTimeNull), 7000000,
       "QSO:  7000 CW  K1ABC         599 0001 --     DL9II         599 0005 --"},
      {"DK1JJ", oleTime(1.5), 7000000,
       "QSO:  7000 CW 1899-12-31 1200 K1ABC         599 0001 --     DK1JJ         599 0005 --"},
      {"DK2KK", oleTime(-1.5), 7000000,
       "QSO:  7000 CW 1899-12-29 1200 K1ABC         599 0001 --     DK2KK         599 0005 --"},
      {"DK6OO", oleTime(-0.25), 7000000,
       "QSO:  7000 CW 1899-12-30 0600 K1ABC         599 0001 --     DK6OO         599 0005 --"},
      {"DK3LL", oleTime(at(12, 0)), 144300000,
       "QSO: 144300 CW 2024-06-01 1200 K1ABC         599 0001 --     DK3LL         599 0005 --"},
      {"DK4MM", oleTime(at(12, 0)), 1830000,
       "QSO:  1830 CW 2024-06-01 1200 K1ABC         599 0001 --     DK4MM         599 0005 --"},
      {"DK5NN", oleTime(at(12, 0)), 999,
       "QSO:     0 CW 2024-06-01 1200 K1ABC         599 0001 --     DK5NN         599 0005 --"},
  };
  for (const Case& c : cases) {
    Qso next = qso(c.call, "DL", "DL1", "40m", c.frequencyHz, "001", "5", 0.0);
    next.time = c.time;
    ASSERT_EQ(lib_.add(next), 1) << c.call;
  }
  const ExportRun run = runExport(lib_, "K1ABC.cbr");
  ASSERT_TRUE(run.file.has_value());
  const auto lines = qsoLines(*run.file);
  ASSERT_EQ(lines.size(), std::size(cases));
  for (size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], cases[i].line);
}

TEST_F(LibraryCabrilloExport, EveryExportWritesTheWholeFileAnew) {
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  ASSERT_EQ(lib_.add(qso("DL1ABC", "DL", "DL1", "20m", 14025600, "001", "5", at(12, 0))), 1);
  ASSERT_EQ(lib_.add(qso("F5XYZ", "F", "F5", "20m", 14026000, "002", "7", at(12, 1))), 1);

  const ExportRun first = runExport(lib_, "K1ABC.cbr");
  const ExportRun second = runExport(lib_, "K1ABC.cbr");
  ASSERT_TRUE(first.file.has_value());
  EXPECT_EQ(qsoLines(*first.file).size(), 2u);
  EXPECT_EQ(second.file, first.file);
  EXPECT_EQ(second.message, "Output: File produced: K1ABC.cbr\n");
  EXPECT_EQ(second.flag, -1);
}

TEST_F(LibraryCabrilloExport, FileThatCannotBeCreatedIsReportedAndItsLinesDropped) {
  ASSERT_EQ(lib_.reset("K1ABC", "K", 1), 1);
  ASSERT_EQ(lib_.add(qso("DL1ABC", "DL", "DL1", "20m", 14025600, "001", "5", at(12, 0))), 1);
  fs::create_directory("K1ABC.cbr");

  const ExportRun failed = runExport(lib_, "K1ABC.cbr");
  EXPECT_EQ(failed.message, "Output: File not produced: K1ABC.cbr\n");
  EXPECT_EQ(failed.flag, -1);
  EXPECT_EQ(totalQsos(failed.report), 1);

  // The lines of the failed run are gone: the next file holds the QSO once.
  fs::remove("K1ABC.cbr");
  const ExportRun next = runExport(lib_, "K1ABC.cbr");
  EXPECT_EQ(next.message, "Output: File produced: K1ABC.cbr\n");
  ASSERT_TRUE(next.file.has_value());
  EXPECT_EQ(qsoLines(*next.file).size(), 1u);
}

TEST_F(LibraryCabrilloExport, StoredBelgiumKeyDecidesTheCategoryLineAndLaterReports) {
  writeSettings({{"BELGIUM", "1"}});
  ASSERT_EQ(lib_.reset("DL1ABC", "DL", 1), 1);
  ASSERT_EQ(lib_.add(qso("ON4ABC", "ON", "ON4", "20m", 14025600, "001", "12 AN", at(12, 0))), 1);

  const ExportRun first = runExport(lib_, "DL1ABC.cbr");
  EXPECT_EQ(first.report, std::string(kForeignHeader) +
                              "20m\t 1\t 10\t    1\t\t 1\t 0\r\n"
                              "Total\t 1\t 10\t    1\t\t 1\t 0\r\n"
                              "\r\nScore: 10*(1 + 1 + 0) = 20\r\n");
  ASSERT_TRUE(first.file.has_value());
  EXPECT_NE(first.file->find("CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER NONE\r\n"
                             "OPERATORS: DL1ABC\r\n"
                             "CLAIMED-SCORE: 20\r\n"),
            std::string::npos)
      << *first.file;

  // The export reloaded the Belgian side from the settings file.
  const ExportRun second = runExport(lib_, "DL1ABC.cbr");
  EXPECT_EQ(second.report, std::string(kBelgianHeader) +
                               "20m\t 1\t 1\t 1\r\n"
                               "Total\t 1\t 1\t 1\r\n"
                               "\r\nScore: 1*1 = 1\r\n");
}

TEST_F(LibraryCabrilloExport, BelgianSideIsLostWhenItCannotBeStored) {
  fs::remove(scratch_.path() / "Plugins");
  ASSERT_EQ(lib_.reset("ON4XYZ", "ON", 1), 1);
  ASSERT_EQ(lib_.add(qso("DL1ABC", "DL", "DL1", "20m", 14025600, "001", "5", at(12, 0))), 1);
  ASSERT_EQ(lib_.add(qso("ON4ABC", "ON", "ON4", "20m", 14025600, "002", "12 AN", at(12, 1))), 1);

  const ExportRun first = runExport(lib_, "ON4XYZ.cbr");
  EXPECT_EQ(first.report, std::string(kBelgianHeader) +
                              "20m\t 2\t 3\t 2\r\n"
                              "Total\t 2\t 3\t 2\r\n"
                              "\r\nScore: 3*2 = 6\r\n");
  ASSERT_TRUE(first.file.has_value());
  EXPECT_NE(first.file->find("\r\n" + kDefaultCategory), std::string::npos) << *first.file;

  // Added while Belgian, the German QSO carries no European-Union country; the Belgian one
  // carries its province and prefix.
  const ExportRun second = runExport(lib_, "ON4XYZ.cbr");
  EXPECT_EQ(second.report, std::string(kForeignHeader) +
                               "20m\t 2\t 13\t    1\t\t 1\t 0\r\n"
                               "Total\t 2\t 13\t    1\t\t 1\t 0\r\n"
                               "\r\nScore: 13*(1 + 1 + 0) = 26\r\n");
}

}  // namespace
}  // namespace stats_test
