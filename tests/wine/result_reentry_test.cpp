// GetResult0 called again by the host while the "Output" message box of an export is up: the
// box's message loop runs the host's timers, and a timer asks for the score again after logging a
// QSO. The outer call must still return its own report, readable after it returns.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/dialog_driver.h"
#include "tests/wine/wine_host.h"

namespace stats_test {
namespace {

// What the host's timers work on; a timer procedure has nothing else to reach it through.
struct NestedCall {
  StatsLibrary* dll = nullptr;
  bool outputBoxUp = false;
  UINT_PTR answerTimer = 0;
  bool called = false;
  std::string report;
  int exportDone = 0;
};
NestedCall* nested = nullptr;

bool isOutputBox(HWND window) {
  char className[16] = {};
  char title[16] = {};
  GetClassNameA(window, className, sizeof className);
  GetWindowTextA(window, title, sizeof title);
  return std::string(className) == "#32770" && std::string(title) == "Output";
}

BOOL CALLBACK noteOutputBox(HWND window, LPARAM) {
  if (isOutputBox(window)) nested->outputBoxUp = true;
  return TRUE;
}

BOOL CALLBACK answerOutputBox(HWND window, LPARAM) {
  if (isOutputBox(window)) PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  return TRUE;
}

// Answers every "Output" box of this thread with OK, the nested call's and the outer one's.
void CALLBACK answerOutputBoxes(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), answerOutputBox, 0);
}

// The host's timer: logs a QSO on a new band and asks for the score again.
void CALLBACK callAgain(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  EnumThreadWindows(GetCurrentThreadId(), noteOutputBox, 0);
  EXPECT_EQ(nested->dll->add({"DL2BB", "40m", "DL", "DL2", "CW", "002", "5"}), 1);
  nested->answerTimer = SetTimer(nullptr, 0, 50, answerOutputBoxes);
  nested->called = true;
  nested->report = nested->dll->api().GetResult0(&nested->exportDone);
}

// Run only as the child of the test below, which ends it when a message box is never closed.
TEST(ResultReentry, DISABLED_ChildCallsAgainWhileTheOutputBoxIsUp) {
  StatsLibrary dll;
  NestedCall call;
  call.dll = &dll;
  nested = &call;
  DialogDriver header("ZRV DX Contest ", [](HWND dialog) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  ASSERT_EQ(dll.reset("DL1ABC", "DL", 1), 1);
  header.finish();
  ASSERT_EQ(header.failure(), "");
  ASSERT_EQ(dll.add({"DL1AA", "20m", "DL", "DL1", "CW", "001", "5"}), 1);

  SetTimer(nullptr, 0, 100, callAgain);
  int exportDone = 0;
  const std::string report = dll.api().GetResult0(&exportDone);
  KillTimer(nullptr, call.answerTimer);
  nested = nullptr;

  ASSERT_TRUE(call.called) << "the timer did not fire while the export ran";
  EXPECT_TRUE(call.outputBoxUp);
  EXPECT_NE(call.report.find("\r\nTotal\t 2\t"), std::string::npos) << call.report;
  EXPECT_NE(report.find("\r\nTotal\t 1\t"), std::string::npos) << report;
  EXPECT_EQ(report.find("40m"), std::string::npos) << report;
  EXPECT_EQ(exportDone, -1);
}

TEST(ResultReentry, CallFromATimerWhileTheOutputBoxIsUpLeavesTheOuterReport) {
  ScratchFolder scratch;
  const auto exitCode = runChildTest("ResultReentry.DISABLED_ChildCallsAgainWhileTheOutputBoxIsUp",
                                     scratch.path(), 60000);
  ASSERT_TRUE(exitCode.has_value()) << "the process did not end within 60 s";
  EXPECT_EQ(*exitCode, 0u);
}

}  // namespace
}  // namespace stats_test
