#include <gtest/gtest.h>

#include "cabrillo/cabrillo_header.h"
#include "cabrillo/cabrillo_writer.h"
#include "fakes.h"
#include "plugin/cabrillo_header_settings.h"

namespace {

using stats::CabrilloState;

TEST(CabrilloText, ReplaceAllNeverRescansAReplacement) {
  EXPECT_EQ(stats::ReplaceAll("a/b/c", "/", "_"), "a_b_c");
  EXPECT_EQ(stats::ReplaceAll("aaa", "aa", "a"), "aa");
  EXPECT_EQ(stats::ReplaceAll("<CR>", "<CR>", "<CR><CR>"), "<CR><CR>");
  EXPECT_EQ(stats::ReplaceAll("", "x", "y"), "");
}

TEST(CabrilloText, SoapboxForms) {
  EXPECT_EQ(stats::soapboxStoredToDisplay("one<CR><LF>two"), "one\r\ntwo");
  EXPECT_EQ(stats::soapboxDisplayToStored("one\r\ntwo"), "one<CR><LF>two");
  EXPECT_EQ(stats::soapboxStoredToFile("one<CR><LF>two"), "one\r\nSOAPBOX: two");
  EXPECT_EQ(stats::soapboxStoredToFile("<C"), "<C");  // a stored value cut inside a marker
}

TEST(CabrilloText, FileBaseFromCallsign) {
  EXPECT_EQ(stats::cabrilloFileBase("DL1AA/P"), "DL1AA_P");
  EXPECT_EQ(stats::cabrilloFileBase("ON\\4AA"), "ON_4AA");
  EXPECT_EQ(stats::cabrilloFileBase(" \tK1AA\r\n"), "K1AA");
  EXPECT_EQ(stats::cabrilloFileBase("   "), "NOCALL");
  EXPECT_EQ(stats::cabrilloFileBase(""), "NOCALL");
}

TEST(CabrilloHeader, LoadsStoredFieldsAndFixedValues) {
  stats_test::FakeProfile profile;
  profile.values = {{"Name", "Ann"}, {"Mode", "CW"}, {"SoapBox", "a<CR><LF>b"}, {"Claimed", "42"}};
  CabrilloState header;
  header.qsoLines = {"kept\r\n"};
  EXPECT_EQ(stats::loadCabrilloHeader(header, stats::Settings(profile), "DL1AA/P "), 1);
  EXPECT_EQ(header.ownCall, "DL1AA/P ");
  EXPECT_EQ(header.fileBase, "DL1AA_P");
  EXPECT_EQ(header.operators, "DL1AA/P");  // the default loses its trailing blanks
  EXPECT_EQ(header.name, "Ann");
  EXPECT_EQ(header.claimed, "42");
  EXPECT_EQ(header.contest, "ZRV-DX-CW");
  EXPECT_EQ(header.categoryMode, "CW");
  EXPECT_EQ(header.categoryOperator, "SINGLE OPERATOR");
  EXPECT_EQ(header.location, "DX");
  EXPECT_EQ(header.soapbox, "a\r\nb");
  EXPECT_EQ(header.qsoLines.size(), 1u);

  profile.values["Mode"] = "cw";
  EXPECT_EQ(stats::loadCabrilloHeader(header, stats::Settings(profile), "K1AA"), 0);
  EXPECT_EQ(header.contest, "ZRV-DX-SSB");
  EXPECT_EQ(header.categoryMode, "SSB");
}

TEST(CabrilloHeader, ConfirmedDialogSavesInOrderAndDiscardsTheClaimedText) {
  stats_test::FakeProfile profile;
  const stats::Settings settings(profile);
  CabrilloState header;
  header.qsoLines = {"old\r\n"};
  stats::loadCabrilloHeader(header, settings, "K1AA");
  CabrilloState edited = header;
  edited.claimed = "999999";
  edited.categoryOperator = "MULTI-ONE";
  edited.ownCall = "K1AB";
  edited.soapbox = "line one\r\nline two";
  stats::copyCabrilloDialogResult(header, edited);
  stats::saveConfirmedCabrilloHeader(header, settings);

  const std::vector<std::string> order = {"Operators",
                                          "Name",
                                          "Address",
                                          "Address_City",
                                          "Address_St_Prov",
                                          "Address_PostalCode",
                                          "Address_Country",
                                          "Category",
                                          "Category_Overlay",
                                          "Contest",
                                          "Email",
                                          "Club",
                                          "SoapBox"};
  ASSERT_EQ(profile.writes.size(), order.size());
  for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(profile.writes[i].first, order[i]);
  EXPECT_EQ(profile.values["Category"], "MULTI-ONE");
  EXPECT_EQ(profile.values["SoapBox"], "line one<CR><LF>line two");
  EXPECT_EQ(header.soapbox, "line one\r\nSOAPBOX: line two");
  EXPECT_EQ(header.claimed, "");
  EXPECT_EQ(header.ownCall, "K1AB");
  EXPECT_EQ(header.fileBase, "K1AA");
  EXPECT_TRUE(header.qsoLines.empty());
}

TEST(CabrilloHeader, CancelledDialogKeepsFieldsAndLines) {
  CabrilloState header;
  header.soapbox = "x\r\ny";
  header.qsoLines = {"old\r\n"};
  stats::keepCancelledCabrilloHeader(header);
  EXPECT_EQ(header.soapbox, "x\r\nSOAPBOX: y");
  EXPECT_EQ(header.qsoLines.size(), 1u);
}

TEST(CabrilloWriter, ModeCodes) {
  EXPECT_EQ(stats::cabrilloModeCode("SSB"), "PH");
  EXPECT_EQ(stats::cabrilloModeCode("CW"), "CW");
  EXPECT_EQ(stats::cabrilloModeCode("ssb"), "??");
}

TEST(CabrilloWriter, QsoLineColumns) {
  CabrilloState header;
  header.ownCall = "DL1AA";
  const COleDateTime time{46000.0 + 12.5 / 24.0, COleDateTimeValid};  // 2025-12-09 12:30
  stats::AddCabrilloQso(header, 1, "ON4AA", 14025, "CW", time, "0001 --", "0012 AN");
  stats::AddCabrilloQso(header, 0, "K1AA", 3750, "PH", time, "0002 --", "0005 --");
  stats::AddCabrilloQso(header, 0, "W1AW", 144300, "??", COleDateTime{0, COleDateTimeNull},
                        "123456 --", "1 --");
  ASSERT_EQ(header.qsoLines.size(), 3u);
  EXPECT_EQ(header.qsoLines[0],
            "QSO: 14025 CW 2025-12-09 1230 DL1AA         599 0001 --     ON4AA         599 "
            "0012 AN\r\n");
  EXPECT_EQ(header.qsoLines[1],
            "QSO:  3750 PH 2025-12-09 1230 DL1AA         59  0002 --     K1AA          59  "
            "0005 --\r\n");
  EXPECT_EQ(header.qsoLines[2],
            "QSO: 144300 ??  DL1AA         59  123456 --     W1AW          59  1 --\r\n");
}

TEST(CabrilloWriter, FileTextHeaderOrder) {
  CabrilloState header;
  header.ownCall = "ON4AA";
  header.categoryOperator = "SINGLE OPERATOR";
  header.categoryBand = "ALL BANDS";
  header.categoryPower = "HIGH POWER";
  header.categoryOverlay = "NONE";
  header.operators = "ON4AA";
  header.soapbox = "hi\r\nSOAPBOX: there";
  header.qsoLines = {"QSO: x\r\n"};
  EXPECT_EQ(stats::cabrilloFileText(header, 1, 1, -5),
            "START-OF-LOG: 2.0\r\nCONTEST: ZRV-DX-CW\r\nCALLSIGN: ON4AA\r\n"
            "CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER NONE\r\n"
            "OPERATORS: ON4AA\r\nCLAIMED-SCORE: -5\r\nNAME: \r\nEMAIL: \r\n"
            "ADDRESS: \r\nADDRESS: \r\nADDRESS: \r\nADDRESS: \r\nADDRESS: \r\n"
            "SOAPBOX: hi\r\nSOAPBOX: there\r\nQSO: x\r\nEND-OF-LOG:\r\n");
  EXPECT_NE(stats::cabrilloFileText(header, 0, 0, 0)
                .find("CONTEST: ZRV-DX-SSB\r\nCALLSIGN: ON4AA\r\n"
                      "CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER\r\n"),
            std::string::npos);
}

}  // namespace
