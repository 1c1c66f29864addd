#include "core/live/info_panel.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using stats::Color;
using stats::PanelRect;
using Calls = std::vector<std::string>;

std::string fill(const PanelRect& r, Color c) {
  return "fill " + std::to_string(r.left) + "," + std::to_string(r.top) + "," +
         std::to_string(r.right) + "," + std::to_string(r.bottom) + " rgb " +
         std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}
std::string text(int x, int y, std::string_view s) {
  return "text " + std::to_string(x) + "," + std::to_string(y) + " " + std::string(s);
}
const std::string kTransparent = "transparent";
constexpr Color kGrid{255, 250, 198}, kTable{255, 255, 198}, kHighlight{198, 255, 255};

// Records every drawing call as one line, in order.
class RecordingCanvas : public stats::Canvas {
 public:
  void fillRect(const PanelRect& r, Color c) override { calls.push_back(fill(r, c)); }
  void setTransparentBackground() override { calls.push_back(kTransparent); }
  void drawText(int x, int y, std::string_view s) override { calls.push_back(text(x, y, s)); }
  Calls calls;
};

Calls paint(const PanelRect& item, std::string call, int band, stats::ContestState& state) {
  RecordingCanvas canvas;
  stats::PollState poll;
  poll.currentCall = std::move(call);
  poll.currentBand = band;
  stats::paintInfoPanel(canvas, item, poll, state);
  return canvas.calls;
}

// Row i holds "B<i>", "M<i>", "T<i>", "X<i>" and a spare entry that is never drawn.
stats::ContestState stateWithFullRows() {
  stats::ContestState state;
  for (size_t i = 0; i < state.panelRows.size(); ++i) {
    const std::string n = std::to_string(i);
    state.panelRows[i] = {"B" + n, "M" + n, "T" + n, "X" + n, "spare"};
  }
  return state;
}

TEST(InfoPanel, PaintsTheBandTableWithTheRadiosBandHighlighted) {
  auto state = stateWithFullRows();
  const PanelRect item{0, 0, 320, 180};  // 180 / 7 = 25 pixels a line
  Calls expected = {fill(item, kTable),    fill({0, 100, 320, 125}, kHighlight),
                    kTransparent,          text(20, 18, "Band"),
                    text(100, 18, "Mode"), text(140, 0, "ON4ABC"),
                    text(178, 18, "Time"), text(230, 18, "ExchangeRx")};
  for (int j = 1; j <= 6; ++j) {
    const std::string n = std::to_string(j - 1);
    for (auto [x, entry] : {std::pair{20, "B"}, {100, "M"}, {180, "T"}, {260, "X"}}) {
      expected.push_back(text(x, 25 * j, entry + n));
    }
  }
  EXPECT_EQ(paint(item, "ON4ABC", 3, state), expected);
}

TEST(InfoPanel, HighlightsOnlyAContestBand) {
  const struct {
    int bottom, band;
    Calls highlight;
  } cases[] = {{180, -1, {}},
               {180, 6, {}},
               {180, 0, {fill({0, 25, 250, 50}, kHighlight)}},
               {146, 5, {fill({0, 120, 250, 140}, kHighlight)}}};  // 146 / 7 = 20
  for (const auto& c : cases) {
    SCOPED_TRACE("band " + std::to_string(c.band));
    auto state = stateWithFullRows();
    const Calls calls = paint({0, 0, 250, c.bottom}, "DL1AA", c.band, state);
    ASSERT_GT(calls.size(), 2 + c.highlight.size());
    EXPECT_EQ(Calls(calls.begin() + 1, calls.begin() + 1 + c.highlight.size()), c.highlight);
    EXPECT_EQ(calls[1 + c.highlight.size()], kTransparent);
  }
}

TEST(InfoPanel, GridShowsTheDxccListSortedByBytesAndLeavesItSorted) {
  stats::ContestState state;
  state.belgianStation = 1;
  state.dxccByBand[2] = {"OK", "\xC9", "DL", "9A"};  // a byte above 127 sorts last
  const PanelRect item{0, 0, 400, 180};
  EXPECT_EQ(paint(item, "", 2, state),
            (Calls{fill(item, kGrid), kTransparent, text(5, 0, "9A"), text(45, 0, "DL"),
                   text(85, 0, "OK"), text(125, 0, "\xC9")}));
  EXPECT_EQ(state.dxccByBand[2], (stats::TextList{"9A", "DL", "OK", "\xC9"}));
}

TEST(InfoPanel, GridWrapsWhenTheNextCellWouldPassTheRightEdge) {
  // At 205 wide a cell ending exactly 40 pixels before the edge still fits on the line.
  const struct {
    int right, xOfE, yOfE, xOfF, yOfF;
  } cases[] = {{200, 5, 15, 45, 15}, {205, 165, 0, 5, 15}};
  for (const auto& c : cases) {
    stats::ContestState state;
    state.belgianStation = 1;
    state.dxccByBand[0] = {"A", "B", "C", "D", "E", "F"};
    EXPECT_EQ(paint({0, 0, c.right, 180}, "", 0, state),
              (Calls{fill({0, 0, c.right, 180}, kGrid), kTransparent, text(5, 0, "A"),
                     text(45, 0, "B"), text(85, 0, "C"), text(125, 0, "D"),
                     text(c.xOfE, c.yOfE, "E"), text(c.xOfF, c.yOfF, "F")}));
  }
}

TEST(InfoPanel, GridOnlyForABelgianStationWithNoCallEntered) {
  const PanelRect item{0, 0, 300, 140};
  const struct {
    int belgian;
    const char* call;
    Color background;
  } cases[] = {{1, "ON4ABC", kTable}, {0, "", kTable}, {1, "", kGrid}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.belgian) + " '" + c.call + "'");
    auto state = stateWithFullRows();
    state.belgianStation = c.belgian;
    const Calls calls = paint(item, c.call, 2, state);
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ(calls.front(), fill(item, c.background));
  }

  auto state = stateWithFullRows();
  state.belgianStation = 1;
  state.dxccByBand[0] = {"F"};
  for (int band : {-1, 6}) EXPECT_EQ(paint(item, "", band, state), Calls{fill(item, kGrid)});
}

TEST(InfoPanel, ARowWithFewerThanFourEntriesEndsThePaint) {
  auto state = stateWithFullRows();
  state.panelRows[1] = {"B1", "M1"};
  const Calls calls = paint({0, 0, 300, 70}, "", 1, state);  // 70 / 7 = 10
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(Calls(calls.end() - 3, calls.end()),
            (Calls{text(260, 10, "X0"), text(20, 20, "B1"), text(100, 20, "M1")}));

  state.panelRows[0].clear();
  EXPECT_EQ(paint({0, 0, 300, 70}, "", 1, state).back(), text(230, 18, "ExchangeRx"));
}

}  // namespace
