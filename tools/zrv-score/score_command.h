// Scoring logs: every QSO of an ADIF log through the plug-in's entry points, then its report, and
// with --cabrillo its Cabrillo file. With no log named, the sample logs kept with the tool.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "tools/zrv-score/country_file.h"

namespace zrv_score {

// The process exit status: 0 scored, 1 a file could not be used, 2 bad arguments.
int runScoreCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

void printScoreUsage(std::ostream& out);

// The country file at `path`, or when it is empty the installed one (on Windows the copy beside the
// executable); nothing, with the reason told on `err` after `command`, when it cannot be read.
std::optional<CountryFile> loadCountries(const std::string& path, std::string_view command,
                                         std::ostream& err);

}  // namespace zrv_score
