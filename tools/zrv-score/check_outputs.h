// What the cross-check writes for the contest's committee and its entrants: every QSO line with
// its verdict (qsos.csv), the results by category (results.csv and results.html) and one report
// per entrant of the QSOs that lost their points (reports/CALL.txt).
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/zrv-score/check_score.h"
#include "tools/zrv-score/cross_check.h"
#include "tools/zrv-score/submitted_log.h"

namespace zrv_score {

inline constexpr std::size_t kOutcomeCount = 8;

struct LogResult {
  const SubmittedLog* log = nullptr;
  const CheckedLog* checked = nullptr;
  std::string category;  // the CATEGORY tags, joined
  LogScore claimed, afterCheck;
  std::array<int, kOutcomeCount> counts{};  // QSO lines per outcome
  int rank = 0;                             // within the category, by the checked score
};

// Ranks the results within each category, highest checked score first.
void rankResults(std::vector<LogResult>& results);

// Writes the four outputs into `folder`; false with the reason when a file cannot be written.
bool writeCheckOutputs(const std::filesystem::path& folder, const std::vector<LogResult>& results,
                       std::string& error);

}  // namespace zrv_score
