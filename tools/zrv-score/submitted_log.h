// A Cabrillo log as an entrant submits it, read for the contest's cross-check: version 2.0 or
// 3.0, as the plug-in writes it and as other loggers write this contest's QSO line (any spacing,
// any case, CR LF or LF, the province after a serial or "--" or nothing). Header tags are kept in
// file order, unknown ones too; X-QSO lines are kept and marked, to be shown but not scored.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zrv_score {

// One side of the exchange: the serial and the province ("" for "--" or none).
struct SubmittedExchange {
  std::string serial, province;
  friend bool operator==(const SubmittedExchange&, const SubmittedExchange&) = default;
};

// One QSO line. The own call and the reports are read but not kept: the check needs neither, and
// a contest's millions of lines would carry them for nothing.
struct SubmittedQso {
  int line = 0;       // 1-based line number in the file
  bool xQso = false;  // an X-QSO line
  int frequencyKHz = 0;
  int64_t minute = 0;  // the date and time (UTC) in minutes since 1970-01-01 00:00
  std::string mode;    // upper case: "CW", "PH", ...
  SubmittedExchange sent;
  std::string call;  // upper case
  SubmittedExchange received;
  friend bool operator==(const SubmittedQso&, const SubmittedQso&) = default;
};

struct SubmittedLog {
  std::string callsign;                                   // the CALLSIGN tag, upper case
  std::vector<std::pair<std::string, std::string>> tags;  // every header tag, in file order
  std::vector<SubmittedQso> qsos;
  // QSO lines that could not be read, each with its line number and why.
  std::vector<std::pair<int, std::string>> unreadLines;
};

// The contest band (160m to 10m) of a line's frequency; "" for none.
std::string bandOf(const SubmittedQso& qso);

// A line's minute as the host's date-time value: days since 1899-12-30, as zrv-score makes one from
// an ADIF date and time.
double oleDateOfMinute(int64_t minute);
// A line's date and time as Cabrillo writes them: "2024-06-01 1200".
std::string dateAndTimeOf(int64_t minute);

// The log in `text`; nothing, with the reason in `error`, when it is no Cabrillo log or names no
// station.
std::optional<SubmittedLog> readSubmittedLog(std::string_view text, std::string& error);

}  // namespace zrv_score
