// CheckCall0 reads each argument it uses from its own position.
#include <string>

#include "tests/support/stats_library.h"

namespace stats_test {
namespace {

using LibraryQsoData = LibraryTest;

// A station outside Belgium with W1AW and a Belgian ON4 station on 20m.
TEST_F(LibraryQsoData, CallCheckReadsCallPrefixesBandsAndTheOutputBuffer) {
  ASSERT_EQ(lib_.reset("K1ABC", "K"), 1);
  ASSERT_EQ(
      lib_.add({.call = "W1AW", .dxccPrefix = "K", .callPrefix = "W1", .receivedExchange = "5"}),
      1);
  ASSERT_EQ(
      lib_.add(
          {.call = "ON4ABC", .dxccPrefix = "ON", .callPrefix = "ON4", .receivedExchange = "12 AN"}),
      1);
  char output[8] = "XXXXXXX";
  char output2[8] = "XXXXXXX";

  // The repeat test takes the first band as it is; the pair only has to agree without case.
  EXPECT_EQ(lib_.check("W1AW", "W1", "K", "20m", "20M", output, output2), 0);
  EXPECT_EQ(lib_.check("W1AW", "W1", "K", "20m", "40m", output, output2), 4);
  EXPECT_STREQ(output, "XXXXXXX");
  EXPECT_EQ(lib_.check("W1AW", "W1", "K", "20M", "20m", output, output2), 1);
  EXPECT_EQ(lib_.check("W1AW", "W1", "K", "40m", "40m", output, output2), 1);
  EXPECT_EQ(lib_.check("w1aw", "W1", "K", "20m", "20m", output, output2), 1);

  // New multipliers: an ON prefix not yet on the band, a European-Union country.
  EXPECT_EQ(lib_.check("ON4XYZ", "ON4", "ON", "20m", "20m", output, output2), 1);
  EXPECT_EQ(lib_.check("ON7XYZ", "ON7", "ON", "20m", "20m", output, output2), 2);
  EXPECT_EQ(lib_.check("JA1XYZ", "JA1", "JA", "20m", "20m", output, output2), 1);
  EXPECT_EQ(lib_.check("F5XYZ", "F5", "F", "20m", "20m", output, output2), 2);
  // Past the band test the first buffer is cleared, the second never touched.
  EXPECT_STREQ(output, "");
  EXPECT_STREQ(output2, "XXXXXXX");
}

}  // namespace
}  // namespace stats_test
