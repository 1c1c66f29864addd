// Which records of a log go to the plug-in for one leg of the contest, in which order, and why
// each of the others does not: a cause for every record left out.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tools/zrv-score/host_qso.h"

namespace zrv_score {

// In the order the summary gives them.
enum class LeftOutCause {
  otherMode,       // FT8, RTTY...: not a mode of the contest
  otherLeg,        // CW in the SSB leg, SSB in the CW leg
  outsideBands,    // 2 m, 30 m... or no band at all
  outsidePeriod,   // before --from or after --to
  noExchange,      // no SRX or SRX_STRING
  refused,         // AddData0 said no
  exactDuplicate,  // the same QSO again, field for field: the plug-in stores it once
  unreadable,      // the record could not be read
};
inline constexpr std::size_t kLeftOutCauseCount = 8;
std::string_view leftOutCauseText(LeftOutCause cause);

enum class Leg { cw, ssb };
std::string_view legMode(Leg leg);  // "CW", "SSB": the plug-in's Mode setting for the leg

// The contest period, inclusive, as OLE dates; either end may be open.
struct Period {
  std::optional<double> from;
  std::optional<double> to;
};

// A readable record of the log, as it would be handed over.
struct LogQso {
  std::size_t record = 0;  // the record's number in the file
  HostQso qso;
};

struct LeftOutRecord {
  std::size_t record = 0;
  LeftOutCause cause = LeftOutCause::otherMode;
  std::string detail;  // what made it so (the mode, the band), for --verbose
};

struct LegSelection {
  Leg leg = Leg::ssb;
  // To hand over, sorted by QSO date and time, stable: the order the logger logs them in.
  std::vector<const LogQso*> handOver;
  std::vector<LeftOutRecord> leftOut;  // in record order
  std::array<std::size_t, kLeftOutCauseCount> counts{};

  // The causes with a record left out, as (cause text, count), in the summary's order.
  std::vector<std::pair<std::string, std::size_t>> leftOutSummary() const;

  void leaveOut(std::size_t record, LeftOutCause cause, std::string detail = {});
};

// The legs the log holds QSOs of, CW first; none when it holds no CW or SSB QSO.
std::vector<Leg> legsOf(std::span<const LogQso> qsos);

// Every readable record either handed over or left out with its cause.
LegSelection selectLeg(std::span<const LogQso> qsos, Leg leg, const Period& period);

// A date-time the user gives for --from and --to, UTC: "YYYY-MM-DD HH:MM[:SS]" (or with a 'T'),
// "YYYYMMDD HHMM[SS]", or a date alone. `endOfSpan` makes the value inclusive at the end: a date
// alone means its last second, a time without seconds the last second of its minute.
std::optional<double> parseUtcDateTime(std::string_view text, bool endOfSpan);

// An OLE date as "YYYY-MM-DD HH:MM" for messages.
std::string formatUtcDateTime(double oleDate);

}  // namespace zrv_score
