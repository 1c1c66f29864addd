// The stop of the live windows never hangs the logger: not while a poll waits for the logger's own
// thread in a call to its automation object, not under the loader lock of FreeLibrary, and not
// at process exit, when the system has already ended the window thread. Each case runs many
// rounds, since what goes wrong here goes wrong now and then.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/automation_object.h"
#include "tests/wine/live_window_host.h"

namespace stats_test {
namespace {

constexpr int kRounds = 20;
constexpr DWORD kRoundLimitMs = 20000;
constexpr DWORD kCallWaitMs = 5000;

// Ends the process when a round has not finished in time: a stop that hangs would otherwise hold
// the test run until CTest gives up on it, without saying where.
class HangGuard {
 public:
  explicit HangGuard(std::string round)
      : round_(std::move(round)), finished_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    watcher_ = std::thread([this] {
      if (WaitForSingleObject(finished_.get(), kRoundLimitMs) == WAIT_OBJECT_0) return;
      std::fprintf(stderr, "%s did not finish within %lu s\n", round_.c_str(),
                   static_cast<unsigned long>(kRoundLimitMs / 1000));
      std::fflush(stderr);
      TerminateProcess(GetCurrentProcess(), 3);
    });
  }
  ~HangGuard() {
    SetEvent(finished_.get());
    watcher_.join();
  }
  HangGuard(const HangGuard&) = delete;
  HangGuard& operator=(const HangGuard&) = delete;

 private:
  std::string round_;
  OwnedHandle finished_;
  std::thread watcher_;
};

// The test's automation object, registered while this lives.
struct RegisteredHost {
  AutomationObject object;
  ActiveObjectRegistration registration{object};
};

// A contest start that opens the live windows; with `awaitPoll`, returns once the first poll has
// connected to the host and made its last call to it (the European-Union window's title follows
// that call).
void startWindows(StatsLibrary& dll, const AutomationObject& host, bool awaitPoll) {
  const size_t connections = host.commands().size();
  writeSetting("Start", "0");
  dll.reset("ON4ZZ", "DL");
  if (!awaitPoll) return;
  ASSERT_TRUE(serveUntil([&] {
    return host.commands().size() > connections && liveWindowsShown() &&
           windowTitle(findLiveWindows().eu) == "Europe Union worked on ";
  })) << "the first poll did not connect";
}

// Waits without serving this thread's messages until one arrives: the window thread's call to the
// host object, which stays in flight until this thread serves its messages again.
bool awaitIncomingCall() {
  const ULONGLONG deadline = GetTickCount64() + kCallWaitMs;
  while (HIWORD(GetQueueStatus(QS_POSTMESSAGE | QS_SENDMESSAGE)) == 0) {
    if (GetTickCount64() > deadline) return false;
    Sleep(5);
  }
  return true;
}

// What each test runs in: a folder of its own with the live window's settings, and the test's
// automation object registered.
struct Scene {
  Scene() { writeLiveWindowSettings(); }
  ScratchFolder scratch;
  RegisteredHost host;
};

// A poll's call to the host is in flight, waiting for the host's thread, when that thread unloads
// the library: the stop serves the call and finishes.
TEST(LiveWindowStop, StopWhileAPollsHostCallIsInFlight) {
  Scene scene;
  ASSERT_EQ(scene.host.registration.status(), S_OK);
  const AutomationObject& host = scene.host.object;
  for (int round = 0; round < kRounds; ++round) {
    const std::string name = "unload in a poll, round " + std::to_string(round);
    SCOPED_TRACE(name);
    const HangGuard guard(name);
    std::optional<StatsLibrary> dll(std::in_place);
    ASSERT_NO_FATAL_FAILURE(startWindows(*dll, host, true));
    const LiveWindowHandles first = findLiveWindows();
    const size_t polls = host.selectors().size();

    dll->check("DL1AB");
    ASSERT_TRUE(awaitIncomingCall()) << "no poll after the call check";
    dll.reset();
    EXPECT_EQ(host.selectors().size(), polls + 1) << "the call was not in flight";
    EXPECT_FALSE(IsWindow(first.live) || IsWindow(first.province) || IsWindow(first.eu));
    EXPECT_FALSE(anyLiveWindow());
  }
}

TEST(LiveWindowStop, UnloadClosesTheWindows) {
  Scene scene;
  ASSERT_EQ(scene.host.registration.status(), S_OK);
  const AutomationObject& host = scene.host.object;
  enum class Moment { afterStart, openingWindows, connected, operatorClosed };
  const struct {
    Moment moment;
    const char* name;
    int rounds;
  } moments[] = {
      {Moment::afterStart, "right after the contest start", kRounds / 2},
      {Moment::openingWindows, "while the first poll opens the windows", kRounds / 2},
      {Moment::connected, "with the windows open and connected", kRounds},
      {Moment::operatorClosed, "right after the operator closed the live window", kRounds / 2}};
  for (const auto& [moment, momentName, rounds] : moments) {
    for (int round = 0; round < rounds; ++round) {
      const std::string name =
          std::string("unload ") + momentName + ", round " + std::to_string(round);
      SCOPED_TRACE(name);
      const HangGuard guard(name);
      std::optional<StatsLibrary> dll(std::in_place);
      const bool awaitPoll = moment == Moment::connected || moment == Moment::operatorClosed;
      ASSERT_NO_FATAL_FAILURE(startWindows(*dll, host, awaitPoll));
      if (moment == Moment::openingWindows) {
        ASSERT_TRUE(serveUntil([] { return findLiveWindows().province != nullptr; }));
      } else if (moment == Moment::operatorClosed) {
        // The run has ended once the live window is hidden; its windows go right after.
        HWND live = findLiveWindows().live;
        PostMessageA(live, WM_CLOSE, 0, 0);
        ASSERT_TRUE(serveUntil([&] { return !IsWindowVisible(live); }));
      }
      dll.reset();
      EXPECT_FALSE(anyLiveWindow());
    }
  }
}

int hostTimerRuns = 0;
void CALLBACK countHostTimer(HWND, UINT, UINT_PTR, DWORD) {
  ++hostTimerRuns;
}

// The contest start and the unload wait for the window thread serving only what it needs of the
// host's thread: a timer of the host's, due before the call, runs in the host's own loop after it.
TEST(LiveWindowStop, StartAndUnloadRunNoTimerOfTheHost) {
  Scene scene;
  std::optional<StatsLibrary> dll(std::in_place);
  for (const char* call : {"ResetStats0", "FreeLibrary"}) {
    hostTimerRuns = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, countHostTimer);
    Sleep(50);
    if (dll) {
      ASSERT_NO_FATAL_FAILURE(startWindows(*dll, scene.host.object, false));
    }
    EXPECT_EQ(hostTimerRuns, 0) << "the host's timer ran inside " << call;
    if (dll) {
      EXPECT_TRUE(serveUntil([] { return liveWindowsShown(); }));
      dll.reset();
    }
    EXPECT_TRUE(serveUntil([] { return hostTimerRuns > 0; })) << call;
    KillTimer(nullptr, timer);
  }
}

// What the window thread does with the three windows during a stop, in order.
std::vector<std::string> stopSteps;
LiveWindowHandles stoppedWindows;
void recordStep(const char* what, HWND window) {
  for (const auto& [name, stopped] :
       {std::pair{" live", stoppedWindows.live}, std::pair{" province", stoppedWindows.province},
        std::pair{" eu", stoppedWindows.eu}}) {
    if (window == stopped) stopSteps.push_back(what + std::string(name));
  }
}
LRESULT CALLBACK recordClose(int code, WPARAM removed, LPARAM message) {
  const MSG& posted = *reinterpret_cast<const MSG*>(message);
  if (code == HC_ACTION && removed == PM_REMOVE && posted.message == WM_CLOSE) {
    recordStep("close", posted.hwnd);
  }
  return CallNextHookEx(nullptr, code, removed, message);
}
LRESULT CALLBACK recordDestroy(int code, WPARAM sent, LPARAM message) {
  const CWPSTRUCT& call = *reinterpret_cast<const CWPSTRUCT*>(message);
  if (code == HC_ACTION && call.message == WM_NCDESTROY) {
    recordStep("destroy", call.hwnd);
  }
  return CallNextHookEx(nullptr, code, sent, message);
}

// The stop asks the European-Union, the province and the live window to close, in that order; the
// run then destroys the live, the province and the European-Union window, and the stop returns
// only once all three are gone.
TEST(LiveWindowStop, StopClosesEuProvinceLiveAndReturnsWhenAllAreGone) {
  Scene scene;
  std::optional<StatsLibrary> dll(std::in_place);
  ASSERT_NO_FATAL_FAILURE(startWindows(*dll, scene.host.object, true));
  stoppedWindows = findLiveWindows();
  stopSteps.clear();
  const DWORD windowThread = GetWindowThreadProcessId(stoppedWindows.live, nullptr);
  HHOOK closes = SetWindowsHookExA(WH_GETMESSAGE, recordClose, nullptr, windowThread);
  HHOOK destroys = SetWindowsHookExA(WH_CALLWNDPROC, recordDestroy, nullptr, windowThread);
  ASSERT_TRUE(closes && destroys);
  dll.reset();
  const bool allGone = !IsWindow(stoppedWindows.live) && !IsWindow(stoppedWindows.province) &&
                       !IsWindow(stoppedWindows.eu);
  UnhookWindowsHookEx(closes);
  UnhookWindowsHookEx(destroys);
  EXPECT_TRUE(allGone);
  EXPECT_EQ(stopSteps,
            (std::vector<std::string>{"close eu", "close province", "close live", "destroy live",
                                      "destroy province", "destroy eu"}));
}

constexpr UINT kChildExitCode = 0x5B;

// Run only as the child of the test below, in the folder it was given: opens the windows with the
// host connected and ends the process. The library is never freed: the process ends with it.
TEST(LiveWindowStop, DISABLED_ChildExitsWithTheWindowsOpen) {
  RegisteredHost host;
  ASSERT_EQ(host.registration.status(), S_OK);
  LoadedLibrary loaded;
  ASSERT_NE(loaded.library, nullptr) << loaded.error;
  startContest(loaded.api.ResetStats0, "ON4ZZ", "DL");
  ASSERT_TRUE(serveUntil([&] { return !host.object.commands().empty() && liveWindowsShown(); }));
  host.registration.revoke();  // no stale entry for the next process to find
  ExitProcess(kChildExitCode);
}

TEST(LiveWindowStop, ProcessExitWithTheWindowsOpenEnds) {
  ScratchFolder scratch;  // the child's current directory; the child registers the host object
  writeLiveWindowSettings();
  for (int round = 0; round < kRounds; ++round) {
    SCOPED_TRACE(round);
    writeSetting("Start", "0");
    const auto exitCode = runChildTest("LiveWindowStop.DISABLED_ChildExitsWithTheWindowsOpen",
                                       scratch.path(), kRoundLimitMs);
    ASSERT_TRUE(exitCode.has_value()) << "the process did not end within 20 s";
    EXPECT_EQ(*exitCode, kChildExitCode);
  }
}

}  // namespace
}  // namespace stats_test
