#include "tools/zrv-score/submitted_log.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "core/log/ole_date_time.h"
#include "tools/zrv-score/adif_qso.h"
#include "tools/zrv-score/band_plan.h"
#include "tools/zrv-score/text.h"

namespace zrv_score {
namespace {

std::string upper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

std::vector<std::string_view> words(std::string_view text) {
  std::vector<std::string_view> result;
  while (true) {
    text = trimmed(text);
    if (text.empty()) return result;
    std::size_t end = 0;
    while (end < text.size() && !isBlank(text[end])) ++end;
    result.push_back(text.substr(0, end));
    text.remove_prefix(end);
  }
}

bool allDigits(std::string_view word) {
  if (word.empty()) return false;
  for (char c : word) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A province after a serial: "--" or letters only (every callsign holds a digit).
bool isProvince(std::string_view word) {
  if (word == "--") return true;
  for (char c : word) {
    if (!std::isalpha(static_cast<unsigned char>(c))) return false;
  }
  return !word.empty();
}

// Reads the exchange that starts at `next`: report, serial and, when one follows, the province.
bool readExchange(const std::vector<std::string_view>& fields, std::size_t& next,
                  SubmittedExchange& exchange) {
  if (next + 2 > fields.size()) return false;
  ++next;  // the report
  exchange.serial = upper(fields[next++]);
  if (next < fields.size() && isProvince(fields[next])) {
    exchange.province = fields[next] == "--" ? "" : upper(fields[next]);
    ++next;
  } else {
    // The exchange as typed in one word, "12AN": the serial's digits, then the province.
    std::size_t digits = 0;
    while (digits < exchange.serial.size() &&
           std::isdigit(static_cast<unsigned char>(exchange.serial[digits]))) {
      ++digits;
    }
    if (digits > 0 && isProvince(std::string_view(exchange.serial).substr(digits))) {
      exchange.province = exchange.serial.substr(digits);
      exchange.serial.resize(digits);
    }
  }
  return true;
}

// The fields after "QSO:": frequency, mode, date, time, own call, sent exchange, call, received
// exchange. The sent side's province is told from the call that follows by its digits.
std::optional<std::string> readQso(std::string_view rest, SubmittedQso& qso) {
  const std::vector<std::string_view> fields = words(rest);
  if (fields.size() < 9) return "too few fields";
  const auto [end, failure] =
      std::from_chars(fields[0].data(), fields[0].data() + fields[0].size(), qso.frequencyKHz);
  if (failure != std::errc() || end != fields[0].data() + fields[0].size() ||
      qso.frequencyKHz <= 0) {
    return "no frequency";
  }
  qso.mode = upper(fields[1]);
  const std::string_view date = fields[2];
  if (date.size() != 10 || date[4] != '-' || date[7] != '-') return "no date and time";
  const std::optional<double> day =
      oleDateOf(std::string(date.substr(0, 4)) + std::string(date.substr(5, 2)) +
                    std::string(date.substr(8, 2)),
                fields[3]);
  if (!day || fields[3].size() != 4) return "no date and time";
  // Whole minutes since 1970 (OLE day 25569): the OLE date holds them exactly enough to round.
  qso.minute = std::llround((*day - 25569.0) * 1440.0);
  std::size_t next = 5;
  if (!readExchange(fields, next, qso.sent)) return "no sent exchange";
  if (next >= fields.size()) return "no call";
  qso.call = upper(fields[next++]);
  if (!readExchange(fields, next, qso.received)) return "no received exchange";
  // Cabrillo 3.0 may end the line with a transmitter number.
  if (next + 1 < fields.size() || (next < fields.size() && !allDigits(fields[next]))) {
    return "more fields than an exchange";
  }
  return std::nullopt;
}

}  // namespace

std::string bandOf(const SubmittedQso& qso) {
  // The reader takes only frequencies above zero.
  return contestBandOf(static_cast<std::uint64_t>(qso.frequencyKHz) * 1000);
}

double oleDateOfMinute(int64_t minute) {
  // 1899-12-30 is 25569 days before 1970; the seconds of the day over 86400, as oleDateOf counts.
  const int64_t days = (minute >= 0 ? minute : minute - 1439) / 1440;
  return static_cast<double>(days + 25569) + ((minute - days * 1440) * 60) / 86400.0;
}

std::string dateAndTimeOf(int64_t minute) {
  return stats::formatDateTime(COleDateTime{oleDateOfMinute(minute), COleDateTimeValid},
                               "%Y-%m-%d %H%M");
}

std::optional<SubmittedLog> readSubmittedLog(std::string_view text, std::string& error) {
  SubmittedLog log;
  bool started = false;
  int lineNumber = 0;
  while (!text.empty()) {
    const std::size_t lineEnd = text.find('\n');
    std::string_view line = text.substr(0, lineEnd);
    text.remove_prefix(lineEnd == std::string_view::npos ? text.size() : lineEnd + 1);
    ++lineNumber;
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) continue;
    const std::string tag = upper(trimmed(line.substr(0, colon)));
    const std::string_view value = trimmed(line.substr(colon + 1));
    if (tag == "START-OF-LOG") started = true;
    if (!started) continue;
    if (tag == "QSO" || tag == "X-QSO") {
      SubmittedQso qso;
      qso.line = lineNumber;
      qso.xQso = tag == "X-QSO";
      if (const auto problem = readQso(value, qso)) {
        log.unreadLines.emplace_back(lineNumber, *problem);
      } else {
        log.qsos.push_back(std::move(qso));
      }
      continue;
    }
    if (tag == "END-OF-LOG") break;
    if (tag == "CALLSIGN") log.callsign = upper(value);
    log.tags.emplace_back(tag, std::string(value));
  }
  if (!started) {
    error = "no START-OF-LOG line: not a Cabrillo log";
    return std::nullopt;
  }
  if (log.callsign.empty()) {
    error = "no CALLSIGN line";
    return std::nullopt;
  }
  return log;
}

}  // namespace zrv_score
