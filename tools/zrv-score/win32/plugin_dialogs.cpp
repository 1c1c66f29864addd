#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <set>
#include <string>
#include <thread>

#include "tools/zrv-score/plugin_dialogs.h"

namespace zrv_score {
namespace {

constexpr char kDialogClass[] = "#32770";
constexpr char kHeaderDialogTitle[] = "ZRV DX Contest ";
constexpr char kMessageTitle[] = "Output";
constexpr int kMessageTextId = 0xFFFF;  // the static control that holds a message box's text

std::string windowText(HWND window) {
  char text[4096] = {};
  GetWindowTextA(window, text, static_cast<int>(sizeof text));
  return text;
}

// Looks for the plug-in's modal windows among this process's visible dialogs a few times a
// second, on a thread of its own: the thread that shows them is inside the plug-in's call.
class WindowsAnswerer final : public PluginDialogAnswerer {
 public:
  WindowsAnswerer() : thread_([this] { watch(); }) {}
  ~WindowsAnswerer() override {
    stop_ = true;
    thread_.join();
  }
  WindowsAnswerer(const WindowsAnswerer&) = delete;
  WindowsAnswerer& operator=(const WindowsAnswerer&) = delete;

 private:
  void watch() {
    while (!stop_) {
      // A closed window's handle may come back for the next message box.
      std::erase_if(answered_, [](HWND window) { return !IsWindow(window); });
      EnumWindows(&WindowsAnswerer::visit, reinterpret_cast<LPARAM>(this));
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }

  static BOOL CALLBACK visit(HWND window, LPARAM self) {
    reinterpret_cast<WindowsAnswerer*>(self)->answer(window);
    return TRUE;
  }

  void answer(HWND window) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window)) return;
    char className[32] = {};
    GetClassNameA(window, className, static_cast<int>(sizeof className));
    if (std::string(className) != kDialogClass || answered_.count(window) != 0) return;
    const std::string title = windowText(window);
    if (title == kMessageTitle) {
      char text[4096] = {};
      GetDlgItemTextA(window, kMessageTextId, text, static_cast<int>(sizeof text));
      std::fprintf(stderr, "Output: %s\n", text);
      std::fflush(stderr);
      PostMessageA(window, WM_COMMAND, IDOK, 0);
    } else if (title == kHeaderDialogTitle) {
      PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    } else {
      return;
    }
    answered_.insert(window);
  }

  std::atomic<bool> stop_{false};
  std::set<HWND> answered_;
  std::thread thread_;
};

}  // namespace

std::unique_ptr<PluginDialogAnswerer> answerPluginDialogs() {
  return std::make_unique<WindowsAnswerer>();
}

}  // namespace zrv_score
