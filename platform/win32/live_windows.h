// The live windows of Stats.dll: the live window (template 105) with its info panel, and for an
// own station outside Belgium the province (114) and European-Union (115) windows, all on one
// thread of the plug-in's own, the window thread.
//
// Three slots hold the windows while they exist; they are the only link between the host's
// thread and the window thread, besides a flag that says whether the thread runs. A small lock
// guards the slots: it is held while a slot is read and its window used, and while a window is
// destroyed and its slot emptied, never across a wait. The host's thread never calls timer
// functions on the window thread's windows: it posts a message, and the window thread arms or
// cancels its own timer.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <vector>

#include "core/live/host_link.h"
#include "core/live/poll.h"
#include "core/live/window_positions.h"
#include "core/plugin/user_interface.h"

namespace stats {

class LiveWindows {
 public:
  enum Slot { liveWindow, provinceWindow, euWindow };
  // What the window thread runs once it has the host's link: the live window and its loop.
  using RunWindows = void (*)(LiveWindows& windows, HostLink& host);

  explicit LiveWindows(RunWindows runWindows) : runWindows_(runWindows) {}

  // Host's thread.
  bool running() const { return threadRunning_.load(std::memory_order_acquire); }
  // Stops a running window thread first; returns once the new thread has its live window (or
  // has ended without one).
  void StartMultiplierWindow(const LiveWindowContext& context);
  // Closes the three windows and waits, serving the host thread's messages, until the window
  // thread has destroyed them and is about to end. At process exit, when the system has already
  // ended the window thread, it does not wait.
  void StopMultiplierWindow();
  // Arms the live window's poll timer (0: cancels it); nothing when no live window runs.
  void armPollTimer(unsigned milliseconds);

  // Window thread.
  const LiveWindowContext& context() const { return *context_; }
  PollState& pollState() { return poll_; }
  PositionCache& positions() { return positions_; }
  // Where placement showed a window whose saved place lies off every screen. While the window
  // stands there the pointer over it saves nothing: the saved place is kept until it is moved.
  void noteMovedOnScreen(HWND window, ScreenPoint shownAt);
  // Whether the window stands where placement moved it; once it has moved on, no longer.
  bool standsWhereMovedOnScreen(HWND window, ScreenPoint topLeft);
  HWND window(Slot slot);
  void fill(Slot slot, HWND window);

 private:
  static DWORD WINAPI MultiplierThreadProc(LPVOID self);
  void run();
  void destroy(Slot slot);
  void post(Slot slot, UINT message, WPARAM wParam);

  // Set by the host's thread before it makes the window thread; cleared by the window thread as
  // its very last act in this library's code.
  RunWindows runWindows_;
  std::atomic<bool> threadRunning_{false};
  std::mutex slotMutex_;
  HWND slots_[3] = {nullptr, nullptr, nullptr};
  std::optional<LiveWindowContext> context_;
  PollState poll_;
  PositionCache positions_;
  struct MovedOnScreen {
    HWND window;
    ScreenPoint shownAt;
  };
  std::vector<MovedOnScreen> movedOnScreen_;  // emptied with the windows at the end of a run
};

// The private message by which the host's thread asks the live window to arm (wParam: the
// period in milliseconds) or cancel (wParam 0) its poll timer.
inline constexpr UINT kPollTimerRequest = WM_APP + 1;
inline constexpr UINT_PTR kPollTimerId = 1500;

}  // namespace stats
