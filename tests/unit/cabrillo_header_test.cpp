#include "cabrillo/cabrillo_header.h"

#include <gtest/gtest.h>

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

TEST(CabrilloHeader, FileBaseFromCallsign) {
  EXPECT_EQ(stats::cabrilloFileBase("DL1AA/P"), "DL1AA_P");
  EXPECT_EQ(stats::cabrilloFileBase("ON\\4AA"), "ON_4AA");
  EXPECT_EQ(stats::cabrilloFileBase(" \tK1AA\r\n"), "K1AA");
  EXPECT_EQ(stats::cabrilloFileBase("   "), "NOCALL");
  EXPECT_EQ(stats::cabrilloFileBase(""), "NOCALL");
}

}  // namespace
