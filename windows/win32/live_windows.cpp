#include "windows/win32/live_windows.h"

#include <exception>
#include <string>

#include "plugin/diagnostics.h"
#include "plugin/process_state.h"
#include "windows/win32/host_application.h"
#include "windows/win32/multiplier_window.h"
#include "windows/win32/pumping_wait.h"

namespace stats {
namespace {

constexpr DWORD kPauseBeforeCloseMs = 20;
constexpr DWORD kSlotCheckMs = 20;
// A window object's destruction waits this long before it releases the window.
constexpr DWORD kPauseBeforeDestroyMs = 100;

}  // namespace

bool LiveWindows::running() {
  const std::lock_guard lock(slotMutex_);
  return slots_[liveWindow] != nullptr;
}

void LiveWindows::StartMultiplierWindow(const LiveWindowContext& context) {
  if (running()) StopMultiplierWindow();
  context_.emplace(context);
  // The thread is never joined: the slots tell whether it runs.
  HANDLE thread = CreateThread(nullptr, 0, &MultiplierThreadProc, this, 0, nullptr);
  if (thread == nullptr) {
    traceFailure("the live window's thread could not be created");
    return;
  }
  CloseHandle(thread);
}

void LiveWindows::StopMultiplierWindow() {
  // At process exit the system has already ended the window thread: nothing would empty a slot.
  if (processExiting() || !running()) return;
  post(liveWindow, kPollTimerRequest, 0);  // no poll starts after this point
  pumpingWait(kPauseBeforeCloseMs);
  // Posted, not sent: the window thread may be waiting for this thread in a host call.
  post(euWindow, WM_CLOSE, 0);
  post(provinceWindow, WM_CLOSE, 0);
  post(liveWindow, WM_CLOSE, 0);
  for (const Slot slot : {euWindow, provinceWindow, liveWindow}) {
    while (window(slot) != nullptr) pumpingWait(kSlotCheckMs);
  }
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

void LiveWindows::destroy(Slot slot) {
  if (window(slot) == nullptr) return;
  Sleep(kPauseBeforeDestroyMs);
  const std::lock_guard lock(slotMutex_);
  DestroyWindow(slots_[slot]);
  slots_[slot] = nullptr;
}

DWORD WINAPI LiveWindows::MultiplierThreadProc(LPVOID self) {
  try {
    return static_cast<LiveWindows*>(self)->run();
  } catch (const std::exception& error) {
    traceFailure(std::string("live window thread stopped by an exception: ") + error.what());
  } catch (...) {
    traceFailure("live window thread stopped by an unknown exception");
  }
  return 1;
}

DWORD LiveWindows::run() {
  if (running()) return 1;  // a second thread never makes a second live window
  // Teardown, also after a failure: each slot is emptied only once its window is gone, the EU
  // window's slot last, so that the stop's wait on it covers everything.
  struct Teardown {
    LiveWindows& windows;
    ~Teardown() {
      endPollRun(windows.poll_);  // the next run looks for the host again
      windows.destroy(liveWindow);
      windows.destroy(provinceWindow);
      windows.destroy(euWindow);
    }
  } teardown{*this};
  CHostApplication host;  // connected by the run's first poll, released on this thread first
  runMultiplierWindow(*this, host);
  return 0;
}

}  // namespace stats
