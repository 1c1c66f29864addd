#include "tests/wine/live_window_host.h"

#include <algorithm>
#include <stdexcept>

#include "resources/resource.h"

namespace stats_test {
namespace {

const std::string kSettingsPath = kSettingsFile.string();
constexpr const char* kSection = "Settings";

bool ownerDrawnButton(HWND control) {
  return control != nullptr &&
         (GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

BOOL CALLBACK collectLiveWindow(HWND window, LPARAM parameter) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  auto& found = *reinterpret_cast<LiveWindowHandles*>(parameter);
  // The European-Union boxes' ids cover those of the province boxes.
  if (GetDlgItem(window, IDC_EU_LAST) != nullptr) {
    found.eu = window;
  } else if (GetDlgItem(window, IDC_PROVINCE_WV) != nullptr) {
    found.province = window;
  } else if (ownerDrawnButton(GetDlgItem(window, IDC_MULTIPLIER_PANEL))) {
    found.live = window;
  }
  return TRUE;
}

struct BoxCollection {
  bool tickedOnly;
  std::vector<std::string> texts;
};

BOOL CALLBACK collectBox(HWND control, LPARAM parameter) {
  auto& collection = *reinterpret_cast<BoxCollection*>(parameter);
  const LONG_PTR type = GetWindowLongPtrA(control, GWL_STYLE) & BS_TYPEMASK;
  if (type != BS_AUTOCHECKBOX && type != BS_CHECKBOX) return TRUE;
  if (!collection.tickedOnly || SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED) {
    collection.texts.push_back(windowTitle(control));
  }
  return TRUE;
}

std::vector<std::string> boxTexts(HWND window, bool tickedOnly) {
  BoxCollection collection{tickedOnly, {}};
  if (window != nullptr)
    EnumChildWindows(window, collectBox, reinterpret_cast<LPARAM>(&collection));
  return collection.texts;
}

}  // namespace

bool serveUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    if (done()) return true;
    const ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE,
                              static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10)),
                              QS_ALLINPUT);
  }
}

void serveFor(DWORD milliseconds) {
  serveUntil([] { return false; }, milliseconds);
}

void writeSetting(const char* key, const std::string& value) {
  if (!WritePrivateProfileStringA(kSection, key, value.c_str(), kSettingsPath.c_str())) {
    throw std::runtime_error(std::string("cannot write ") + key + " to " + kSettingsPath);
  }
}

void removeSetting(const char* key) {
  WritePrivateProfileStringA(kSection, key, nullptr, kSettingsPath.c_str());
}

void writeLiveWindowSettings(const std::string& mode) {
  writeSetting("Multiplier", "1");
  writeSetting("Start", "0");
  writeSetting("Mode", mode);
  writeSetting("dxcc_x", std::to_string(kLiveWindowAt.x));
  writeSetting("dxcc_y", std::to_string(kLiveWindowAt.y));
  writeSetting("cont_x", std::to_string(kProvinceWindowAt.x));
  writeSetting("cont_y", std::to_string(kProvinceWindowAt.y));
  writeSetting("stat_x", std::to_string(kEuWindowAt.x));
  writeSetting("stat_y", std::to_string(kEuWindowAt.y));
}

LiveWindowHandles findLiveWindows() {
  LiveWindowHandles found;
  EnumWindows(collectLiveWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool anyLiveWindow() {
  const LiveWindowHandles windows = findLiveWindows();
  return windows.live || windows.province || windows.eu;
}

bool liveWindowsShown() {
  const LiveWindowHandles windows = findLiveWindows();
  return windows.live && windows.province && windows.eu && IsWindowVisible(windows.live) &&
         IsWindowVisible(windows.province) && IsWindowVisible(windows.eu);
}

std::string windowTitle(HWND window) {
  char title[256] = {};
  if (window != nullptr) GetWindowTextA(window, title, sizeof title);
  return title;
}

std::vector<std::string> tickedBoxes(HWND window) {
  return boxTexts(window, true);
}

std::vector<std::string> checkBoxes(HWND window) {
  return boxTexts(window, false);
}

}  // namespace stats_test
