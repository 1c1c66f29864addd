#include "core/cabrillo/cabrillo_header_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "fakes.h"
#include "resources/resource.h"

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

// A header with a different text in every field.
CabrilloState distinctHeader() {
  CabrilloState header;
  std::string CabrilloState::*fields[] = {&CabrilloState::ownCall,
                                          &CabrilloState::name,
                                          &CabrilloState::address,
                                          &CabrilloState::addressCity,
                                          &CabrilloState::addressStProv,
                                          &CabrilloState::addressPostalCode,
                                          &CabrilloState::addressCountry,
                                          &CabrilloState::claimed,
                                          &CabrilloState::contest,
                                          &CabrilloState::email,
                                          &CabrilloState::club,
                                          &CabrilloState::soapbox,
                                          &CabrilloState::operators,
                                          &CabrilloState::categoryOperator,
                                          &CabrilloState::categoryStation,
                                          &CabrilloState::categoryOverlay,
                                          &CabrilloState::categoryMode,
                                          &CabrilloState::categoryBand,
                                          &CabrilloState::categoryAssisted,
                                          &CabrilloState::categoryTransmitter,
                                          &CabrilloState::categoryPower,
                                          &CabrilloState::location,
                                          &CabrilloState::fileBase};
  int number = 0;
  for (auto field : fields) header.*field = "text " + std::to_string(++number);
  header.qsoLines = {"QSO line\r\n"};
  return header;
}

// Showing a header in the controls and reading the controls back gives every edited field again:
// no field is left out and no two fields share a control.
TEST(CabrilloHeaderSettings, EveryEditedFieldMakesTheRoundTripThroughItsOwnControl) {
  const CabrilloState original = distinctHeader();
  std::map<int, std::string> controls;
  for (const auto& binding : cabrilloHeaderFields()) {
    EXPECT_TRUE(controls.emplace(binding.controlId, original.*binding.member).second)
        << "control " << binding.controlId << " is bound twice";
  }
  CabrilloState readBack;
  for (const auto& binding : cabrilloHeaderFields()) {
    readBack.*binding.member = controls.at(binding.controlId);
  }
  readBack.fileBase = original.fileBase;
  readBack.qsoLines = original.qsoLines;

  const CabrilloState& expected = original;
  EXPECT_EQ(readBack.ownCall, expected.ownCall);
  EXPECT_EQ(readBack.name, expected.name);
  EXPECT_EQ(readBack.address, expected.address);
  EXPECT_EQ(readBack.addressCity, expected.addressCity);
  EXPECT_EQ(readBack.addressStProv, expected.addressStProv);
  EXPECT_EQ(readBack.addressPostalCode, expected.addressPostalCode);
  EXPECT_EQ(readBack.addressCountry, expected.addressCountry);
  EXPECT_EQ(readBack.claimed, expected.claimed);
  EXPECT_EQ(readBack.contest, expected.contest);
  EXPECT_EQ(readBack.email, expected.email);
  EXPECT_EQ(readBack.club, expected.club);
  EXPECT_EQ(readBack.soapbox, expected.soapbox);
  EXPECT_EQ(readBack.operators, expected.operators);
  EXPECT_EQ(readBack.categoryOperator, expected.categoryOperator);
  EXPECT_EQ(readBack.categoryStation, expected.categoryStation);
  EXPECT_EQ(readBack.categoryOverlay, expected.categoryOverlay);
  EXPECT_EQ(readBack.categoryMode, expected.categoryMode);
  EXPECT_EQ(readBack.categoryBand, expected.categoryBand);
  EXPECT_EQ(readBack.categoryAssisted, expected.categoryAssisted);
  EXPECT_EQ(readBack.categoryTransmitter, expected.categoryTransmitter);
  EXPECT_EQ(readBack.categoryPower, expected.categoryPower);
  EXPECT_EQ(readBack.location, expected.location);
}

TEST(CabrilloHeaderSettings, TheCategoryChoicesAndTheLocationAreComboBoxesAndTheRestEdits) {
  std::set<int> comboBoxes, edits;
  for (const auto& binding : cabrilloHeaderFields()) {
    (binding.control == stats::HeaderControl::comboBox ? comboBoxes : edits)
        .insert(binding.controlId);
  }
  EXPECT_EQ(comboBoxes,
            (std::set<int>{IDC_CABRILLO_CATEGORY_OPERATOR, IDC_CABRILLO_CATEGORY_BAND,
                           IDC_CABRILLO_CATEGORY_ASSISTED, IDC_CABRILLO_CATEGORY_POWER,
                           IDC_CABRILLO_CATEGORY_TRANSMITTER, IDC_CABRILLO_CATEGORY_OVERLAY,
                           IDC_CABRILLO_LOCATION, IDC_CABRILLO_CATEGORY_STATION}));
  EXPECT_EQ(edits, (std::set<int>{IDC_CABRILLO_SOAPBOX, IDC_CABRILLO_ADDRESS,
                                  IDC_CABRILLO_ADDRESS_CITY, IDC_CABRILLO_EMAIL, IDC_CABRILLO_CLUB,
                                  IDC_CABRILLO_OPERATORS, IDC_CABRILLO_NAME, IDC_CABRILLO_CLAIMED,
                                  IDC_CABRILLO_CONTEST, IDC_CABRILLO_CALLSIGN,
                                  IDC_CABRILLO_ADDRESS_ST_PROV, IDC_CABRILLO_ADDRESS_POSTALCODE,
                                  IDC_CABRILLO_ADDRESS_COUNTRY, IDC_CABRILLO_CATEGORY_MODE}));
}

}  // namespace
