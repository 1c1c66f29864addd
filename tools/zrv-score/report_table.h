// The plug-in's score report (tab-separated lines, CR LF) laid out as an aligned table for a
// terminal.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zrv_score {

// The table, or nothing when the text is not shaped like the plug-in's report; the caller then
// shows the text as it is.
std::optional<std::string> alignedReport(std::string_view report);

}  // namespace zrv_score
