// A submitted log scored through the plug-in's entry points, as zrv-score scores an ADIF log:
// the QSOs handed over one by one, the score read from the plug-in's own report. No second copy
// of the contest's points or multipliers exists.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tools/zrv-score/country_file.h"
#include "tools/zrv-score/plugin_host.h"
#include "tools/zrv-score/submitted_log.h"

namespace zrv_score {

struct LogScore {
  int qsos = 0;  // the QSOs the report counts
  int64_t points = 0;
  int64_t multipliers = 0;
  int64_t score = 0;
};

// The leg a log was sent for: its CONTEST tag, else the mode of most of its QSOs.
std::string legOfLog(const SubmittedLog& log);

// The QSOs `kept` chooses, through the plug-in; `penaltyPoints` are taken off its points. False
// with the reason when the settings file cannot be written or the report cannot be read.
bool scoreLog(PluginHost& plugin, const CountryFile& countries, const SubmittedLog& log,
              const std::function<bool(std::size_t qso)>& kept, int64_t penaltyPoints,
              LogScore& score, std::string& error);

}  // namespace zrv_score
