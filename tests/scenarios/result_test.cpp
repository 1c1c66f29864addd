// The score report of GetResult0, byte for byte.
#include <string>

#include "tests/support/stats_library.h"

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
                      .band = "80m",
                      .dxccPrefix = "ON",
                      .callPrefix = "ON4",
                      .receivedExchange = "12 AN"}),
            1);
  ASSERT_EQ(lib_.add({.call = "DL2BB", .band = "80m", .callPrefix = "DL2"}), 1);
  ASSERT_EQ(lib_.add({.call = "DL3CC", .band = "80m", .callPrefix = "DL3"}), 1);
  ASSERT_EQ(lib_.add({.call = "W1AW", .band = "80m", .dxccPrefix = "K", .callPrefix = "W1"}), 1);

  int exportDone = 7;
  EXPECT_EQ(lib_.result(&exportDone),
            "\t    ZRV Contest \r\n\tQSOs\tPoints\tDXCC\r\n"
            "80m\t 4\t 8\t 3\r\n"
            "40m\t 1\t 2\t 1\r\n"
            "Total\t 5\t 10\t 4\r\n"
            "\r\nScore: 10*4 = 40\r\n");
  EXPECT_EQ(exportDone, 7);  // no export run: the flag is left as it is
  EXPECT_EQ(readSetting("Claimed"), "40");
}

}  // namespace
}  // namespace stats_test
