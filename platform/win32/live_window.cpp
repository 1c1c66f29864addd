#include "platform/win32/live_window.h"

#include <array>
#include <exception>
#include <mutex>
#include <string>

#include "core/diagnostics/diagnostics.h"
#include "core/live/check_boxes.h"
#include "platform/win32/check_box_windows.h"
#include "platform/win32/info_panel_drawing.h"
#include "platform/win32/module_handle.h"
#include "platform/win32/window_placement.h"
#include "platform/win32/window_text.h"
#include "resources/resource.h"

namespace stats {
namespace {

constexpr UINT kFirstPollAfterMs = 300;

// The province window's check boxes, in the order of the rules' provinces.
constexpr std::array<int, kProvinceBoxCount> kProvinceBoxIds = {
    IDC_PROVINCE_AN, IDC_PROVINCE_BR, IDC_PROVINCE_BW, IDC_PROVINCE_HT,
    IDC_PROVINCE_LB, IDC_PROVINCE_LG, IDC_PROVINCE_NM, IDC_PROVINCE_LU,
    IDC_PROVINCE_OV, IDC_PROVINCE_VB, IDC_PROVINCE_WV};

// The European-Union window's control of each box: among the template's check boxes
// (IDC_EU_FIRST to IDC_EU_LAST), the one that shows the box's text; 0 where none does.
using EuBoxControls = std::array<int, kEuBoxCount>;
EuBoxControls euBoxControls(HWND window) {
  EuBoxControls controls{};
  for (int id = IDC_EU_FIRST; id <= IDC_EU_LAST; ++id) {
    const std::string text = windowText(GetDlgItem(window, id));
    for (std::size_t box = 0; box < kEuBoxCount; ++box) {
      if (euBoxText(box) == text) controls[box] = id;
    }
  }
  return controls;
}

// One run of the live window.
struct LiveWindowRun {
  LiveWindows& windows;
  HostLink& host;
  HMODULE module = statsModule();
  CheckBoxWindowResources checkBoxResources = loadCheckBoxWindowResources(module);
  HICON icon = loadWindowIcon(module, IDI_STATS);
  // The European-Union window the box controls were last looked up in, and its controls.
  HWND euControlsWindow = nullptr;
  EuBoxControls euControls{};
  bool ended = false;
};

// What the poll changes in the three windows.
class WindowOutputs final : public PollOutputs {
 public:
  WindowOutputs(LiveWindowRun& run, HWND liveWindow)
      : run_(run), windows_(run.windows), resources_(run.checkBoxResources), live_(liveWindow) {}

  void cancelPollTimer() override { KillTimer(live_, kPollTimerId); }

  void showCheckBoxWindows() override {
    for (const auto slot : {LiveWindows::provinceWindow, LiveWindows::euWindow}) {
      if (windows_.window(slot) != nullptr) continue;  // a hidden one stays hidden
      if (HWND created = createCheckBoxWindow(windows_, slot, resources_)) {
        windows_.fill(slot, created);
        ShowWindow(created, SW_SHOWNOACTIVATE);  // the operator's typing stays in the logger
      }
    }
  }

  void setLiveWindowTitle(const std::string& title) override { setTitle(live_, title); }
  void setProvinceWindowTitle(const std::string& title) override {
    setTitle(windows_.window(LiveWindows::provinceWindow), title);
  }
  void setEuWindowTitle(const std::string& title) override {
    setTitle(windows_.window(LiveWindows::euWindow), title);
  }

  void setEuBoxes(const EuBoxes& ticked) override {
    HWND window = windows_.window(LiveWindows::euWindow);
    if (window == nullptr) return;
    if (run_.euControlsWindow != window) {
      run_.euControls = euBoxControls(window);
      run_.euControlsWindow = window;
    }
    for (std::size_t box = 0; box < ticked.size(); ++box) {
      if (run_.euControls[box] == 0) continue;
      CheckDlgButton(window, run_.euControls[box], ticked[box] ? BST_CHECKED : BST_UNCHECKED);
    }
  }

  void setProvinceBoxes(const ProvinceBoxes& ticked) override {
    HWND window = windows_.window(LiveWindows::provinceWindow);
    for (std::size_t box = 0; window != nullptr && box < ticked.size(); ++box) {
      CheckDlgButton(window, kProvinceBoxIds[box], ticked[box] ? BST_CHECKED : BST_UNCHECKED);
    }
  }

  void repaintPanel() override {
    InvalidateRect(GetDlgItem(live_, IDC_MULTIPLIER_PANEL), nullptr, FALSE);
  }

 private:
  static void setTitle(HWND window, const std::string& title) {
    if (window != nullptr) SetWindowTextA(window, title.c_str());
  }

  LiveWindowRun& run_;
  LiveWindows& windows_;
  const CheckBoxWindowResources& resources_;
  HWND live_;
};

void fitPanel(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const PanelRect panel = panelPlacement(client.right, client.bottom);
  MoveWindow(GetDlgItem(window, IDC_MULTIPLIER_PANEL), panel.left, panel.top,
             panel.right - panel.left, panel.bottom - panel.top, TRUE);
}

void poll(HWND window, LiveWindowRun& run) {
  WindowOutputs outputs(run, window);
  const LiveWindowContext& context = run.windows.context();
  runPoll(run.windows.pollState(), run.host, outputs, {context.mutex, context.state});
}

void paintPanel(const DRAWITEMSTRUCT& item, LiveWindowRun& run) {
  const LiveWindowContext& context = run.windows.context();
  const std::lock_guard lock(context.mutex);
  drawInfoPanel(item, run.windows.pollState(), context.state);
}

INT_PTR handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LiveWindowRun& run) {
  switch (message) {
    case kPollTimerRequest:
      if (wParam == 0) {
        KillTimer(window, kPollTimerId);
      } else {
        SetTimer(window, kPollTimerId, static_cast<UINT>(wParam), nullptr);
      }
      return TRUE;
    case WM_TIMER:
      if (wParam != kPollTimerId) return FALSE;
      poll(window, run);
      return TRUE;
    case WM_DRAWITEM:
      if (wParam != IDC_MULTIPLIER_PANEL) return FALSE;
      paintPanel(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), run);
      return TRUE;
    case WM_SIZE:
      fitPanel(window);
      return FALSE;
    case WM_SETCURSOR:
      rememberWindowPosition(window, run.windows, kLiveWindowPlace);
      return FALSE;  // the pointer's shape is set as usual
    case WM_COMMAND:
      // Enter and Escape end the run as the close box does; a click on the panel does nothing.
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      [[fallthrough]];
    case WM_CLOSE:
      KillTimer(window, kPollTimerId);
      ShowWindow(window, SW_HIDE);
      run.ended = true;
      return TRUE;
    default:
      return FALSE;
  }
}

INT_PTR CALLBACK liveWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept {
  return stopExceptions("live window message stopped", FALSE, [&]() -> INT_PTR {
    if (message == WM_INITDIALOG) {
      auto* run = reinterpret_cast<LiveWindowRun*>(lParam);
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      placeWindow(window, run->windows, kLiveWindowPlace);
      setWindowIcon(window, run->icon);
      SetTimer(window, kPollTimerId, kFirstPollAfterMs, nullptr);
      return TRUE;
    }
    auto* run = reinterpret_cast<LiveWindowRun*>(GetWindowLongPtrW(window, DWLP_USER));
    return run != nullptr ? handle(window, message, wParam, lParam, *run) : FALSE;
  });
}

// Keyboard handling of all three windows (Enter, Escape, Tab), then the usual dispatch.
void dispatch(LiveWindows& windows, MSG& message) {
  for (const auto slot :
       {LiveWindows::liveWindow, LiveWindows::provinceWindow, LiveWindows::euWindow}) {
    HWND window = windows.window(slot);
    if (window != nullptr && IsDialogMessageW(window, &message)) return;
  }
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

}  // namespace

void runLiveWindow(LiveWindows& windows, HostLink& host) {
  // Everything the run takes from the library's resources is loaded here, before the live window
  // is in its slot (see CheckBoxWindowResources).
  LiveWindowRun run{windows, host};
  HWND window = CreateDialogParamW(run.module, MAKEINTRESOURCEW(IDD_MULTIPLIER), nullptr,
                                   &liveWindowProcedure, reinterpret_cast<LPARAM>(&run));
  if (window == nullptr) {
    traceFailure("the live window could not be created");
    return;
  }
  // Shown and painted before it is in its slot: the first window shown and painted by a thread
  // loads code for it, under the loader's lock (see CheckBoxWindowResources).
  ShowWindow(window, SW_SHOWNOACTIVATE);
  UpdateWindow(window);
  windows.fill(LiveWindows::liveWindow, window);
  MSG message;
  while (!run.ended) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got <= 0) break;  // WM_QUIT or an error: this thread's loop ends either way
    dispatch(windows, message);
  }
  // The run's data goes out of scope with this function: the window must not use it any more.
  SetWindowLongPtrW(window, DWLP_USER, 0);
}

}  // namespace stats
