#include "plugin/cabrillo_header_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace {

using stats::cabrilloHeaderFields;
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
// no field is left out and no two fields share a control.
TEST(CabrilloDialogFields, EveryEditedFieldMakesTheRoundTripThroughItsOwnControl) {
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

TEST(CabrilloDialogFields, TheCategoryChoicesAndTheLocationAreComboBoxesAndTheRestEdits) {
  std::set<int> comboBoxes, edits;
  for (const auto& binding : cabrilloHeaderFields()) {
    (binding.control == stats::HeaderControl::comboBox ? comboBoxes : edits)
        .insert(binding.controlId);
  }
  EXPECT_EQ(comboBoxes, (std::set<int>{1013, 1014, 1016, 1021, 1022, 1023, 1024, 1025}));
  EXPECT_EQ(edits, (std::set<int>{1001, 1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 1010, 1011,
                                  1012, 1015, 1020}));
}

}  // namespace
