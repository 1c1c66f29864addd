// AddData0, RemoveData0 and CheckCall0 read each argument they use from its own position.
#include <string>
#include <vector>

#include "tests/library/stats_library.h"

namespace stats_test {
namespace {

using LibraryQsoData = LibraryTest;
using Lines = std::vector<std::string>;

// The carried texts only tell records apart; a removal takes the record identical in every
// stored field, else the first with the same call, mode and band. So removing the second of two
// same-call records leaves the first only when every argument was read from its place.
TEST_F(LibraryQsoData, RecordsAreKeptAndRemovedByEveryArgument) {
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
