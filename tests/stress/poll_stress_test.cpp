// Both threads of the plug-in at once. The host's thread drives the exports' core (QSOs added and
// removed, contest starts with and without export, the Belgian side, setup, reports, call checks)
// while a live-window thread polls a fake host and paints the panel onto a recording canvas,
// taking the plug-in's lock as the Windows window thread does: runPoll takes it itself, the paint
// runs under it.
//
// Built with ThreadSanitizer (STATS_TSAN) a data race ends the run with a report and a failing
// status. In every build the test checks that the panel showed the QSOs the host logged, and that
// every report and call check the host received, and the settings left behind, equal those of a
// replay of the same calls on one thread.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/plugin/stats_plugin.h"
#include "tests/support/polling_window.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// The host thread stops after this many calls, or at the deadline when that comes first. Under
// ThreadSanitizer the run is longer, as races are what it is there for; otherwise it is a quick
// check of the two threads' results.
#if defined(__SANITIZE_THREAD__)
constexpr int kMaxHostSteps = 100'000;
constexpr auto kStressTime = 3s;
#else
constexpr int kMaxHostSteps = 10'000;
constexpr auto kStressTime = 2s;
#endif

struct Station {
  std::string_view call, dxccPrefix, callPrefix, exchange;
  std::string_view storedExchange;  // the exchange as the log keeps it and the panel shows it
};
constexpr Station kStations[] = {
    {"ON4AA", "ON", "ON4", "LG", "LG"},        {"OT5BB", "ON", "OT5", "AN", "AN"},
    {"DL1CC", "DL", "DL1", "7", "0007 --"},    {"F5DD", "F", "F5", "123", "0123 --"},
    {"SP3EE", "SP", "SP3", "15", "0015 --"},   {"K1FF", "K", "K1", "42", "0042 --"},
    {"JA1GG", "JA", "JA1", "9", "0009 --"},    {"EA8HH", "EA8", "EA8", "310", "0310 --"},
    {"OZ1II", "OZ", "OZ1", "2048", "2048 --"}, {"UA3JJ", "UA", "UA3", "77", "0077 --"},
};
constexpr std::size_t kStationCount = std::size(kStations);
constexpr unsigned kBandFrequencyHz[] = {1'830'000,  3'520'000,  7'010'000,
                                         14'020'000, 21'030'000, 28'040'000};

// Every QSO on a band is in one mode, so a panel row's mode follows from its band.
std::string_view modeOfBand(std::size_t band) {
  return band % 2 == 0 ? "CW" : "SSB";
}

const Station* stationWithCall(std::string_view call) {
  for (const Station& station : kStations) {
    if (station.call == call) return &station;
  }
  return nullptr;
}

// The host's automation object as the poll sees it: the call being entered runs through the
// logged stations, no call and one never logged; the radio moves over every contest band, a step
// too small to report, a frequency outside the bands, and now and then the host answers an error.
class ScriptedHost final : public stats::HostLink {
 public:
  bool connect() override { return true; }
  std::optional<double> GetFrequency() override {
    static constexpr double kFrequencies[] = {1'830'000,  3'520'000,  7'010'000,  14'020'000,
                                              14'020'100, 10'120'000, 21'030'000, 28'040'000};
    ++frequencyQuestions_;
    if (frequencyQuestions_ % 29 == 0) return std::nullopt;
    return kFrequencies[frequencyQuestions_ % std::size(kFrequencies)];
  }
  std::optional<std::string> GetCurrentCall(int32_t) override {
    ++callQuestions_;
    const std::size_t choice = callQuestions_ % (kStationCount + 2);
    if (choice < kStationCount) return std::string(kStations[choice].call);
    return choice == kStationCount ? "" : "G0NEW";
  }
  bool SendCommand(std::string_view) override { return true; }

 private:
  std::size_t frequencyQuestions_ = 0;
  std::size_t callQuestions_ = 0;
};

// What the panel showed: a row filled by the poll belongs to the call in the panel's header, its
// mode is its band's and its exchange the station's. Runs on the window thread; read after it.
class PanelChecker {
 public:
  void check(const stats_test::RecordingCanvas& canvas, const stats::PollState& poll) {
    const std::string& call = poll.currentCall;
    if (call.empty()) return;  // the rows are not painted, or all empty
    const Station* station = stationWithCall(call);
    bool filled = false;
    for (std::size_t band = 0; band < stats::kContestBandCount; ++band) {
      const int y = 25 * static_cast<int>(band + 1);
      const auto mode = canvas.texts.find({kModeColumn, y});
      const auto exchange = canvas.texts.find({kExchangeColumn, y});
      if (mode == canvas.texts.end() || exchange == canvas.texts.end()) {
        fail("row " + std::to_string(band) + " not painted for " + call);
        continue;
      }
      if (mode->second == "-" || mode->second == "   -") continue;
      filled = true;
      if (station == nullptr || mode->second != modeOfBand(band) ||
          exchange->second != station->storedExchange) {
        fail("row " + std::to_string(band) + " for " + call + " shows " + mode->second + " " +
             exchange->second);
      }
    }
    if (filled) ++filledPaints;
  }

  std::atomic<int> filledPaints{0};  // paints that showed a station worked before
  std::vector<std::string> problems;

 private:
  static constexpr int kModeColumn = 100, kExchangeColumn = 260;

  void fail(std::string problem) {
    if (problems.size() < 10) problems.push_back(std::move(problem));
  }
};

// The host's side: a fixed sequence of export calls drawn from a seeded generator, so that a
// second run makes the same calls.
class HostScript {
 public:
  HostScript(stats::StatsPlugin& plugin, stats_test::PollingUserInterface& ui) : plugin_(plugin) {
    ui.onSetup = [this](stats::SetupValues& values) {
      static constexpr std::string_view kProvinces[] = {"LG", "AN", "wv", ""};
      values.useMultiplierWindow = static_cast<int>(draw(2));
      values.province = kProvinces[draw(std::size(kProvinces))];
      values.mode = draw(2) == 0 ? "CW" : "SSB";
      return draw(3) != 0;
    };
    ui.onCabrillo = [this](stats::CabrilloState& header) {
      header.name = "Operator " + std::to_string(draw(100));
      return draw(2) == 0;
    };
    plugin_.resetStats(0, "DL9ST", "DL");  // the first contest start opens the live window
  }

  void step() {
    const std::size_t choice = draw(100);
    const std::size_t station = draw(kStationCount), band = draw(stats::kContestBandCount);
    if (choice < 60) {
      plugin_.addData(qso(station, band));
    } else if (choice < 70) {
      plugin_.removeData(qso(station, band));
    } else if (choice < 90) {
      checkCall(station, band);
    } else if (choice < 96) {
      int exportDone = 0;
      answers.emplace_back(plugin_.getResult(draw(2) == 0 ? &exportDone : nullptr));
    } else if (choice < 99) {
      plugin_.setup();
    } else {
      // From the eighth contest start on the own station is Belgian, and stays so.
      const bool belgian = ++contestStarts_ >= 8;
      plugin_.resetStats(draw(4) == 0 ? 1 : 0, belgian ? "ON4ST" : "DL9ST", belgian ? "ON" : "DL");
    }
  }

  // Every station once, on a band of its own: the panel then has a row to show for each.
  void logEveryStation() {
    for (std::size_t station = 0; station < kStationCount; ++station) {
      plugin_.addData(qso(station, station % stats::kContestBandCount));
    }
  }

  void report() { answers.emplace_back(plugin_.getResult(nullptr)); }

  // What the exports answered: each report, and each call check's code and text.
  std::vector<std::string> answers;

 private:
  std::size_t draw(std::size_t count) { return random_() % count; }

  stats::QsoArguments qso(std::size_t station, std::size_t band) {
    const Station& worked = kStations[station];
    serial_ = std::to_string(draw(999) + 1);
    stats::QsoArguments arguments;
    arguments.call = worked.call;
    arguments.qsoTime =
        COleDateTime{45'000.0 + static_cast<double>(draw(2880)) / 2880.0, COleDateTimeValid};
    arguments.frequencyHz = kBandFrequencyHz[band];
    arguments.mode = modeOfBand(band);
    arguments.sentSerial = serial_;
    arguments.receivedExchange = worked.exchange;
    arguments.callPrefix = worked.callPrefix;
    arguments.dxccPrefix = worked.dxccPrefix;
    arguments.band = stats::kContestBands[band];
    return arguments;
  }

  void checkCall(std::size_t station, std::size_t band) {
    const std::string bandName(stats::kContestBands[band]);
    const std::string secondBand(draw(10) == 0 ? "40m" : bandName);
    const std::string dxccPrefix(kStations[station].dxccPrefix);
    const std::string callPrefix(kStations[station].callPrefix);
    char output[64] = {};
    stats::CallCheckArguments arguments;
    arguments.call = kStations[station].call;
    arguments.callPrefix = callPrefix.c_str();
    arguments.dxccPrefix = dxccPrefix.c_str();
    arguments.band = bandName.c_str();
    arguments.secondBand = secondBand.c_str();
    arguments.outputText = output;
    const int code = plugin_.checkCall(arguments);
    answers.push_back(std::string(arguments.call) + " on " + bandName + ": " +
                      std::to_string(code) + " " + output);
  }

  stats::StatsPlugin& plugin_;
  std::mt19937 random_{20'240'917};
  std::string serial_;
  int contestStarts_ = 0;
};

struct HostOutcome {
  int steps = 0;
  std::vector<std::string> answers;
  std::map<std::string, std::string> settings;
};

// A plug-in's life on the host's thread: up to `maxSteps` script steps, fewer when the deadline
// comes first, then every station logged, the report, and the unload. With a window thread, the
// report waits (a few seconds at most) until the panel has shown a station worked before.
HostOutcome runHost(int maxSteps, Clock::time_point deadline,
                    stats_test::PollingWindowThread* window, const PanelChecker* panel) {
  auto profile = std::make_unique<stats_test::FakeProfile>();
  profile->values = {{"Multiplier", "1"}, {"Start", "0"}, {"Mode", "CW"}, {"Province", "LG"}};
  const stats_test::FakeProfile& settings = *profile;
  auto ui = std::make_unique<stats_test::PollingUserInterface>(window);
  stats_test::PollingUserInterface& uiRef = *ui;
  stats::StatsPlugin plugin(std::move(profile), std::move(ui), stats::makePlatformFileReplace());
  HostScript host(plugin, uiRef);
  HostOutcome outcome;
  while (outcome.steps < maxSteps && Clock::now() < deadline) {
    host.step();
    ++outcome.steps;
  }
  host.logEveryStation();
  if (panel != nullptr) {
    const auto limit = Clock::now() + 5s;
    while (panel->filledPaints == 0 && Clock::now() < limit) std::this_thread::sleep_for(1ms);
  }
  host.report();
  outcome.answers = std::move(host.answers);
  plugin.shutdown();
  outcome.settings = settings.values;
  return outcome;
}

}  // namespace

int main() {
  const stats_test::ScratchFolder scratch;  // export runs write their Cabrillo files here
  const auto started = Clock::now();

  PanelChecker panel;
  stats_test::PollingWindowThread window(
      [] { return std::make_unique<ScriptedHost>(); },
      [&panel](const stats_test::RecordingCanvas& canvas, const stats::PollState& poll) {
        panel.check(canvas, poll);
      });
  const HostOutcome stressed = runHost(kMaxHostSteps, started + kStressTime, &window, &panel);
  const HostOutcome replayed = runHost(stressed.steps, Clock::time_point::max(), nullptr, nullptr);

  std::vector<std::string> problems = panel.problems;
  if (panel.filledPaints == 0) {
    problems.push_back("the panel never showed a station worked before");
  }
  const auto [mine, replays] = std::mismatch(stressed.answers.begin(), stressed.answers.end(),
                                             replayed.answers.begin(), replayed.answers.end());
  if (mine != stressed.answers.end() || replays != replayed.answers.end()) {
    problems.push_back("answer " + std::to_string(mine - stressed.answers.begin()) +
                       " under the window thread:\n" +
                       (mine != stressed.answers.end() ? *mine : "none") + "\nin the replay:\n" +
                       (replays != replayed.answers.end() ? *replays : "none"));
  }
  if (stressed.settings != replayed.settings) {
    problems.push_back("the settings differ from those of the replay");
  }

  const auto elapsed =
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started);
  std::printf("%d host steps, %d polls, %d paints with worked-before rows, %lld ms\n",
              stressed.steps, window.polls(), panel.filledPaints.load(),
              static_cast<long long>(elapsed.count()));
  for (const std::string& problem : problems) std::printf("FAILED: %s\n", problem.c_str());
  return problems.empty() ? 0 : 1;
}
