#include "core/contest/call_check.h"

#include <gtest/gtest.h>

#include <cstring>

#include "tests/support/qso_fixtures.h"

namespace {

using stats::ContestState;
using stats_test::logQso;

struct Check {
  const char* call = "";
  const char* prefix = "";
  const char* dxcc = "";
  const char* band = "20m";
  const char* secondBand = nullptr;
};

int check(const ContestState& state, const Check& c, char* output = nullptr) {
  stats::CallCheckArguments arguments;
  arguments.call = c.call;
  arguments.callPrefix = c.prefix;
  arguments.dxccPrefix = c.dxcc;
  arguments.band = c.band;
  arguments.secondBand = c.secondBand;
  arguments.outputText = output;
  return stats::checkCall(state, arguments);
}

TEST(CallCheck, BandArgumentsAreComparedWithoutCase) {
  EXPECT_FALSE(stats::bandsDiffer("20m", "20M"));
  EXPECT_TRUE(stats::bandsDiffer("20m", "40m"));
  EXPECT_TRUE(stats::bandsDiffer("20m", "20m "));
  EXPECT_FALSE(stats::bandsDiffer("20m", nullptr));
  EXPECT_FALSE(stats::bandsDiffer(nullptr, "40m"));
}

TEST(CallCheck, RepeatIsPerBandNotPerMode) {
  ContestState state;
  logQso(state, "K1AA", "K", "20m");
  EXPECT_EQ(check(state, {.call = "K1AA", .dxcc = "K", .band = "20m"}), stats::kRepeat);
  EXPECT_EQ(check(state, {.call = "K1AA", .dxcc = "K", .band = "40m"}), stats::kNotNew);
  EXPECT_EQ(check(state, {.call = "k1aa", .dxcc = "K", .band = "20m"}), stats::kNotNew);
}

TEST(CallCheck, BelgianStationCountsDxccEntities) {
  ContestState state;
  state.belgianStation = 1;
  logQso(state, "DL1AA", "DL", "20m");
  EXPECT_EQ(check(state, {.call = "DL2BB", .dxcc = "DL", .band = "20m"}), stats::kNotNew);
  EXPECT_EQ(check(state, {.call = "DL2BB", .dxcc = "DL", .band = "15m"}), stats::kNewMultiplier);
  EXPECT_EQ(check(state, {.call = "X1X", .dxcc = "", .band = "20m"}), stats::kNewMultiplier);
  EXPECT_EQ(check(state, {.call = "X1X", .dxcc = nullptr, .band = "20m"}), stats::kNewMultiplier);
}

TEST(CallCheck, ForeignStationCountsEuropeanUnionAndBelgianPrefixes) {
  ContestState state;
  logQso(state, "F1AA", "F", "20m");
  logQso(state, "ON4AA", "ON", "20m", "12AN", "ON4");
  EXPECT_EQ(check(state, {.call = "F2BB", .dxcc = "F", .band = "20m"}), stats::kNotNew);
  EXPECT_EQ(check(state, {.call = "F2BB", .dxcc = "F", .band = "40m"}), stats::kNewMultiplier);
  EXPECT_EQ(check(state, {.call = "K2BB", .dxcc = "K", .band = "40m"}), stats::kNotNew);
  EXPECT_EQ(check(state, {.call = "ON4BB", .prefix = "ON4", .dxcc = "ON"}), stats::kNotNew);
  EXPECT_EQ(check(state, {.call = "OT4BB", .prefix = "OT4", .dxcc = "ON"}), stats::kNewMultiplier);
  EXPECT_EQ(check(state, {.call = "X", .dxcc = nullptr}), stats::kNotNew);
}

TEST(CallCheck, ForeignStationClearsTheOutputTextOnlyPastTheDxccTest) {
  ContestState state;
  logQso(state, "K1AA", "K", "20m");
  char output[50];
  std::strcpy(output, "untouched");
  check(state, {.call = "X", .dxcc = nullptr}, output);
  EXPECT_STREQ(output, "untouched");
  check(state, {.call = "K1AA", .dxcc = "K"}, output);  // a repeat writes nothing
  EXPECT_STREQ(output, "untouched");
  check(state, {.call = "DL1AA", .dxcc = "DL"}, output);
  EXPECT_STREQ(output, "");

  std::strcpy(output, "untouched");
  state.belgianStation = 1;
  check(state, {.call = "DL1AA", .dxcc = "DL"}, output);
  EXPECT_STREQ(output, "untouched");
}

}  // namespace
