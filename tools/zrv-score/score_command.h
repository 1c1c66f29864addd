// Scoring logs: every QSO of an ADIF log through the plug-in's entry points, then its report, and
// with --cabrillo its Cabrillo file. With no log named, the sample logs kept with the tool.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace zrv_score {

// The process exit status: 0 scored, 1 a file could not be used, 2 bad arguments.
int runScoreCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

void printScoreUsage(std::ostream& out);

// The country file used when none is named: the installed one, or on Windows the copy beside the
// executable.
std::string defaultCountryFilePath();

}  // namespace zrv_score
