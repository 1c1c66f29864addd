#include "core/cabrillo/cabrillo_header.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(CabrilloHeader, ReplaceAllNeverRescansAReplacement) {
  EXPECT_EQ(stats::ReplaceAll("a/b/c", "/", "_"), "a_b_c");
  EXPECT_EQ(stats::ReplaceAll("aaa", "aa", "a"), "aa");
  EXPECT_EQ(stats::ReplaceAll("<CR>", "<CR>", "<CR><CR>"), "<CR><CR>");
  EXPECT_EQ(stats::ReplaceAll("", "x", "y"), "");
}

TEST(CabrilloHeader, SoapboxForms) {
  EXPECT_EQ(stats::soapboxStoredToDisplay("one<CR><LF>two"), "one\r\ntwo");
  EXPECT_EQ(stats::soapboxDisplayToStored("one\r\ntwo"), "one<CR><LF>two");
  EXPECT_EQ(stats::soapboxStoredToFile("one<CR><LF>two"), "one\r\nSOAPBOX: two");
  EXPECT_EQ(stats::soapboxStoredToFile("<C"), "<C");  // a stored value cut inside a marker
}

// The file is named after the callsign, so no callsign may name anything but one file in the
// current folder: what Windows does not take in a file name (it would reach another folder, a
// drive, an alternate data stream, or fail) becomes "_", and a device name gets a "_" after it.
TEST(CabrilloHeader, FileBaseFromCallsign) {
  using namespace std::string_literals;
  const struct {
    std::string callsign;
    const char* base;
  } cases[] = {
      {"DL1AA/P", "DL1AA_P"},
      {"ON\\4AA", "ON_4AA"},
      {" \tK1AA\r\n", "K1AA"},
      {"   ", "NOCALL"},
      {"", "NOCALL"},
      {"C:K1AA", "C_K1AA"},
      {"K1AA:stream", "K1AA_stream"},
      {"K1*A?A\"<B>|", "K1_A_A__B__"},
      {"K1\tAA\x01\x1F", "K1_AA__"},
      {"K1\0AA"s, "K1_AA"},
      {"K1\x7F\xC3\xA4", "K1\x7F\xC3\xA4"},
      {"CON", "CON_"},
      {"nul", "nul_"},
      {"Com1", "Com1_"},
      {"LPT9.X", "LPT9_.X"},
      {"COM0", "COM0_"},
      {"lpt0.P", "lpt0_.P"},
      {"COM-", "COM-"},  // the character before "0" that stays in a file name
      {"AUX .P", "AUX_ .P"},
      {"CONX", "CONX"},
      {"COM10", "COM10"},
      {"XCON", "XCON"},
  };
  for (const auto& example : cases) {
    EXPECT_EQ(stats::cabrilloFileBase(example.callsign), example.base) << example.callsign;
  }
}

}  // namespace
