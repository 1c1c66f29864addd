#include "core/live/window_positions.h"

#include <algorithm>
#include <cstdint>

namespace stats {
namespace {

// How much of [from, to) lies within [low, high).
int64_t overlap(int from, int to, int low, int high) {
  return std::max<int64_t>(0, int64_t{std::min(to, high)} - std::max(from, low));
}

// The start of a span of `length` moved as little as it takes into [low, high).
int clampedStart(int start, int length, int low, int high) {
  return std::max(low, std::min(start, high - length));
}

}  // namespace

ScreenPoint restoreWindowPosition(const Settings& settings, PositionCache& cache,
                                  const WindowPlace& place) {
  cache.x = settings.readNumber(place.xKey);
  cache.y = settings.readNumber(place.yKey);
  // A stored 0 cannot be told from a missing key: both give the default.
  if (cache.x == 0) cache.x = place.defaultX;
  if (cache.y == 0) cache.y = place.defaultY;
  return {cache.x, cache.y};
}

void saveWindowPosition(const Settings& settings, PositionCache& cache, const WindowPlace& place,
                        ScreenPoint topLeft) {
  if (topLeft.x != cache.x) {
    cache.x = topLeft.x;
    settings.writeNumber(place.xKey, topLeft.x);
  }
  if (topLeft.y != cache.y) {
    cache.y = topLeft.y;
    settings.writeNumber(place.yKey, topLeft.y);
  }
}

ScreenPoint keepOnWorkArea(const ScreenRect& frame, const ScreenRect& workArea) {
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int64_t area = int64_t{width} * height;
  const int64_t shown = overlap(frame.left, frame.right, workArea.left, workArea.right) *
                        overlap(frame.top, frame.bottom, workArea.top, workArea.bottom);
  if (area > 0 && shown * 3 >= area * 2) return {frame.left, frame.top};
  return {clampedStart(frame.left, width, workArea.left, workArea.right),
          clampedStart(frame.top, height, workArea.top, workArea.bottom)};
}

PanelRect panelPlacement(int clientWidth, int clientHeight) {
  return {1, 1, 1 + (clientWidth - 4), 1 + (clientHeight - 4)};
}

}  // namespace stats
