#include "platform/win32/live_windows.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "core/diagnostics/diagnostics.h"
#include "platform/win32/host_application.h"
#include "platform/win32/process_state.h"
#include "platform/win32/serving_wait.h"
#include "platform/win32/unique_handle.h"

namespace stats {
namespace {

constexpr DWORD kPauseBeforeCloseMs = 20;
constexpr DWORD kSlotCheckMs = 20;
// A window object's destruction waits this long before it releases the window.
constexpr DWORD kPauseBeforeDestroyMs = 100;

// The host link of a run, attached when the run starts instead of at its first poll, which then
// gets the answer found. Attaching loads COM's code for the window thread, under the loader's
// lock: at the start the host's thread waits for the live window without holding that lock, but
// during a poll it may be unloading the library, holding the lock and waiting for this thread.
class HostAttachedAtStart final : public HostLink {
 public:
  explicit HostAttachedAtStart(HostLink& host) : host_(host), found_(host.connect()) {}

  bool connect() override {
    if (!answered_) {
      answered_ = true;
      return found_;
    }
    return host_.connect();
  }
  std::optional<double> GetFrequency() override { return host_.GetFrequency(); }
  std::optional<std::string> GetCurrentCall(int32_t selector) override {
    return host_.GetCurrentCall(selector);
  }
  bool SendCommand(std::string_view command) override { return host_.SendCommand(command); }

 private:
  HostLink& host_;
  bool found_;
  bool answered_ = false;
};

}  // namespace

void LiveWindows::StartMultiplierWindow(const LiveWindowContext& context) {
  if (running()) StopMultiplierWindow();
  context_.emplace(context);
  threadRunning_.store(true, std::memory_order_release);
  // The thread is never joined (see MultiplierThreadProc): the flag tells whether it runs.
  const UniqueHandle<HANDLE, &CloseHandle> thread(
      CreateThread(nullptr, 0, &MultiplierThreadProc, this, 0, nullptr));
  if (!thread) {
    threadRunning_.store(false, std::memory_order_release);
    traceFailure("the live window's thread could not be created");
    return;
  }
  // The calls that follow a start reach the live window through its slot: a call check arms its
  // timer, a stop closes it. So the start returns once the window is there, or the thread has
  // ended without one.
  while (window(liveWindow) == nullptr && running()) servingWait(kSlotCheckMs);
}

void LiveWindows::StopMultiplierWindow() {
  // At process exit the system has already ended the window thread: nothing would clear the flag.
  if (processExiting() || !running()) return;
  post(liveWindow, kPollTimerRequest, 0);  // no poll starts after this point
  servingWait(kPauseBeforeCloseMs);
  // Posted, not sent: the window thread may be waiting for this thread in a host call.
  post(euWindow, WM_CLOSE, 0);
  post(provinceWindow, WM_CLOSE, 0);
  post(liveWindow, WM_CLOSE, 0);
  while (running()) servingWait(kSlotCheckMs);
}

void LiveWindows::armPollTimer(unsigned milliseconds) {
  post(liveWindow, kPollTimerRequest, milliseconds);
}

HWND LiveWindows::window(Slot slot) {
  const std::lock_guard lock(slotMutex_);
  return slots_[slot];
}

void LiveWindows::fill(Slot slot, HWND window) {
  const std::lock_guard lock(slotMutex_);
  slots_[slot] = window;
}

void LiveWindows::post(Slot slot, UINT message, WPARAM wParam) {
  const std::lock_guard lock(slotMutex_);
  if (slots_[slot] != nullptr) PostMessageW(slots_[slot], message, wParam, 0);
}

void LiveWindows::noteMovedOnScreen(HWND window, ScreenPoint shownAt) {
  movedOnScreen_.push_back({window, shownAt});
}

bool LiveWindows::standsWhereMovedOnScreen(HWND window, ScreenPoint topLeft) {
  for (auto entry = movedOnScreen_.begin(); entry != movedOnScreen_.end(); ++entry) {
    if (entry->window != window) continue;
    if (entry->shownAt == topLeft) return true;
    movedOnScreen_.erase(entry);
    return false;
  }
  return false;
}

void LiveWindows::destroy(Slot slot) {
  if (window(slot) == nullptr) return;
  Sleep(kPauseBeforeDestroyMs);
  const std::lock_guard lock(slotMutex_);
  DestroyWindow(slots_[slot]);
  slots_[slot] = nullptr;
}

DWORD WINAPI LiveWindows::MultiplierThreadProc(LPVOID self) {
  auto& windows = *static_cast<LiveWindows*>(self);
  stopExceptions("live window thread stopped", 0, [&] {
    windows.run();
    return 0;
  });
  // Once the flag is clear the host's thread may unload the library (its stop waits for nothing
  // else), so the thread ends right here, in the system's code, without returning through ours.
  // A thread's end cannot be waited for instead: it needs the loader's lock, which the host's
  // thread holds while it unloads the library.
  windows.threadRunning_.store(false, std::memory_order_release);
  ExitThread(0);
}

void LiveWindows::run() {
  // Teardown, also after a failure: each slot is emptied only once its window is gone.
  struct Teardown {
    LiveWindows& windows;
    ~Teardown() {
      endPollRun(windows.poll_);  // the next run looks for the host again
      windows.destroy(liveWindow);
      windows.destroy(provinceWindow);
      windows.destroy(euWindow);
      windows.movedOnScreen_.clear();
    }
  } teardown{*this};
  CHostApplication host;  // released on this thread, before the windows go
  HostAttachedAtStart link(host);
  runWindows_(*this, link);
}

}  // namespace stats
