// A simulated ZRV DX Contest for the cross-check: N stations' Cabrillo logs made from one set of
// true QSOs, with errors injected at known rates, and the truth beside them.
//
//   zrv-contest-sim make FOLDER [--stations N] [--qsos N] [--seed N]
//     writes FOLDER/logs/CALL.cbr and FOLDER/truth.csv (log,line,outcome,error): for every QSO
//     line the verdict the check must give and the error injected into it ("none" for none).
//   zrv-contest-sim score TRUTH.csv QSOS.csv
//     compares the check's qsos.csv with the truth: for each kind of error the share found with
//     its right verdict, and the share of correct QSOs marked as errors.
//
// Stations are Belgian (a province each) and foreign, on one leg each, some with their clocks a
// few minutes off; a few send no log. Each side of a QSO may bust the call or the exchange it
// copies, leave the QSO out, or log it twice. The output is the same bytes on every platform: the
// random numbers are the tools' own and every computation is in integers.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tools/seeded_random.h"

namespace {

namespace fs = std::filesystem;
using tools::Random;

// Errors per thousand QSO lines, and stations per thousand.
constexpr uint32_t kBustedCallPerMille = 16;
constexpr uint32_t kBustedExchangePerMille = 10;
constexpr uint32_t kLeftOutPerMille = 8;
constexpr uint32_t kDupePerMille = 3;
constexpr uint32_t kNoLogPerMille = 80;
constexpr uint32_t kClockOffPerMille = 100;
constexpr uint32_t kBelgianPerMille = 200;

constexpr std::array<const char*, 11> kProvinces = {"AN", "BR", "BW", "HT", "LB", "LG",
                                                    "NM", "LU", "OV", "VB", "WV"};
constexpr std::array<const char*, 4> kBelgianPrefixes = {"ON4", "ON5", "ON7", "OT4"};
constexpr std::array<const char*, 24> kForeignPrefixes = {
    "DL", "F",  "G",  "I",  "EA", "PA", "OK", "SP", "OE", "HA", "S5", "9A",
    "YO", "LZ", "SM", "OH", "ES", "YL", "LY", "K",  "W",  "JA", "VE", "HB9"};
constexpr std::array<int, 6> kCwKHz = {1830, 3550, 7030, 14050, 21050, 28050};
constexpr std::array<int, 6> kSsbKHz = {1850, 3700, 7100, 14200, 21250, 28500};

struct Station {
  std::string call;
  std::string province;  // empty outside Belgium
  bool cw = true;
  int clockOffset = 0;  // minutes its log's times are off
  bool sendsLog = true;
};

// One side's line of a QSO as the station logs it.
struct Line {
  int station = 0, partner = 0, band = 0;
  int minute = 0;  // on the station's own clock
  std::string loggedCall;
  std::string copiedSerial, copiedProvince;
  int sentSerial = 0;
  std::string error = "none";  // busted-call, busted-exchange or dupe; set when injected
  bool bustedCall = false, bustedExchange = false, dupe = false;
  int trueQso = 0;
  int lineNumber = 0;
};

std::string letters(Random& random, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += static_cast<char>('A' + random.below(26));
  return text;
}

// A call one keying error from `call`: a character changed, dropped or added, or two swapped.
std::string bustedCall(Random& random, const std::string& call) {
  std::string busted = call;
  const std::size_t at = random.below(static_cast<uint32_t>(call.size()));
  switch (random.below(4)) {
    case 0:
      busted[at] = busted[at] == 'Z' ? 'A' : static_cast<char>('A' + random.below(26));
      break;
    case 1:
      busted.erase(at, 1);
      break;
    case 2:
      busted.insert(at, 1, static_cast<char>('A' + random.below(26)));
      break;
    default:
      if (at + 1 < busted.size())
        std::swap(busted[at], busted[at + 1]);
      else
        busted[at] = 'Q';
  }
  return busted;
}

// "2024-06-01 1200" for a minute counted from 2024-06-01 00:00 (the day before or after too).
std::pair<std::string, std::string> dateAndTime(int minute) {
  int day = 1 + (minute >= 0 ? minute / 1440 : -1);
  const int ofDay = ((minute % 1440) + 1440) % 1440;
  char date[16], time[8];
  std::snprintf(date, sizeof date, "2024-%s-%02d", day < 1 ? "05" : "06", day < 1 ? 31 : day);
  std::snprintf(time, sizeof time, "%02d%02d", ofDay / 60, ofDay % 60);
  return {date, time};
}

int make(const fs::path& folder, int stationCount, int qsosPerStation, uint64_t seed) {
  Random random(seed);
  std::vector<Station> stations;
  std::set<std::string> calls;
  while (static_cast<int>(stations.size()) < stationCount) {
    Station station;
    if (random.chance(kBelgianPerMille)) {
      station.call = kBelgianPrefixes[random.below(kBelgianPrefixes.size())] + letters(random, 3);
      station.province = kProvinces[random.below(kProvinces.size())];
    } else {
      station.call = std::string(kForeignPrefixes[random.below(kForeignPrefixes.size())]) +
                     static_cast<char>('1' + random.below(9)) + letters(random, 3);
    }
    station.cw = random.chance(600);
    station.clockOffset = random.chance(kClockOffPerMille) ? random.between(-5, 5) : 0;
    station.sendsLog = !random.chance(kNoLogPerMille);
    if (calls.insert(station.call).second) stations.push_back(std::move(station));
  }
  std::vector<std::vector<int>> byLeg(2);
  for (int index = 0; index < stationCount; ++index) byLeg[stations[index].cw].push_back(index);

  // The true QSOs: two stations of one leg, once per band.
  std::vector<Line> lines;
  std::set<std::tuple<int, int, int>> worked;
  const int qsoCount = stationCount * qsosPerStation / 2;
  for (int attempt = 0, made = 0; made < qsoCount && attempt < qsoCount * 4; ++attempt) {
    const int a = random.between(0, stationCount - 1);
    const std::vector<int>& leg = byLeg[stations[a].cw];
    const int b = leg[random.below(static_cast<uint32_t>(leg.size()))];
    const int band = random.between(0, 5);
    if (a == b || !worked.emplace(std::min(a, b), std::max(a, b), band).second) continue;
    const int minute = random.between(0, 1439);
    for (const auto& [self, other] : {std::pair{a, b}, std::pair{b, a}}) {
      Line line;
      line.station = self;
      line.partner = other;
      line.band = band;
      line.minute = minute + stations[self].clockOffset + (random.chance(200) ? 1 : 0);
      line.trueQso = made;
      lines.push_back(line);
    }
    ++made;
  }
  // Serials in each station's time order, then what each side copies.
  std::vector<std::vector<std::size_t>> ofStation(stations.size());
  for (std::size_t index = 0; index < lines.size(); ++index) {
    ofStation[lines[index].station].push_back(index);
  }
  for (auto& own : ofStation) {
    std::stable_sort(own.begin(), own.end(), [&](std::size_t l, std::size_t r) {
      return lines[l].minute < lines[r].minute;
    });
    for (std::size_t order = 0; order < own.size(); ++order) {
      lines[own[order]].sentSerial = static_cast<int>(order + 1);
    }
  }
  std::vector<std::size_t> otherSide(lines.size());
  for (std::size_t index = 0; index < lines.size(); index += 2) {
    otherSide[index] = index + 1;
    otherSide[index + 1] = index;
  }
  std::vector<bool> leftOut(lines.size(), false);
  for (std::size_t index = 0; index < lines.size(); ++index) {
    Line& line = lines[index];
    const Station& partner = stations[line.partner];
    line.loggedCall = partner.call;
    line.copiedSerial = std::to_string(lines[otherSide[index]].sentSerial);
    line.copiedProvince = partner.province;
    if (random.chance(kBustedCallPerMille)) {
      do line.loggedCall = bustedCall(random, partner.call);
      while (calls.count(line.loggedCall) > 0 || line.loggedCall.size() < 3);
      line.bustedCall = true;
    } else if (random.chance(kBustedExchangePerMille)) {
      line.copiedSerial = std::to_string(lines[otherSide[index]].sentSerial + random.between(1, 9));
      line.bustedExchange = true;
    }
    leftOut[index] = random.chance(kLeftOutPerMille) && !leftOut[otherSide[index]];
  }
  std::vector<Line> logged;
  for (std::size_t index = 0; index < lines.size(); ++index) {
    if (leftOut[index]) continue;
    logged.push_back(lines[index]);
    if (random.chance(kDupePerMille)) {
      Line copy = lines[index];  // the same call logged again a little later
      copy.minute += random.between(5, 60);
      copy.dupe = true;
      logged.push_back(copy);
    }
  }
  // In which logs each call stands: a call of no log's station is unchecked when two logs name it.
  std::map<std::string, std::set<int>> namedBy;
  for (const Line& line : logged) {
    if (stations[line.station].sendsLog) namedBy[line.loggedCall].insert(line.station);
  }
  // The (station, true QSO) lines that stand in a log, and those of them with the call right.
  std::set<std::pair<int, int>> present, presentRight;
  for (const Line& line : logged) {
    if (line.dupe) continue;
    present.emplace(line.station, line.trueQso);
    if (!line.bustedCall) presentRight.emplace(line.station, line.trueQso);
  }

  fs::create_directories(folder / "logs");
  std::ofstream truth(folder / "truth.csv", std::ios::binary);
  truth << "log,line,outcome,error\n";
  std::vector<std::vector<const Line*>> ownLines(stations.size());
  for (const Line& line : logged) ownLines[line.station].push_back(&line);
  for (std::size_t index = 0; index < stations.size(); ++index) {
    const Station& station = stations[index];
    if (!station.sendsLog) continue;
    auto& own = ownLines[index];
    std::stable_sort(own.begin(), own.end(),
                     [](const Line* l, const Line* r) { return l->minute < r->minute; });
    // Half the logs as the plug-in writes them (2.0, CR LF), half as other loggers (3.0, LF).
    const bool pluginStyle = index % 2 == 0;
    const char* end = pluginStyle ? "\r\n" : "\n";
    std::string text = std::string("START-OF-LOG: ") + (pluginStyle ? "2.0" : "3.0") + end +
                       "CONTEST: ZRV-DX-" + (station.cw ? "CW" : "SSB") + end +
                       "CALLSIGN: " + station.call + end + "CATEGORY-OPERATOR: SINGLE-OP" + end;
    int lineNumber = 4;
    for (const Line* line : own) {
      ++lineNumber;
      const auto [date, time] = dateAndTime(line->minute);
      const int kHz = (station.cw ? kCwKHz : kSsbKHz)[line->band];
      char sent[32], copied[32], qso[160];
      std::snprintf(sent, sizeof sent, "%03d %s", line->sentSerial,
                    station.province.empty() ? "--" : station.province.c_str());
      std::snprintf(copied, sizeof copied, "%s %s", line->copiedSerial.c_str(),
                    line->copiedProvince.empty() ? "--" : line->copiedProvince.c_str());
      if (pluginStyle) {
        std::snprintf(qso, sizeof qso, "QSO: %5i %2s %s %s %-13s 599 %-5s     %-12s  599 %s", kHz,
                      station.cw ? "CW" : "PH", date.c_str(), time.c_str(), station.call.c_str(),
                      sent, line->loggedCall.c_str(), copied);
      } else {
        std::snprintf(qso, sizeof qso, "qso: %d %s %s %s %s 599 %s %s 599 %s", kHz,
                      station.cw ? "cw" : "ph", date.c_str(), time.c_str(), station.call.c_str(),
                      sent, line->loggedCall.c_str(), copied);
      }
      text += std::string(qso) + end;
      // The verdict the check must reach from the logs alone.
      const Station& partner = stations[line->partner];
      const bool partnerLine =
          partner.sendsLog && present.count({line->partner, line->trueQso}) > 0;
      // A busted call is proven only by the partner's line with this station's call right.
      const bool partnerLineRight =
          partner.sendsLog && presentRight.count({line->partner, line->trueQso}) > 0;
      std::string outcome, error = "none";
      if (line->dupe) {
        outcome = error = "dupe";
      } else if (line->bustedCall) {
        error = "busted-call";
        outcome = partnerLineRight                       ? "busted-call"
                  : namedBy[line->loggedCall].size() > 1 ? "unchecked"
                                                         : "unique";
      } else if (!partner.sendsLog) {
        error = "no-log";
        outcome = namedBy[line->loggedCall].size() > 1 ? "unchecked" : "unique";
      } else if (!partnerLine) {
        outcome = error = "nil";
      } else {
        if (line->bustedExchange) error = "busted-exchange";
        outcome = line->bustedExchange ? "busted-exchange" : "good";
      }
      truth << station.call << "," << lineNumber << "," << outcome << "," << error << "\n";
    }
    text += std::string("END-OF-LOG:") + end;
    std::string name = station.call;
    std::ofstream(folder / "logs" / (name + ".cbr"), std::ios::binary) << text;
  }
  return 0;
}

std::vector<std::vector<std::string>> csvRows(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::vector<std::string>> rows;
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> fields;
    std::stringstream stream(line);
    for (std::string field; std::getline(stream, field, ',');) fields.push_back(field);
    rows.push_back(std::move(fields));
  }
  return rows;
}

int score(const fs::path& truthPath, const fs::path& qsosPath) {
  std::map<std::pair<std::string, std::string>, std::string> verdicts;
  for (const auto& row : csvRows(qsosPath)) {
    if (row.size() >= 7) verdicts[{row[0], row[1]}] = row[6];
  }
  std::map<std::string, std::pair<int64_t, int64_t>> byError;  // right, all
  for (const auto& row : csvRows(truthPath)) {
    if (row.size() < 4 || row[0] == "log") continue;
    auto& [right, all] = byError[row[3]];
    ++all;
    const auto found = verdicts.find({row[0], row[1]});
    if (found != verdicts.end() && found->second == row[2]) ++right;
  }
  for (const auto& [error, counts] : byError) {
    const double share = counts.second > 0 ? 100.0 * counts.first / counts.second : 100.0;
    if (error == "none") {
      std::printf("correct QSOs marked as errors: %lld of %lld (%.2f %%)\n",
                  static_cast<long long>(counts.second - counts.first),
                  static_cast<long long>(counts.second), 100.0 - share);
    } else {
      std::printf("%s: %lld of %lld with the right verdict (%.2f %%)\n", error.c_str(),
                  static_cast<long long>(counts.first), static_cast<long long>(counts.second),
                  share);
    }
  }
  return 0;
}

int usage() {
  std::cerr << "usage: zrv-contest-sim make FOLDER [--stations N] [--qsos N] [--seed N]\n"
               "       zrv-contest-sim score TRUTH.csv QSOS.csv\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  if (arguments.size() == 3 && arguments[0] == "score") return score(arguments[1], arguments[2]);
  if (arguments.size() < 2 || arguments[0] != "make" || arguments.size() % 2 != 0) return usage();
  int stations = 50, qsos = 100;
  uint64_t seed = 1;
  for (std::size_t i = 2; i + 1 < arguments.size(); i += 2) {
    const long long value = std::atoll(arguments[i + 1].c_str());
    if (value <= 0) return usage();
    if (arguments[i] == "--stations")
      stations = static_cast<int>(value);
    else if (arguments[i] == "--qsos")
      qsos = static_cast<int>(value);
    else if (arguments[i] == "--seed")
      seed = static_cast<uint64_t>(value);
    else
      return usage();
  }
  if (stations < 2) return usage();
  return make(arguments[1], stations, qsos, seed);
}
