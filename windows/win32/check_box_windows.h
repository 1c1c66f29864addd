// The province window (template 114) and the European-Union window (template 115): check boxes
// that the poll ticks, always on top, in their colours, remembering where they were. Closing one
// (close box, Enter, Escape) only hides it until the run ends.
#pragma once

#include <windows.h>

#include "windows/win32/live_windows.h"

namespace stats {

// Creates the window of that slot (provinceWindow or euWindow) without showing it; null when it
// cannot be created.
HWND createCheckBoxWindow(LiveWindows& windows, LiveWindows::Slot slot);

}  // namespace stats
