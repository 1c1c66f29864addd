// Where the live windows open, and what they write when moved.
#include "core/live/window_positions.h"

#include <gtest/gtest.h>

#include "tests/support/fakes.h"

namespace {

using stats::ScreenPoint;

TEST(WindowPositions, RestoreUsesDefaultsForMissingOrZeroValues) {
  stats_test::FakeProfile profile;
  const stats::Settings settings(profile);
  stats::PositionCache cache;
  EXPECT_EQ(stats::restoreWindowPosition(settings, cache, stats::kLiveWindowPlace),
            (ScreenPoint{10, 400}));
  EXPECT_EQ(stats::restoreWindowPosition(settings, cache, stats::kProvinceWindowPlace),
            (ScreenPoint{10, 400}));
  EXPECT_EQ(stats::restoreWindowPosition(settings, cache, stats::kEuWindowPlace),
            (ScreenPoint{10, 600}));

  profile.values = {{"dxcc_x", "-1200"}, {"dxcc_y", " 300"}, {"stat_x", "0"}, {"stat_y", "x"}};
  EXPECT_EQ(stats::restoreWindowPosition(settings, cache, stats::kLiveWindowPlace),
            (ScreenPoint{-1200, 300}));
  EXPECT_EQ(stats::restoreWindowPosition(settings, cache, stats::kEuWindowPlace),
            (ScreenPoint{10, 600}));
  EXPECT_TRUE(profile.writes.empty());
}

// The cache is shared: a window writes only the coordinates that differ from the last position
// any of the three read or wrote.
TEST(WindowPositions, SaveWritesOnlyWhatDiffersFromTheSharedCache) {
  stats_test::FakeProfile profile;
  const stats::Settings settings(profile);
  stats::PositionCache cache;
  stats::restoreWindowPosition(settings, cache, stats::kLiveWindowPlace);  // cache (10, 400)

  stats::saveWindowPosition(settings, cache, stats::kProvinceWindowPlace, {10, 520});
  stats::saveWindowPosition(settings, cache, stats::kProvinceWindowPlace, {10, 520});
  stats::saveWindowPosition(settings, cache, stats::kLiveWindowPlace, {-1200, 300});
  stats::saveWindowPosition(settings, cache, stats::kEuWindowPlace, {-1200, 610});
  EXPECT_EQ(profile.writes,
            (std::vector<std::pair<std::string, std::string>>{
                {"cont_y", "520"}, {"dxcc_x", "-1200"}, {"dxcc_y", "300"}, {"stat_y", "610"}}));
}

TEST(WindowPositions, AWindowMostlyOffItsMonitorsWorkAreaIsMovedOntoIt) {
  const stats::ScreenRect workArea{0, 0, 1280, 984};  // a 1280 x 1024 screen above a taskbar
  const struct {
    stats::ScreenRect frame;
    stats::ScreenPoint shown;
  } cases[] = {
      {{10, 600, 310, 900}, {10, 600}},            // wholly on it: stays
      {{10, 784, 310, 1084}, {10, 784}},           // two thirds on it: stays
      {{10, 785, 310, 1085}, {10, 684}},           // a pixel less: up to the bottom edge
      {{30000, 30000, 30300, 30300}, {980, 684}},  // on a screen that is gone
      {{-2000, -500, -1700, -200}, {0, 0}},        // left of and above every screen
      {{-1000, 100, 1600, 400}, {0, 100}},         // wider than the work area: its left edge
      {{500, -10, 500, 290}, {500, 0}},            // no width: moved as a point would be
      {{1280, 200, 1580, 500}, {980, 200}},        // just right of it
  };
  for (const auto& example : cases) {
    const stats::ScreenPoint shown = stats::keepOnWorkArea(example.frame, workArea);
    EXPECT_EQ(shown, example.shown) << example.frame.left << "," << example.frame.top;
  }
}

TEST(WindowPositions, PanelKeepsItsMargins) {
  EXPECT_EQ(stats::panelPlacement(400, 250), (stats::PanelRect{1, 1, 397, 247}));
}

}  // namespace
