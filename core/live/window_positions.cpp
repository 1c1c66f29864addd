#include "core/live/window_positions.h"

namespace stats {

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

PanelRect panelPlacement(int clientWidth, int clientHeight) {
  return {1, 1, 1 + (clientWidth - 4), 1 + (clientHeight - 4)};
}

}  // namespace stats
