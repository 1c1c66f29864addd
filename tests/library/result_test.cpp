// The score report and the Cabrillo export of GetResult0, byte for byte.
#include <filesystem>
#include <string>

#include "tests/library/stats_library.h"

namespace stats_test {
namespace {

using LibraryResult = LibraryTest;

// The worked example: two points a QSO with Europe, one with Belgium, three elsewhere; DXCC
// entities per band. The claimed score replaces the one in the settings file.
TEST_F(LibraryResult, BelgianStationWorkedExample) {
  writeSettings({{"Claimed", "999"}});
  ASSERT_EQ(lib_.reset("ON4XYZ", "ON"), 1);
  ASSERT_EQ(lib_.add({.call = "DL1ABC", .band = "40m"}), 1);
  ASSERT_EQ(lib_.add({.call = "ON4AA",
                      .dxccPrefix = "ON",
                      .callPrefix = "ON4",
                      .band = "80m",
                      .receivedExchange = "12 AN"}),
            1);
  ASSERT_EQ(lib_.add({.call = "DL2BB", .callPrefix = "DL2", .band = "80m"}), 1);
  ASSERT_EQ(lib_.add({.call = "DL3CC", .callPrefix = "DL3", .band = "80m"}), 1);
  ASSERT_EQ(lib_.add({.call = "W1AW", .dxccPrefix = "K", .callPrefix = "W1", .band = "80m"}), 1);

  EXPECT_EQ(lib_.result(),
            "\t    ZRV Contest \r\n\tQSOs\tPoints\tDXCC\r\n"
            "80m\t 4\t 8\t 3\r\n"
            "40m\t 1\t 2\t 1\r\n"
            "Total\t 5\t 10\t 4\r\n"
            "\r\nScore: 10*4 = 40\r\n");
  EXPECT_EQ(readSetting("Claimed"), "40");
}

// A station outside Belgium exports its CW leg: the report counts ON provinces, ON prefixes and
// European-Union countries per band; the file holds the stored header and one line per QSO.
TEST_F(LibraryResult, ForeignStationExportsTheWholeCabrilloFile) {
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
  ASSERT_EQ(lib_.add({.call = "DL1XYZ",
                      .receivedExchange = "5",
                      .sentSerial = "002",
                      .frequencyHz = 14031000,
                      .time = at(12, 34)}),
            1);
  ASSERT_EQ(lib_.add({.call = "W1AW",
                      .dxccPrefix = "K",
                      .callPrefix = "W1",
                      .band = "40m",
                      .receivedExchange = "1234",
                      .sentSerial = "003",
                      .frequencyHz = 7012000,
                      .time = at(23, 59)}),
            1);
  ASSERT_EQ(lib_.add({.call = "OT5XY",
                      .dxccPrefix = "ON",
                      .callPrefix = "OT5",
                      .band = "80m",
                      .receivedExchange = "7 lg",
                      .sentSerial = "004",
                      .frequencyHz = 3525000,
                      .time = at(24, 1)}),
            1);

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

TEST_F(LibraryResult, FileThatCannotBeCreatedIsReported) {
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
