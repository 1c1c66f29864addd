#include "plugin/settings.h"

#include <gtest/gtest.h>

#include <climits>

#include "fakes.h"

namespace {

// Numbers are read as the C library's atoi reads them, except that a value past the int range
// saturates where atoi's result would be undefined.
TEST(Settings, NumbersAreReadLikeAtoiAndSaturate) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"42", 42},
      {"+42", 42},
      {"-42", -42},
      {"  \t\n\v\f\r7", 7},
      {"12abc", 12},
      {"3 4", 3},
      {"0x10", 0},
      {"", 0},
      {"abc", 0},
      {"- 5", 0},
      {"+-5", 0},
      {"\t+", 0},
      {"0000000000000000000042", 42},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"+99999999999999999999999", INT_MAX},
      {"18446744073709551617", INT_MAX},  // 2^64 + 1: 1 in 64-bit arithmetic that wraps
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"-99999999999999999999999", INT_MIN},
      {"-18446744073709551617", INT_MIN},
  };
  stats_test::FakeProfile profile;
  const stats::Settings settings(profile);
  EXPECT_EQ(settings.readNumber("Claimed"), 0);
  for (const auto& example : cases) {
    EXPECT_EQ(stats::parseLeadingInt(example.text), example.value) << '"' << example.text << '"';
    profile.values["Claimed"] = example.text;
    EXPECT_EQ(settings.readNumber("Claimed"), example.value) << '"' << example.text << '"';
  }
}

}  // namespace
