// The Cabrillo header dialog's controls: one per field of the header, each of the right kind.
#include "platform/win32/cabrillo_dialog_controls.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "core/cabrillo/cabrillo_header_settings.h"
#include "resources/resource.h"

namespace {

using stats::cabrilloHeaderControls;
using stats::CabrilloState;

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
// no field is left out and no two fields share a control; every field of the header's table has
// its control.
TEST(CabrilloHeaderSettings, EveryEditedFieldMakesTheRoundTripThroughItsOwnControl) {
  const CabrilloState original = distinctHeader();
  std::map<int, std::string> controls;
  for (const auto& binding : cabrilloHeaderControls()) {
    EXPECT_TRUE(controls.emplace(binding.id, original.*binding.member).second)
        << "control " << binding.id << " is bound twice";
  }
  CabrilloState readBack;
  for (const auto& binding : cabrilloHeaderControls()) {
    readBack.*binding.member = controls.at(binding.id);
  }
  for (const auto& field : stats::cabrilloHeaderFields()) {
    const auto shown = [&](const stats::HeaderControl& control) {
      return control.member == field.member;
    };
    EXPECT_TRUE(std::ranges::any_of(cabrilloHeaderControls(), shown)) << field.key;
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
  for (const auto& binding : cabrilloHeaderControls()) {
    (binding.kind == stats::HeaderControlKind::comboBox ? comboBoxes : edits).insert(binding.id);
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
