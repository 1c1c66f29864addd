// The soak on Linux: the plug-in's core as libStats.so builds it (the indexed log store, the
// POSIX settings file in a scratch folder, Cabrillo files written there) with a live-window
// thread polling a fake host and painting the panel every few milliseconds. Built in every native
// configuration; under AddressSanitizer its heap figure is the sanitizer's own count, so that the
// quarantine of freed blocks does not blur it, and LeakSanitizer checks the exit.
// STATS_SOAK_CONTESTS=N runs the contest N times instead of twice.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "core/plugin/stats_plugin.h"
#include "core/settings/profile.h"
#include "core/settings/settings_keys.h"
#include "tests/soak/contest_script.h"
#include "tests/support/polling_window.h"
#include "tests/support/scratch_folder.h"

namespace {

using stats_soak::SoakQso;

// The host as the window's poll sees it: the operator types calls the contest works, the radio
// moves over the bands.
class ContestHost final : public stats::HostLink {
 public:
  bool connect() override { return true; }
  std::optional<double> GetFrequency() override {
    static constexpr double kFrequencies[] = {1'830'000,  3'520'000,  7'010'000,
                                              14'020'000, 21'030'000, 28'040'000};
    return kFrequencies[++questions_ % std::size(kFrequencies)];
  }
  std::optional<std::string> GetCurrentCall(int32_t) override {
    return stats_soak::soakQso(static_cast<int>(++questions_ * 7919 % 50'000)).call;
  }
  bool SendCommand(std::string_view) override { return true; }

 private:
  std::size_t questions_ = 0;
};

// The live window's user interface without the fakes' records, which would grow with every call
// check and every export and blur the heap figures.
class SoakUserInterface final : public stats_test::PollingUserInterface {
 public:
  using PollingUserInterface::PollingUserInterface;
  void armPollTimer(unsigned) override {}
  void showOutputMessage(const std::string&) override {}
};

class CoreDoor final : public stats_soak::PluginDoor {
 public:
  CoreDoor(stats::StatsPlugin& plugin, const stats_test::PollingWindowThread& window)
      : plugin_(plugin), window_(window) {}

  int startContest(bool exportRun) override {
    return plugin_.resetStats(exportRun ? 1 : 0, stats_soak::kSoakOwnCall,
                              stats_soak::kSoakOwnDxcc);
  }
  int add(const SoakQso& qso) override { return plugin_.addData(arguments(qso)); }
  int remove(const SoakQso& qso) override { return plugin_.removeData(arguments(qso)); }
  int checkCall(const SoakQso& qso, const std::string& call) override {
    char output[64] = {};
    stats::CallCheckArguments check;
    check.call = call;
    check.callPrefix = qso.callPrefix.c_str();
    check.dxccPrefix = qso.dxccPrefix.c_str();
    check.band = qso.band.c_str();
    check.secondBand = qso.band.c_str();
    check.outputText = output;
    return plugin_.checkCall(check);
  }
  std::string report(int* exportDone) override { return plugin_.getResult(exportDone); }
  void pause() override {
    const int polls = window_.polls();
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (window_.polls() == polls && std::chrono::steady_clock::now() < limit) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }

 private:
  static stats::QsoArguments arguments(const SoakQso& qso) {
    stats::QsoArguments arguments;
    arguments.call = qso.call;
    arguments.qsoTime = COleDateTime{qso.day, COleDateTimeValid};
    arguments.frequencyHz = qso.frequencyHz;
    arguments.mode = qso.mode;
    arguments.sentSerial = qso.sentSerial;
    arguments.receivedExchange = qso.receivedExchange;
    arguments.callPrefix = qso.callPrefix;
    arguments.dxccPrefix = qso.dxccPrefix;
    arguments.band = qso.band;
    return arguments;
  }

  stats::StatsPlugin& plugin_;
  const stats_test::PollingWindowThread& window_;
};

// Two contests by default; STATS_SOAK_CONTESTS=N runs N for a longer soak by hand.
stats_soak::SoakPlan planFromEnvironment() {
  stats_soak::SoakPlan plan;
  if (const char* contests = std::getenv("STATS_SOAK_CONTESTS")) {
    plan.contests = std::max(2, std::atoi(contests));
  }
  return plan;
}

}  // namespace

int main() {
  const stats_test::ScratchFolder scratch;
  stats_test::writeBytes("Plugins/ZRV.ini", "[Settings]\nMultiplier=1\nStart=0\nMode=CW\n");

  stats_test::PollingWindowThread window(
      [] { return std::make_unique<ContestHost>(); },
      [](const stats_test::RecordingCanvas&, const stats::PollState&) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));  // the poll timer's pace
      });
  auto ui = std::make_unique<SoakUserInterface>(&window);
  stats::StatsPlugin plugin(stats::makePlatformProfileStore(std::string(stats::kIniPath)),
                            std::move(ui), stats::makePlatformFileReplace());
  CoreDoor door(plugin, window);

  // The test's own bookkeeping is part of the heap too; it is rebuilt alike in each contest.
  // Threads and open files are exact here.
  const stats_soak::SoakResult result = stats_soak::runSoak(
      door, planFromEnvironment(), stats_soak::measureProcess, {.heapBytes = 64 * 1024});
  plugin.shutdown();
  stats_soak::printSoak(result, stdout);
  std::printf("%d polls of the live window\n", window.polls());
  if (window.polls() == 0) std::printf("FAILED: the live window never polled\n");
  return result.problems.empty() && window.polls() > 0 ? 0 : 1;
}
