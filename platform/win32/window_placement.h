// What the three live windows share: where they open, remembering where they were moved, always
// on top, and their icons.
#pragma once

#include <windows.h>

#include "core/live/window_positions.h"
#include "platform/win32/live_windows.h"

namespace stats {

// Moves the window to its remembered position, or onto a screen when that lies off every screen
// (size and z-order kept), then puts it on top of other windows without moving or activating it.
void placeWindow(HWND window, LiveWindows& windows, const WindowPlace& place);

// Writes the window's position where it differs from the last one read or written.
void rememberWindowPosition(HWND window, LiveWindows& windows, const WindowPlace& place);

// The icon resource of that id in `module` (Stats.dll); null when it is missing.
HICON loadWindowIcon(HMODULE module, int iconId);
// Makes `icon` the window's large icon; nothing for null.
void setWindowIcon(HWND window, HICON icon);

}  // namespace stats
