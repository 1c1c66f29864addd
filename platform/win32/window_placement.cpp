#include "platform/win32/window_placement.h"

#include "core/settings/settings.h"

namespace stats {

namespace {

ScreenRect screenRect(const RECT& rect) {
  return {rect.left, rect.top, rect.right, rect.bottom};
}

// Where a window of this size at `position` is shown: on the work area of the monitor it lies
// most on, or of the nearest one when it lies on none (a screen unplugged since it was saved).
ScreenPoint onSomeScreen(HWND window, ScreenPoint position) {
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return position;
  const RECT wanted{position.x, position.y, position.x + (frame.right - frame.left),
                    position.y + (frame.bottom - frame.top)};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &monitor)) {
    return position;
  }
  return keepOnWorkArea(screenRect(wanted), screenRect(monitor.rcWork));
}

}  // namespace

void placeWindow(HWND window, LiveWindows& windows, const WindowPlace& place) {
  const Settings settings(windows.context().profile);
  const ScreenPoint saved = restoreWindowPosition(settings, windows.positions(), place);
  const ScreenPoint position = onSomeScreen(window, saved);
  if (position != saved) windows.noteMovedOnScreen(window, position);
  SetWindowPos(window, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void rememberWindowPosition(HWND window, LiveWindows& windows, const WindowPlace& place) {
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return;
  const ScreenPoint topLeft{frame.left, frame.top};
  if (windows.standsWhereMovedOnScreen(window, topLeft)) return;
  const Settings settings(windows.context().profile);
  saveWindowPosition(settings, windows.positions(), place, topLeft);
}

HICON loadWindowIcon(HMODULE module, int iconId) {
  // Icons from resources are shared by the system: nothing to free.
  return LoadIconW(module, MAKEINTRESOURCEW(iconId));
}

void setWindowIcon(HWND window, HICON icon) {
  if (icon != nullptr) SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

}  // namespace stats
