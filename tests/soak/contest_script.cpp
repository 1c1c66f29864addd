#include "tests/soak/contest_script.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <fstream>
#include <map>
#include <string_view>

#include "core/rules/contest_rules.h"

namespace stats_soak {
namespace {

// A step of SplitMix64: every QSO is drawn from its own index, so the log is the same whatever
// the platform's standard library.
uint64_t mixed(uint64_t value) {
  value += 0x9e3779b97f4a7c15ULL;
  value = (value ^ (value >> 30)) * 0xbf58476d1ce4e5b9ULL;
  value = (value ^ (value >> 27)) * 0x94d049bb133111ebULL;
  return value ^ (value >> 31);
}

struct Country {
  std::string_view dxccPrefix;
  std::string_view callPrefix;  // a digit follows
};
// Belgium first (its stations send their province), then European-Union and other entities.
constexpr std::array<Country, 24> kCountries = {{
    {"ON", "ON"}, {"ON", "OT"}, {"ON", "OO"}, {"DL", "DL"}, {"DL", "DK"}, {"F", "F"},
    {"G", "G"},   {"I", "I"},   {"EA", "EA"}, {"SP", "SP"}, {"OK", "OK"}, {"HA", "HA"},
    {"PA", "PA"}, {"OZ", "OZ"}, {"SM", "SM"}, {"OH", "OH"}, {"S5", "S5"}, {"9A", "9A"},
    {"UA", "UA"}, {"K", "K"},   {"JA", "JA"}, {"VK", "VK"}, {"PY", "PY"}, {"ZS", "ZS"},
}};
constexpr std::array<unsigned, stats::kContestBandCount> kBandStartHz = {
    1'810'000, 3'500'000, 7'000'000, 14'000'000, 21'000'000, 28'000'000};
constexpr int kStations = 20'000;

// The station worked: its call, prefixes and exchange follow from its number.
void describeStation(int station, SoakQso& qso) {
  const uint64_t draw = mixed(static_cast<uint64_t>(station) + 0x5eed);
  const Country& country = kCountries[draw % kCountries.size()];
  qso.dxccPrefix = country.dxccPrefix;
  qso.callPrefix = std::string(country.callPrefix) + static_cast<char>('0' + (draw >> 8) % 10);
  qso.call = qso.callPrefix;
  for (int letters = station, i = 0; i < 3; ++i, letters /= 26) {
    qso.call += static_cast<char>('A' + letters % 26);
  }
  if (country.dxccPrefix == "ON") {
    qso.receivedExchange = stats::kBelgianProvinces[(draw >> 16) % stats::kBelgianProvinces.size()];
  } else {
    qso.receivedExchange = std::to_string(1 + (draw >> 16) % 2000);
  }
}

using Clock = std::chrono::steady_clock;

class Soak {
 public:
  Soak(PluginDoor& door, const SoakPlan& plan, const std::function<ProcessCounts()>& measure)
      : door_(door), plan_(plan), measure_(measure) {}

  SoakResult run(const Slack& slack) {
    const auto started = Clock::now();
    for (int contest = 1; contest <= plan_.contests; ++contest) runContest(contest);
    judgeCounts(slack);
    result_.seconds = std::chrono::duration<double>(Clock::now() - started).count();
    return std::move(result_);
  }

 private:
  void runContest(int contest) {
    contest_ = contest;
    reportIndex_ = 0;
    present_.assign(static_cast<std::size_t>(plan_.qsos), false);
    inLog_.clear();
    logged_ = 0;
    expect(door_.startContest(false) == 1, "the contest start was refused");
    checkpoint(0);
    for (int index = 0; index < plan_.qsos; ++index) {
      logQso(index);
      const int sent = index + 1;
      if (sent % plan_.removeEvery == 0) removeEarlierQso(index);
      if (sent % plan_.reportEvery == 0) compareReport(sent, report());
      if (sent % plan_.pauseEvery == 0) door_.pause();
      if (sent % plan_.exportEvery == 0) {
        exportAndReload(sent);
        checkpoint(sent);
      }
      door_.betweenSteps();
    }
  }

  void logQso(int index) {
    const SoakQso qso = soakQso(index);
    const std::string key = qso.call + ' ' + qso.band;
    // While the call is typed: after three characters, then whole.
    const int partial = callCheck(qso, qso.call.substr(0, 3));
    expect(partial == 1 || partial == 2 || partial == 4,
           "a partial call check answered " + std::to_string(partial));
    const int whole = callCheck(qso, qso.call);
    const bool repeat = inLog_[key] > 0;
    expect((whole == 0) == repeat, qso.call + " on " + qso.band + ": call check " +
                                       std::to_string(whole) + " with " +
                                       std::to_string(inLog_[key]) + " in the log");
    expect(add(qso) == 1, "QSO " + std::to_string(index) + " was refused");
    present_[static_cast<std::size_t>(index)] = true;
    ++inLog_[key];
    ++logged_;
  }

  // The operator deletes a QSO logged earlier.
  void removeEarlierQso(int index) {
    int victim = static_cast<int>(mixed(static_cast<uint64_t>(index) * 31 + 7) %
                                  static_cast<uint64_t>(index + 1));
    while (victim <= index && !present_[static_cast<std::size_t>(victim)]) ++victim;
    if (victim > index) return;
    const SoakQso qso = soakQso(victim);
    ++result_.calls;
    expect(door_.remove(qso) == 1, "QSO " + std::to_string(victim) + " could not be removed");
    present_[static_cast<std::size_t>(victim)] = false;
    --inLog_[qso.call + ' ' + qso.band];
    --logged_;
  }

  // An export as the host runs one: a contest start with export, every QSO of the log again, the
  // report that writes the Cabrillo file; then its reload of the log for the contest going on.
  void exportAndReload(int sent) {
    const std::string before = report();
    expect(door_.startContest(true) == 1, "the export's contest start was refused");
    replayLog();
    int exportDone = 0;
    report(&exportDone);
    expect(exportDone == -1, "the export's report did not say the export was done");
    const int lines = cabrilloQsoLines();
    expect(lines == logged_, "the Cabrillo file after " + std::to_string(sent) + " QSOs has " +
                                 std::to_string(lines) + " QSO lines for " +
                                 std::to_string(logged_) + " QSOs in the log");
    expect(door_.startContest(false) == 1, "the reload's contest start was refused");
    replayLog();
    expect(report() == before,
           "the report after the reload at " + std::to_string(sent) + " QSOs differs from before");
  }

  void replayLog() {
    for (int index = 0; index < plan_.qsos; ++index) {
      if (!present_[static_cast<std::size_t>(index)]) continue;
      if (add(soakQso(index)) != 1) {
        expect(false, "QSO " + std::to_string(index) + " was refused when sent again");
      }
      if (index % 256 == 0) door_.betweenSteps();
    }
  }

  int cabrilloQsoLines() {
    std::ifstream file(std::string(kSoakOwnCall) + ".cbr", std::ios::binary);
    if (!file) return -1;
    int lines = 0;
    std::string line;
    while (std::getline(file, line)) lines += line.rfind("QSO:", 0) == 0;
    return lines;
  }

  // Later contests must report as the first did at the same point.
  void compareReport(int sent, const std::string& text) {
    expect(!text.empty(), "an empty report");
    const std::size_t hash = std::hash<std::string>{}(text);
    if (contest_ == 1) {
      reportHashes_.push_back(hash);
    } else {
      expect(reportIndex_ < reportHashes_.size() && reportHashes_[reportIndex_] == hash,
             "contest " + std::to_string(contest_) + " reports otherwise than the first at " +
                 std::to_string(sent) + " QSOs");
    }
    ++reportIndex_;
  }

  int add(const SoakQso& qso) {
    ++result_.calls;
    return door_.add(qso);
  }
  int callCheck(const SoakQso& qso, const std::string& call) {
    ++result_.calls;
    return door_.checkCall(qso, call);
  }
  std::string report(int* exportDone = nullptr) {
    ++result_.calls;
    return door_.report(exportDone);
  }

  void checkpoint(int sent) {
    result_.checkpoints.push_back({contest_, sent, logged_, measure_()});
  }

  // The first contest sets the bounds: heap, threads, handles and window objects of every later
  // one stay within its highest, plus the slack.
  void judgeCounts(const Slack& slack) {
    Checkpoint first;
    for (const Checkpoint& point : result_.checkpoints) {
      if (point.contest != 1) continue;
      first.counts.heapBytes = std::max(first.counts.heapBytes, point.counts.heapBytes);
      first.counts.threads = std::max(first.counts.threads, point.counts.threads);
      first.counts.handles = std::max(first.counts.handles, point.counts.handles);
      first.counts.gdiObjects = std::max(first.counts.gdiObjects, point.counts.gdiObjects);
      first.counts.userObjects = std::max(first.counts.userObjects, point.counts.userObjects);
    }
    for (const Checkpoint& point : result_.checkpoints) {
      if (point.contest == 1) continue;
      const std::string where =
          " in contest " + std::to_string(point.contest) + " at " + std::to_string(point.qsos);
      const ProcessCounts& now = point.counts;
      expect(now.heapBytes <= first.counts.heapBytes + slack.heapBytes,
             "the heap grew to " + std::to_string(now.heapBytes) + " bytes" + where +
                 " (the first contest's highest: " + std::to_string(first.counts.heapBytes) + ")");
      expect(now.threads <= first.counts.threads + slack.threads,
             std::to_string(now.threads) + " threads" + where +
                 " (the first contest's highest: " + std::to_string(first.counts.threads) + ")");
      expect(!now.handles || *now.handles <= first.counts.handles.value_or(0) + slack.handles,
             std::to_string(now.handles.value_or(0)) + " handles" + where +
                 " (the first contest's highest: " +
                 std::to_string(first.counts.handles.value_or(0)) + ")");
      expect(now.gdiObjects <= first.counts.gdiObjects, "more GDI objects" + where);
      expect(now.userObjects <= first.counts.userObjects, "more USER objects" + where);
    }
  }

  void expect(bool condition, const std::string& problem) {
    if (!condition && result_.problems.size() < 20) result_.problems.push_back(problem);
  }

  PluginDoor& door_;
  const SoakPlan& plan_;
  const std::function<ProcessCounts()>& measure_;
  SoakResult result_;
  int contest_ = 0;
  std::vector<bool> present_;
  std::map<std::string, int> inLog_;  // QSOs in the log by "CALL band"
  int logged_ = 0;
  std::vector<std::size_t> reportHashes_;
  std::size_t reportIndex_ = 0;
};

std::string kilobytes(std::size_t bytes) {
  return std::to_string((bytes + 512) / 1024);
}

std::string countOrDash(const std::optional<int>& count) {
  return count ? std::to_string(*count) : "-";
}

}  // namespace

SoakQso soakQso(int index) {
  SoakQso qso;
  const uint64_t draw = mixed(static_cast<uint64_t>(index));
  describeStation(static_cast<int>(draw % kStations), qso);
  const std::size_t band = (draw >> 20) % stats::kContestBands.size();
  qso.band = stats::kContestBands[band];
  qso.mode = (draw >> 24) % 5 == 0 ? "SSB" : "CW";
  qso.frequencyHz = kBandStartHz[band] + static_cast<unsigned>((draw >> 28) % 100) * 500;
  qso.sentSerial = std::to_string(index + 1);
  qso.day = 46'300.5 + index / 50'000.0;  // 50,000 QSOs in a day
  return qso;
}

SoakResult runSoak(PluginDoor& door, const SoakPlan& plan,
                   const std::function<ProcessCounts()>& measure, const Slack& slack) {
  return Soak(door, plan, measure).run(slack);
}

void printSoak(const SoakResult& result, std::FILE* out) {
  std::fprintf(out, "heap: %s\n", heapMeasureName().c_str());
  std::fprintf(out,
               "contest  QSOs sent  in log  heap KB  resident KB  threads  handles  GDI  USER\n");
  for (const Checkpoint& point : result.checkpoints) {
    const ProcessCounts& counts = point.counts;
    std::fprintf(out, "%7d  %9d  %6d  %7s  %11s  %7d  %7s  %3s  %4s\n", point.contest, point.qsos,
                 point.logged, kilobytes(counts.heapBytes).c_str(),
                 kilobytes(counts.residentBytes).c_str(), counts.threads,
                 countOrDash(counts.handles).c_str(), countOrDash(counts.gdiObjects).c_str(),
                 countOrDash(counts.userObjects).c_str());
  }
  std::fprintf(out, "%lld calls to the plug-in in %.1f s\n", result.calls, result.seconds);
  for (const std::string& problem : result.problems)
    std::fprintf(out, "FAILED: %s\n", problem.c_str());
}

}  // namespace stats_soak
