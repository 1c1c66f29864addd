// The folder of the running zrv-score executable, where it looks for the plug-in first and, on
// Windows, for the country file.
#pragma once

#include <string>

namespace zrv_score {

std::string executableFolder();

}  // namespace zrv_score
