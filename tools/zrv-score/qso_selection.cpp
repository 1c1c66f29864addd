#include "tools/zrv-score/qso_selection.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <tuple>

#include "core/log/ole_date_time.h"
#include "tools/zrv-score/adif_qso.h"
#include "tools/zrv-score/band_plan.h"

namespace zrv_score {
namespace {

// What makes two QSOs one record in the plug-in's log: every field it keeps, the frequency in kHz.
using QsoIdentity = std::tuple<std::string, double, unsigned int, std::string, std::string,
                               std::string, std::string, std::string, std::string>;

QsoIdentity identityOf(const HostQso& qso) {
  return {qso.call,       qso.time.m_dt,  qso.frequencyHz / 1000,
          qso.mode,       qso.sentSerial, qso.receivedExchange,
          qso.callPrefix, qso.dxccPrefix, qso.band};
}

bool isDigits(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string_view leftOutCauseText(LeftOutCause cause) {
  constexpr std::array<std::string_view, kLeftOutCauseCount> kTexts = {
      "other mode",
      "other leg",
      "outside the contest's bands",
      "outside the period",
      "no exchange received",
      "refused by the plug-in",
      "exact duplicate record",
      "unreadable record"};
  return kTexts[static_cast<std::size_t>(cause)];
}

std::string_view legMode(Leg leg) {
  return leg == Leg::cw ? "CW" : "SSB";
}

std::vector<std::pair<std::string, std::size_t>> LegSelection::leftOutSummary() const {
  std::vector<std::pair<std::string, std::size_t>> summary;
  for (std::size_t cause = 0; cause < kLeftOutCauseCount; ++cause) {
    if (counts[cause] == 0) continue;
    summary.emplace_back(leftOutCauseText(static_cast<LeftOutCause>(cause)), counts[cause]);
  }
  return summary;
}

void LegSelection::leaveOut(std::size_t record, LeftOutCause cause, std::string detail) {
  leftOut.push_back({record, cause, std::move(detail)});
  ++counts[static_cast<std::size_t>(cause)];
}

std::vector<Leg> legsOf(std::span<const LogQso> qsos) {
  std::vector<Leg> legs;
  for (const Leg leg : {Leg::cw, Leg::ssb}) {
    if (std::any_of(qsos.begin(), qsos.end(),
                    [&](const LogQso& entry) { return entry.qso.mode == legMode(leg); })) {
      legs.push_back(leg);
    }
  }
  return legs;
}

LegSelection selectLeg(std::span<const LogQso> qsos, Leg leg, const Period& period) {
  LegSelection selection;
  selection.leg = leg;
  std::set<QsoIdentity> seen;
  for (const LogQso& entry : qsos) {
    const HostQso& qso = entry.qso;
    const double time = qso.time.m_dt;
    if (qso.mode != "CW" && qso.mode != "SSB") {
      selection.leaveOut(entry.record, LeftOutCause::otherMode, qso.mode);
    } else if (qso.mode != legMode(leg)) {
      selection.leaveOut(entry.record, LeftOutCause::otherLeg, qso.mode);
    } else if (!isContestBand(qso.band)) {
      std::string where = qso.band;
      if (where.empty())
        where = qso.frequencyHz > 0 ? std::to_string(qso.frequencyHz / 1000) + " kHz" : "no band";
      selection.leaveOut(entry.record, LeftOutCause::outsideBands, std::move(where));
    } else if ((period.from && time < *period.from) || (period.to && time > *period.to)) {
      selection.leaveOut(entry.record, LeftOutCause::outsidePeriod, formatUtcDateTime(time));
    } else if (qso.receivedExchange.empty()) {
      selection.leaveOut(entry.record, LeftOutCause::noExchange);
    } else if (!seen.insert(identityOf(qso)).second) {
      selection.leaveOut(entry.record, LeftOutCause::exactDuplicate);
    } else {
      selection.handOver.push_back(&entry);
    }
  }
  std::stable_sort(selection.handOver.begin(), selection.handOver.end(),
                   [](const LogQso* left, const LogQso* right) {
                     return left->qso.time.m_dt < right->qso.time.m_dt;
                   });
  return selection;
}

std::optional<double> parseUtcDateTime(std::string_view text, bool endOfSpan) {
  std::string date;
  std::string time;
  std::size_t at = 0;
  // The date: YYYY-MM-DD or YYYYMMDD.
  if (text.size() >= 10 && text[4] == '-' && text[7] == '-') {
    date = std::string(text.substr(0, 4)) + std::string(text.substr(5, 2)) +
           std::string(text.substr(8, 2));
    at = 10;
  } else {
    date = std::string(text.substr(0, 8));
    at = std::min<std::size_t>(8, text.size());
  }
  if (!isDigits(date) || date.size() != 8) return std::nullopt;
  std::string_view rest = text.substr(at);
  bool seconds = false;
  if (rest.empty()) {
    time = endOfSpan ? "235959" : "000000";
    seconds = true;
  } else {
    if (rest.front() != ' ' && rest.front() != 'T') return std::nullopt;
    rest.remove_prefix(1);
    for (const char c : rest) {
      if (c != ':') time += c;
    }
    if (!isDigits(time) || (time.size() != 4 && time.size() != 6)) return std::nullopt;
    seconds = time.size() == 6;
  }
  std::optional<double> value = oleDateOf(date, time);
  if (value && endOfSpan && !seconds) value = oleDateOf(date, time + "59");
  return value;
}

std::string formatUtcDateTime(double oleDate) {
  return stats::formatDateTime(COleDateTime{oleDate, COleDateTimeValid}, "%Y-%m-%d %H:%M");
}

}  // namespace zrv_score
