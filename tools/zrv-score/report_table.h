// The plug-in's score report (tab-separated lines, CR LF) laid out as an aligned table for a
// terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zrv_score {

// The table, or nothing when the text is not shaped like the plug-in's report; the caller then
// shows the text as it is.
std::optional<std::string> alignedReport(std::string_view report);

// The report taken apart: its title, its table (the column names first, then one row per band,
// the total row last; each cell as the report prints it, trimmed) and the lines after the table
// (the score line). Nothing when the text is not shaped like the plug-in's report.
struct ReportRows {
  std::string title;
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> notes;
};
std::optional<ReportRows> reportRows(std::string_view report);

}  // namespace zrv_score
