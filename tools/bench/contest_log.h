// The data the benchmark feeds the plug-in: a contest log as the logger would replay it, and the
// calls an operator types against it. Deterministic, so that every run and every implementation
// sees the same QSOs.
#pragma once

#include <string>
#include <vector>

#include "api/stats_api.h"

namespace stats_bench {

// The side of the contest the own station is on: the rules, and so the work, differ.
enum class Side { outsideBelgium, belgian };

struct LoggedQso {
  std::string call, band, mode, sent, received, dxcc, prefix;
  unsigned int frequencyHz = 0;
  COleDateTime time{};
};

// What a call check should answer, as CheckCall0 codes it.
enum class CheckAnswer : int { repeat = 0, notNew = 1, newMultiplier = 2 };

struct CallQuery {
  std::string call, band, dxcc, prefix;
  CheckAnswer expected = CheckAnswer::repeat;
};

// `count` QSOs: about one in six with a Belgian station (serial and province), half with
// European-Union countries, the rest further away; one QSO every 30 s on six bands, CW and SSB.
std::vector<LoggedQso> makeLog(int count);

// `count` calls in equal thirds: calls already in the log on that band (repeats), calls not in the
// log from entities and prefixes worked on every band (not new), and calls that bring a multiplier
// the log does not have for `side`.
std::vector<CallQuery> makeCallQueries(const std::vector<LoggedQso>& log, Side side, int count);

}  // namespace stats_bench
