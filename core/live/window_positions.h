// Where the three live windows open: each restores its top-left corner from two settings keys and
// saves it there when it has moved. One cache of the last position read or written, shared by the
// three windows, decides what is written: a coordinate equal to it is not written again.
#pragma once

#include <string_view>

#include "core/live/canvas.h"
#include "core/settings/settings.h"

namespace stats {

struct WindowPlace {
  std::string_view xKey, yKey;
  int defaultX, defaultY;  // used when a key is missing, not a number, or 0
};

inline constexpr WindowPlace kLiveWindowPlace{keys::kDxccX, keys::kDxccY, 10, 400};
inline constexpr WindowPlace kProvinceWindowPlace{keys::kContX, keys::kContY, 10, 400};
inline constexpr WindowPlace kEuWindowPlace{keys::kStatX, keys::kStatY, 10, 600};

struct ScreenPoint {
  int x = 0, y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

// A window's frame or a monitor's work area, in screen coordinates (right and bottom outside).
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// The last position any of the three windows read or wrote.
struct PositionCache {
  int x = 0, y = 0;
};

// The position a window opens at.
ScreenPoint restoreWindowPosition(const Settings& settings, PositionCache& cache,
                                  const WindowPlace& place);

// Where a window of that frame is shown, given the work area of the monitor the frame lies most on
// (or is nearest to): where the frame is when at least two thirds of it lie on that work area;
// else moved onto the work area, size kept (its top-left corner on it when the window is the
// larger). A position saved on a screen that is gone, or half below a smaller one, opens where the
// operator can see and move the window.
ScreenPoint keepOnWorkArea(const ScreenRect& frame, const ScreenRect& workArea);

// Called whenever the pointer is over the window: writes each coordinate of `topLeft` that
// differs from the cache.
void saveWindowPosition(const Settings& settings, PositionCache& cache, const WindowPlace& place,
                        ScreenPoint topLeft);

// Where the live window's panel goes in a client area of that size: a margin of one pixel at the
// left and top and three at the right and bottom (as left, top, right, bottom).
PanelRect panelPlacement(int clientWidth, int clientHeight);

}  // namespace stats
