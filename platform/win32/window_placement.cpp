#include "platform/win32/window_placement.h"

#include "core/settings/settings.h"

namespace stats {

void placeWindow(HWND window, LiveWindows& windows, const WindowPlace& place) {
  const Settings settings(windows.context().profile);
  const ScreenPoint position = restoreWindowPosition(settings, windows.positions(), place);
  SetWindowPos(window, nullptr, position.x, position.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void rememberWindowPosition(HWND window, LiveWindows& windows, const WindowPlace& place) {
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return;
  const Settings settings(windows.context().profile);
  saveWindowPosition(settings, windows.positions(), place, {frame.left, frame.top});
}

HICON loadWindowIcon(HMODULE module, int iconId) {
  // Icons from resources are shared by the system: nothing to free.
  return LoadIconW(module, MAKEINTRESOURCEW(iconId));
}

void setWindowIcon(HWND window, HICON icon) {
  if (icon != nullptr) SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

}  // namespace stats
