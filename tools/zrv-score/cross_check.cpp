#include "tools/zrv-score/cross_check.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "core/rules/contest_rules.h"
#include "tools/zrv-score/call_prefix.h"

namespace zrv_score {
namespace {

// How far apart two logs' times may be for the QSO pairs that measure their clocks.
constexpr int64_t kClockSearchMinutes = 30;
// A log's offset is measured only over at least this many pairs.
constexpr std::size_t kClockPairsNeeded = 3;

using stats::kContestBands;
constexpr std::size_t kBandLegs = (std::size(kContestBands) + 1) * 3;

// The band (or none) and the leg (or none) of a line as one small number.
uint8_t bandLegOf(const SubmittedQso& qso) {
  const std::string band = bandOf(qso);
  std::size_t bandIndex = std::size(kContestBands);
  for (std::size_t index = 0; index < std::size(kContestBands); ++index) {
    if (kContestBands[index] == band) bandIndex = index;
  }
  const std::string leg = legOfMode(qso.mode);
  return static_cast<uint8_t>(bandIndex * 3 + (leg == "CW" ? 0 : leg == "SSB" ? 1 : 2));
}

// A QSO line as the matching sees it; a few bytes, for logs of millions of lines.
struct Line {
  int64_t minute = 0;
  uint8_t bandLeg = 0;
  bool checked = false;  // neither an X-QSO line nor a dupe
};

std::string keyOf(std::string_view call, uint8_t bandLeg) {
  std::string key(call);
  key.append(1, '\n').append(1, static_cast<char>('0' + bandLeg));
  return key;
}

bool sameSerial(std::string_view left, std::string_view right) {
  long long a = 0, b = 0;
  const auto [aEnd, aError] = std::from_chars(left.data(), left.data() + left.size(), a);
  const auto [bEnd, bError] = std::from_chars(right.data(), right.data() + right.size(), b);
  if (aError == std::errc() && bError == std::errc() && aEnd == left.data() + left.size() &&
      bEnd == right.data() + right.size()) {
    return a == b;
  }
  return left == right;
}

std::string shownExchange(const SubmittedExchange& exchange) {
  return exchange.province.empty() ? exchange.serial : exchange.serial + " " + exchange.province;
}

// What A copied against what the other side's line says it sent.
Verdict judgeCopy(const SubmittedExchange& copied, const SubmittedExchange& sent) {
  if (sameSerial(copied.serial, sent.serial) && copied.province == sent.province) return {};
  return {Outcome::bustedExchange, shownExchange(sent)};
}

// The middle value (the upper one of an even count); 0 for none.
int64_t median(std::vector<int64_t> values) {
  if (values.empty()) return 0;
  std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
  return values[values.size() / 2];
}

class Checker {
 public:
  Checker(const std::vector<SubmittedLog>& logs, int windowMinutes)
      : logs_(logs),
        window_(windowMinutes),
        lines_(logs.size()),
        byKey_(logs.size()),
        byBand_(logs.size()),
        offsets_(logs.size(), 0),
        partner_(logs.size()),
        explainsBust_(logs.size()),
        explainsOwnCopy_(logs.size()) {}

  std::vector<CheckedLog> run() {
    prepare();
    for (int round = 0; round < 2; ++round) measureClocks();
    match();
    std::vector<CheckedLog> checked(logs_.size());
    for (std::size_t log = 0; log < logs_.size(); ++log) {
      checked[log].clockOffsetMinutes = static_cast<int>(offsets_[log]);
      for (std::size_t qso = 0; qso < logs_[log].qsos.size(); ++qso) {
        checked[log].verdicts.push_back(judge(static_cast<int>(log), static_cast<int>(qso)));
      }
    }
    return checked;
  }

 private:
  using QsoRef = std::pair<int, int>;  // log, QSO

  const SubmittedQso& qsoAt(QsoRef ref) const { return logs_[ref.first].qsos[ref.second]; }
  const Line& lineAt(QsoRef ref) const { return lines_[ref.first][ref.second]; }
  int64_t corrected(QsoRef ref) const { return lineAt(ref).minute - offsets_[ref.first]; }

  void prepare() {
    for (std::size_t log = 0; log < logs_.size(); ++log) {
      const SubmittedLog& submitted = logs_[log];
      logOfCall_.emplace(submitted.callsign, static_cast<int>(log));
      indexNearby(submitted.callsign, static_cast<int>(log));
      std::unordered_set<std::string> seenKeys, seenCalls;
      for (std::size_t qso = 0; qso < submitted.qsos.size(); ++qso) {
        const SubmittedQso& line = submitted.qsos[qso];
        Line prepared;
        prepared.bandLeg = bandLegOf(line);
        prepared.minute = line.minute;
        const std::string key = keyOf(line.call, prepared.bandLeg);
        prepared.checked = !line.xQso && seenKeys.insert(key).second;
        if (prepared.checked) {
          byKey_[log][key].push_back(static_cast<int>(qso));
          byBand_[log][prepared.bandLeg].push_back(static_cast<int>(qso));
        }
        if (!line.xQso && seenCalls.insert(line.call).second) ++logsWithCall_[line.call];
        lines_[log].push_back(std::move(prepared));
      }
      partner_[log].assign(submitted.qsos.size(), {-1, -1});
      explainsBust_[log].assign(submitted.qsos.size(), false);
      explainsOwnCopy_[log].assign(submitted.qsos.size(), false);
      const auto byTime = [&](std::vector<int>& qsos) {
        std::stable_sort(qsos.begin(), qsos.end(), [&](int left, int right) {
          return lines_[log][left].minute < lines_[log][right].minute;
        });
      };
      for (auto& [key, qsos] : byKey_[log]) byTime(qsos);
      for (auto& qsos : byBand_[log]) byTime(qsos);
    }
  }

  // Each log's call under itself, each of its one-character deletions and its call without
  // designators: a call one keying error away shares one of these keys.
  static std::vector<std::string> nearbyKeys(std::string_view call) {
    std::vector<std::string> keys{std::string(call), "/" + splitCall(call).call};
    for (std::size_t drop = 0; drop < call.size(); ++drop) {
      keys.push_back(std::string(call.substr(0, drop)).append(call.substr(drop + 1)));
    }
    return keys;
  }
  void indexNearby(std::string_view call, int log) {
    for (const std::string& key : nearbyKeys(call)) nearby_[key].push_back(log);
  }
  std::vector<int> logsCloseTo(std::string_view call) const {
    std::vector<int> found;
    for (const std::string& key : nearbyKeys(call)) {
      const auto entry = nearby_.find(key);
      if (entry == nearby_.end()) continue;
      for (const int log : entry->second) {
        if (closeCalls(call, logs_[log].callsign) &&
            std::find(found.begin(), found.end(), log) == found.end()) {
          found.push_back(log);
        }
      }
    }
    std::sort(found.begin(), found.end());
    return found;
  }

  // The QSOs of `log` with `call` on the band and leg of `line`, in time order.
  const std::vector<int>* withCall(int log, const std::string& call, const Line& line) const {
    const auto entry = byKey_[log].find(keyOf(call, line.bandLeg));
    return entry == byKey_[log].end() ? nullptr : &entry->second;
  }

  // Each log's clock against each log it has QSOs with: the median of the pairs' time
  // differences, the other log's clock taken as last measured. A log's offset is the median over
  // the logs it worked, so one log with a wrong clock does not move the others'.
  void measureClocks() {
    std::vector<int64_t> next(logs_.size(), 0);
    for (std::size_t log = 0; log < logs_.size(); ++log) {
      std::map<int, std::vector<int64_t>> differencesByLog;
      std::size_t pairs = 0;
      for (std::size_t qso = 0; qso < logs_[log].qsos.size(); ++qso) {
        const Line& line = lines_[log][qso];
        const auto other = logOfCall_.find(logs_[log].qsos[qso].call);
        if (!line.checked || other == logOfCall_.end()) continue;
        const std::vector<int>* theirs = withCall(other->second, logs_[log].callsign, line);
        if (theirs == nullptr) continue;
        std::optional<int64_t> nearest;
        for (const int their : *theirs) {
          const int64_t difference = line.minute - corrected({other->second, their});
          if (std::llabs(difference - offsets_[log]) <= kClockSearchMinutes &&
              (!nearest ||
               std::llabs(difference - offsets_[log]) < std::llabs(*nearest - offsets_[log]))) {
            nearest = difference;
          }
        }
        if (!nearest) continue;
        differencesByLog[other->second].push_back(*nearest);
        ++pairs;
      }
      if (pairs < kClockPairsNeeded) continue;
      std::vector<int64_t> byLog;
      for (auto& [other, differences] : differencesByLog) {
        byLog.push_back(median(std::move(differences)));
      }
      next[log] = median(std::move(byLog));
    }
    offsets_ = std::move(next);
  }

  // Every pair of lines of two logs that name each other within the window, closest first, each
  // line in one pair at most.
  void match() {
    std::vector<std::tuple<int64_t, QsoRef, QsoRef>> pairs;
    for (std::size_t log = 0; log < logs_.size(); ++log) {
      for (std::size_t qso = 0; qso < logs_[log].qsos.size(); ++qso) {
        const QsoRef mine{static_cast<int>(log), static_cast<int>(qso)};
        const auto other = logOfCall_.find(qsoAt(mine).call);
        if (!lineAt(mine).checked || other == logOfCall_.end() ||
            other->second <= static_cast<int>(log)) {
          continue;
        }
        const std::vector<int>* theirs = withCall(other->second, logs_[log].callsign, lineAt(mine));
        if (theirs == nullptr) continue;
        for (const int their : *theirs) {
          const int64_t distance = std::llabs(corrected(mine) - corrected({other->second, their}));
          if (distance <= window_) pairs.emplace_back(distance, mine, QsoRef{other->second, their});
        }
      }
    }
    std::sort(pairs.begin(), pairs.end());
    for (const auto& [distance, mine, theirs] : pairs) {
      if (partner_[mine.first][mine.second].first >= 0 ||
          partner_[theirs.first][theirs.second].first >= 0) {
        continue;
      }
      partner_[mine.first][mine.second] = theirs;
      partner_[theirs.first][theirs.second] = mine;
    }
  }

  // An unmatched line of `log`, within the window of `mine` on its band and leg, whose call is
  // `call` or, with `closeTo`, one keying error from it; not yet used to explain another line.
  std::optional<int> unmatchedNear(int log, QsoRef mine, std::string_view call, bool closeTo,
                                   std::vector<std::vector<bool>>& used) const {
    const std::vector<int>& onBand = byBand_[log][lineAt(mine).bandLeg];
    // In time order: from the first line within the window to the last.
    const int64_t from = corrected(mine) - window_ + offsets_[log];
    auto first = std::lower_bound(onBand.begin(), onBand.end(), from, [&](int qso, int64_t minute) {
      return lines_[log][qso].minute < minute;
    });
    for (; first != onBand.end(); ++first) {
      const int qso = *first;
      const QsoRef theirs{log, qso};
      if (corrected(theirs) > corrected(mine) + window_) break;
      const std::string& logged = qsoAt(theirs).call;
      if (partner_[log][qso].first >= 0 || used[log][qso]) continue;
      if (closeTo ? closeCalls(logged, call) : logged == call) {
        used[log][qso] = true;
        return qso;
      }
    }
    return std::nullopt;
  }

  Verdict judge(int log, int qso) {
    const QsoRef mine{log, qso};
    const SubmittedQso& line = qsoAt(mine);
    if (line.xQso) return {Outcome::xQso, ""};
    if (!lineAt(mine).checked) return {Outcome::dupe, ""};
    const QsoRef theirs = partner_[log][qso];
    if (theirs.first >= 0) return judgeCopy(line.received, qsoAt(theirs).sent);

    // A copied the call of a station B close to it, whose log holds the QSO with A.
    for (const int other : logsCloseTo(line.call)) {
      if (other == log) continue;
      if (unmatchedNear(other, mine, logs_[log].callsign, false, explainsBust_)) {
        return {Outcome::bustedCall, logs_[other].callsign};
      }
    }
    const auto sender = logOfCall_.find(line.call);
    if (sender != logOfCall_.end()) {
      // X busted A's call: A's QSO stands on its own copy.
      if (const auto busted =
              unmatchedNear(sender->second, mine, logs_[log].callsign, true, explainsOwnCopy_)) {
        return judgeCopy(line.received, qsoAt({sender->second, *busted}).sent);
      }
      return {Outcome::nil, ""};
    }
    const auto seen = logsWithCall_.find(line.call);
    return {seen != logsWithCall_.end() && seen->second > 1 ? Outcome::unchecked : Outcome::unique,
            ""};
  }

  const std::vector<SubmittedLog>& logs_;
  int64_t window_;
  std::vector<std::vector<Line>> lines_;
  std::vector<std::unordered_map<std::string, std::vector<int>>> byKey_;
  std::vector<std::array<std::vector<int>, kBandLegs>> byBand_;
  std::vector<int64_t> offsets_;
  std::vector<std::vector<QsoRef>> partner_;
  std::vector<std::vector<bool>> explainsBust_, explainsOwnCopy_;
  std::unordered_map<std::string, int> logOfCall_;
  std::unordered_map<std::string, int> logsWithCall_;
  std::unordered_map<std::string, std::vector<int>> nearby_;
};

}  // namespace

std::string_view outcomeName(Outcome outcome) {
  switch (outcome) {
    case Outcome::good:
      return "good";
    case Outcome::bustedExchange:
      return "busted-exchange";
    case Outcome::bustedCall:
      return "busted-call";
    case Outcome::nil:
      return "nil";
    case Outcome::unique:
      return "unique";
    case Outcome::unchecked:
      return "unchecked";
    case Outcome::dupe:
      return "dupe";
    case Outcome::xQso:
      return "x-qso";
  }
  return "";
}

std::string legOfMode(std::string_view mode) {
  if (mode == "CW") return "CW";
  if (mode == "PH" || mode == "SSB" || mode == "USB" || mode == "LSB") return "SSB";
  return "";
}

bool closeCalls(std::string_view left, std::string_view right) {
  if (left == right) return false;
  if (splitCall(left).call == splitCall(right).call) return true;
  if (left.size() > right.size()) std::swap(left, right);
  if (right.size() - left.size() > 1) return false;
  std::size_t start = 0;
  while (start < left.size() && left[start] == right[start]) ++start;
  if (left.size() < right.size()) return left.substr(start) == right.substr(start + 1);
  if (left.substr(start + 1) == right.substr(start + 1)) return true;  // one changed
  return start + 1 < left.size() && left[start] == right[start + 1] &&
         left[start + 1] == right[start] && left.substr(start + 2) == right.substr(start + 2);
}

std::vector<CheckedLog> crossCheck(const std::vector<SubmittedLog>& logs, int windowMinutes) {
  return Checker(logs, windowMinutes).run();
}

}  // namespace zrv_score
