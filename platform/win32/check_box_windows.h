// The province window (template 114) and the European-Union window (template 115): check boxes
// that the poll ticks, always on top, in their colours, remembering where they were. Closing one
// (close box, Enter, Escape) only hides it until the run ends.
#pragma once

#include <windows.h>

#include "platform/win32/live_windows.h"

namespace stats {

// What the two windows take from the resources of Stats.dll. The window thread loads them when its
// run starts, before the host's thread stops waiting for the live window: a resource lookup takes
// the loader's lock, and while the library is being unloaded the host's thread holds that lock
// and waits for the window thread to close its windows.
struct CheckBoxWindowResources {
  HMODULE module = nullptr;
  const DLGTEMPLATE* provinceTemplate = nullptr;
  const DLGTEMPLATE* euTemplate = nullptr;
  HICON provinceIcon = nullptr;
  HICON euIcon = nullptr;
};
CheckBoxWindowResources loadCheckBoxWindowResources(HMODULE module);

// Creates the window of that slot (provinceWindow or euWindow) without showing it; null when it
// cannot be created.
HWND createCheckBoxWindow(LiveWindows& windows, LiveWindows::Slot slot,
                          const CheckBoxWindowResources& resources);

}  // namespace stats
