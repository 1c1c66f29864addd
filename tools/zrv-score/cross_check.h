// The contest's cross-check: every QSO of every submitted log judged against the other station's
// log. A QSO of log A with call X on band b and leg m at time t is matched with X's QSO with A on
// b and m within the window, after each log's clock is corrected by its median offset against the
// logs it matches; what is left unmatched is explained as a busted call, a busted call of the other
// side, a QSO not in the other log, or a call that sent no log.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/zrv-score/submitted_log.h"

namespace zrv_score {

enum class Outcome {
  good,            // matched, and what A copied is what X sent
  bustedExchange,  // matched, but the serial or the province differs from what X sent
  bustedCall,      // A copied X for a station B with a close call, whose log holds the QSO
  nil,             // X sent a log, and it holds no such QSO
  unique,          // X sent no log and is in no other log
  unchecked,       // X sent no log but is in another log
  dupe,            // a second QSO with the same station on the same band and leg
  xQso,            // an X-QSO line: shown, not scored
};
std::string_view outcomeName(Outcome outcome);

struct Verdict {
  Outcome outcome = Outcome::good;
  std::string detail;  // what the other log holds: the exchange X sent, the call B, ...
};

struct CheckedLog {
  std::vector<Verdict> verdicts;  // one per QSO of the log, in its order
  int clockOffsetMinutes = 0;     // the log's clock against the logs it matches
};

// The leg ("CW" or "SSB") of a QSO line's mode ("PH", "SSB", "USB" and "LSB" are SSB); "" for
// another mode.
std::string legOfMode(std::string_view mode);

// Two calls one keying error apart: one character changed, added or dropped, two neighbours
// swapped, or a portable designator dropped.
bool closeCalls(std::string_view left, std::string_view right);

// Every log judged; `logs` holds one log per station.
std::vector<CheckedLog> crossCheck(const std::vector<SubmittedLog>& logs, int windowMinutes);

}  // namespace zrv_score
