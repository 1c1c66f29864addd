#include "core/live/info_panel.h"

#include <array>
#include <utility>

namespace stats {
namespace {

constexpr Color kGridBackground{255, 250, 198};
constexpr Color kTableBackground{255, 255, 198};
constexpr Color kCurrentBandRow{198, 255, 255};

// The grid: fixed-width cells from the top-left corner, wrapped before the right edge.
constexpr int kGridLeft = 5;
constexpr int kGridCellWidth = 40;
constexpr int kGridLineHeight = 15;

// The table: a header line and one line per contest band, the panel's height split evenly.
constexpr int kTableLines = 1 + static_cast<int>(kContestBandCount);
constexpr int kHeaderTextTop = 18;
constexpr int kCallLeft = 140;

struct HeaderText {
  int x;
  const char* text;
};
constexpr HeaderText kBandHeader{20, "Band"};
constexpr HeaderText kModeHeader{100, "Mode"};
constexpr HeaderText kTimeHeader{178, "Time"};
constexpr HeaderText kExchangeHeader{230, "ExchangeRx"};

// Band name, mode, time and exchange received; a row's further entries are not shown.
constexpr std::array<int, 4> kRowColumns = {20, 100, 180, 260};

bool isContestBand(int band) {
  return band >= 0 && band < static_cast<int>(kContestBandCount);
}

// Ascending in byte order, in place: the list stays in the order the grid shows.
void sortAscending(TextList& list) {
  for (size_t i = 0; i + 1 < list.size(); ++i) {
    for (size_t j = i + 1; j < list.size(); ++j) {
      if (list[j] < list[i]) std::swap(list[i], list[j]);
    }
  }
}

void paintDxccGrid(Canvas& canvas, const PanelRect& item, int band, ContestState& state) {
  canvas.fillRect(item, kGridBackground);
  if (!isContestBand(band)) return;
  canvas.setTransparentBackground();

  TextList& countries = state.dxccByBand[static_cast<size_t>(band)];
  sortAscending(countries);
  int x = kGridLeft;
  int y = 0;
  for (const std::string& country : countries) {
    canvas.drawText(x, y, country);
    x += kGridCellWidth;
    if (x > item.right - kGridCellWidth) {
      y += kGridLineHeight;
      x = kGridLeft;
    }
  }
}

void paintBandTable(Canvas& canvas, const PanelRect& item, const PollState& poll,
                    const ContestState& state) {
  canvas.fillRect(item, kTableBackground);
  const int lineHeight = item.bottom / kTableLines;
  if (isContestBand(poll.currentBand)) {
    const int top = lineHeight * (poll.currentBand + 1);
    canvas.fillRect({0, top, item.right, top + lineHeight}, kCurrentBandRow);
  }
  canvas.setTransparentBackground();

  canvas.drawText(kBandHeader.x, kHeaderTextTop, kBandHeader.text);
  canvas.drawText(kModeHeader.x, kHeaderTextTop, kModeHeader.text);
  canvas.drawText(kCallLeft, 0, poll.currentCall);
  canvas.drawText(kTimeHeader.x, kHeaderTextTop, kTimeHeader.text);
  canvas.drawText(kExchangeHeader.x, kHeaderTextTop, kExchangeHeader.text);

  for (size_t band = 0; band < kContestBandCount; ++band) {
    const TextList& row = state.panelRows[band];
    const int y = lineHeight * static_cast<int>(band + 1);
    for (size_t column = 0; column < kRowColumns.size(); ++column) {
      // A short row ends the paint: the rows below it stay as the background left them.
      if (column >= row.size()) return;
      canvas.drawText(kRowColumns[column], y, row[column]);
    }
  }
}

}  // namespace

void paintInfoPanel(Canvas& canvas, const PanelRect& item, const PollState& poll,
                    ContestState& state) {
  if (poll.currentCall.empty() && state.belgianStation != 0) {
    paintDxccGrid(canvas, item, poll.currentBand, state);
  } else {
    paintBandTable(canvas, item, poll, state);
  }
}

}  // namespace stats
