#include "core/cabrillo/cabrillo_header_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fakes.h"

namespace {

using stats::cabrilloHeaderFields;
using stats::CabrilloState;

TEST(CabrilloHeaderSettings, LoadsStoredFieldsAndFixedValues) {
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

TEST(CabrilloHeaderSettings, ConfirmedDialogSavesInOrderAndDiscardsTheClaimedText) {
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

TEST(CabrilloHeaderSettings, CancelledDialogKeepsFieldsAndLines) {
  CabrilloState header;
  header.soapbox = "x\r\ny";
  header.qsoLines = {"old\r\n"};
  stats::keepCancelledCabrilloHeader(header);
  EXPECT_EQ(header.soapbox, "x\r\nSOAPBOX: y");
  EXPECT_EQ(header.qsoLines.size(), 1u);
}

}  // namespace
