// The test host's side of the live windows: the settings the plug-in reads, its three windows
// found among this process's windows, what they show, and waits of the test's thread that keep
// serving its messages, and with them the calls the window thread makes to the test's automation
// object (tests/support/automation_object.h), as the logger's own thread does.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/wine/wine_host.h"

namespace stats_test {

// Serves this thread's messages until `done` answers true or `timeoutMs` have passed; the last
// answer of `done`.
bool serveUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
void serveFor(DWORD milliseconds);

// One key of section [Settings] of Plugins\ZRV.ini under the current directory changed through
// the profile functions the plug-in itself uses (readSetting of the shared harness reads one).
void writeSetting(const char* key, const std::string& value);
void removeSetting(const char* key);

// The settings of a contest start that opens the live window: the window wanted, "Start" at 0, the
// mode, and the three windows placed apart so that none covers another.
void writeLiveWindowSettings(const std::string& mode = "CW");
inline constexpr POINT kLiveWindowAt{20, 20};
inline constexpr POINT kProvinceWindowAt{700, 20};
inline constexpr POINT kEuWindowAt{700, 130};

// The plug-in's windows among this process's top-level windows, told apart by their controls (the
// owner-drawn panel, the province boxes, the European-Union boxes); null for one that is missing.
struct LiveWindowHandles {
  HWND live = nullptr;
  HWND province = nullptr;
  HWND eu = nullptr;
};
LiveWindowHandles findLiveWindows();
// Whether any of them still exists.
bool anyLiveWindow();
// Whether all three are open and shown. A window exists, with its controls, before the plug-in
// has placed it; it is shown only once placed, so tests that look at or close the windows wait
// for this rather than for the handles.
bool liveWindowsShown();

std::string windowTitle(HWND window);
// The texts of the window's ticked check boxes, in the order of the controls.
std::vector<std::string> tickedBoxes(HWND window);
// The texts of all its check boxes.
std::vector<std::string> checkBoxes(HWND window);

}  // namespace stats_test
