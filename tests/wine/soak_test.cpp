// The soak under Wine: the DLL through its exports, as the logger loads it, with its live windows
// open and their thread polling this test's automation object, the Cabrillo header dialog and the
// "Output" box of every export answered as an operator would. The script and its checks are the
// native soak's (tests/soak/contest_script.h); the counts are the Windows ones: the busy blocks
// of every heap, the working set, the threads and open handles of the process, and the GDI and
// USER objects where GetGuiResources counts them (under Wine it answers 0 for every process, so
// there they are reported as not counted rather than compared).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/soak/contest_script.h"
#include "tests/support/automation_object.h"
#include "tests/wine/dialog_driver.h"
#include "tests/wine/live_window_host.h"
#include "tests/wine/wine_host.h"

namespace stats_test {
namespace {

using stats_soak::SoakQso;

class DllDoor final : public stats_soak::PluginDoor {
 public:
  DllDoor(const StatsLibrary& dll, AutomationObject& host) : dll_(dll), host_(host) {}

  int startContest(bool exportRun) override {
    exportRun_ = exportRun;
    if (!exportRun) return start(0);
    // The header comes from the settings file, as the last confirmed one.
    DialogDriver header("ZRV DX Contest ", [](HWND dialog) {
      PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });
    const int answer = start(1);
    header.finish();
    if (!header.failure().empty()) problems.push_back("header dialog: " + header.failure());
    return answer;
  }

  int add(const SoakQso& qso) override { return dll_.add(asQso(qso)); }
  int remove(const SoakQso& qso) override { return dll_.remove(asQso(qso)); }

  // The operator types the call: the host's automation object answers it from now on.
  int checkCall(const SoakQso& qso, const std::string& call) override {
    host_.setCurrentCall(std::wstring(call.begin(), call.end()));
    host_.setFrequency(qso.frequencyHz);
    return dll_.check(call.c_str(), qso.callPrefix.c_str(), qso.dxccPrefix.c_str(),
                      qso.band.c_str(), qso.band.c_str());
  }

  std::string report(int* exportDone) override {
    if (!exportRun_) return text(dll_.api().GetResult0(exportDone));
    DialogDriver output(
        "Output", [](HWND box) { PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); });
    std::string report = text(dll_.api().GetResult0(exportDone));
    output.finish();
    if (!output.failure().empty()) problems.push_back("Output box: " + output.failure());
    return report;
  }

  void betweenSteps() override {
    serveUntil([] { return true; });  // whatever the window thread asked meanwhile
  }

  void pause() override {
    const std::size_t before = host_.selectors().size();
    serveUntil([&] { return host_.selectors().size() > before; }, 5000);
    polls += host_.selectors().size();
    host_.forgetCalls();
  }

  std::size_t polls = 0;
  std::vector<std::string> problems;

 private:
  int start(int exportRequest) {
    return dll_.reset(stats_soak::kSoakOwnCall, stats_soak::kSoakOwnDxcc, exportRequest);
  }

  // The QSO as the test host's other tests pass one.
  static Qso asQso(const SoakQso& qso) {
    return {qso.call,        qso.band,       qso.dxccPrefix,       qso.callPrefix,
            qso.mode,        qso.sentSerial, qso.receivedExchange, qso.frequencyHz,
            oleTime(qso.day)};
  }

  static std::string text(const char* report) { return report != nullptr ? report : ""; }

  const StatsLibrary& dll_;
  AutomationObject& host_;
  bool exportRun_ = false;
};

// Run by its own CTest entry (it takes a while): windows_host_tests --gtest_filter=Soak.*
TEST(Soak, ContestTwiceWithTheLiveWindowsStaysFlat) {
  ScratchFolder scratch;
  AutomationObject host;
  ActiveObjectRegistration registration{host};
  ASSERT_EQ(registration.status(), S_OK);
  writeLiveWindowSettings();
  StatsLibrary dll;  // unloaded first, while this thread still serves the object
  DllDoor door(dll, host);

  // Wine's own heap users (window messages, COM marshalling, GDI) come and go with the windows'
  // traffic, and now and then it opens a handle of its own for good.
  const stats_soak::SoakResult result = stats_soak::runSoak(
      door, {}, stats_soak::measureProcess, {.heapBytes = 256 * 1024, .threads = 1, .handles = 4});
  stats_soak::printSoak(result, stdout);
  std::printf("%zu polls of the live window\n", door.polls);
  if (!result.checkpoints.empty() && !result.checkpoints.front().counts.gdiObjects) {
    std::printf("GetGuiResources counts no GDI or USER objects here: they are not compared\n");
  }
  for (const std::string& problem : result.problems) ADD_FAILURE() << problem;
  for (const std::string& problem : door.problems) ADD_FAILURE() << problem;
  EXPECT_GT(door.polls, 0u) << "the live window never polled";
  EXPECT_NE(findLiveWindows().live, nullptr) << "the live window is gone";
}

}  // namespace
}  // namespace stats_test
