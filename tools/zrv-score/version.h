// zrv-score's version, the project's: what a Cabrillo 3.0 file's CREATED-BY and the HTML page
// name. ZRV_SCORE_VERSION comes from the build (the zrv_version target).
#pragma once

#include <string_view>

namespace zrv_score {

inline constexpr std::string_view kZrvScoreVersion = ZRV_SCORE_VERSION;

}  // namespace zrv_score
