#include "core/dialogs/combo_selection.h"

#include <gtest/gtest.h>

namespace {

using stats::selectComboEntry;

const std::vector<std::string> kOperators = {"SINGLE OPERATOR", "MULTI-ONE", "CHECKLOG"};
const std::vector<std::string> kOverlays = {"12-HOURS", "24-HOURS", "6-HOURS", "ON3"};
const std::vector<std::string> kStates = {"MA", "MI", "MN", "MS", "NE", "NV", "NWT"};

TEST(ComboSelection, SelectsTheEntryThatEqualsTheText) {
  const auto selection = selectComboEntry(kOperators, "MULTI-ONE");
  EXPECT_EQ(selection.selectedIndex, 1u);
  EXPECT_EQ(selection.shownText, "MULTI-ONE");
}

TEST(ComboSelection, MatchesTheBeginningWithoutRegardToCaseAndShowsTheEntry) {
  const auto selection = selectComboEntry(kOperators, "single");
  EXPECT_EQ(selection.selectedIndex, 0u);
  EXPECT_EQ(selection.shownText, "SINGLE OPERATOR");

  EXPECT_EQ(selectComboEntry(kOverlays, "6-hOuRs").selectedIndex, 2u);
  EXPECT_EQ(selectComboEntry(kOperators, "cHeCk").shownText, "CHECKLOG");
}

TEST(ComboSelection, TakesTheFirstOfSeveralEntriesThatBeginWithTheText) {
  EXPECT_EQ(selectComboEntry(kStates, "M").selectedIndex, 0u);
  EXPECT_EQ(selectComboEntry(kStates, "N").selectedIndex, 4u);
  EXPECT_EQ(selectComboEntry(kStates, "nw").shownText, "NWT");
}

TEST(ComboSelection, WithoutAMatchNothingIsSelectedAndTheTextIsShownUnchanged) {
  const auto none = selectComboEntry(kOverlays, "None");
  EXPECT_FALSE(none.selectedIndex.has_value());
  EXPECT_EQ(none.shownText, "None");

  // The text must be a beginning of the entry, not the other way round.
  EXPECT_FALSE(selectComboEntry(kOperators, "SINGLE OPERATORS").selectedIndex.has_value());
  // Only letters are compared without regard to case; other characters must be equal.
  EXPECT_FALSE(selectComboEntry(kOverlays, "24_HOURS").selectedIndex.has_value());
  EXPECT_FALSE(selectComboEntry(kOverlays, " ON3").selectedIndex.has_value());
}

TEST(ComboSelection, EmptyTextSelectsTheFirstEntryAndAnEmptyListNothing) {
  EXPECT_EQ(selectComboEntry(kOverlays, "").selectedIndex, 0u);
  EXPECT_EQ(selectComboEntry(kOverlays, "").shownText, "12-HOURS");

  const auto empty = selectComboEntry({}, "FIXED");
  EXPECT_FALSE(empty.selectedIndex.has_value());
  EXPECT_EQ(empty.shownText, "FIXED");
}

}  // namespace
