// zrv-score check: the contest committee's cross-check of every submitted Cabrillo log in a
// folder against the others, each log scored before and after through the plug-in's own rules.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace zrv_score {

// The process exit status: 0 checked, 1 nothing could be checked or written, 2 bad arguments.
int runCheckCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);

void printCheckUsage(std::ostream& out);

}  // namespace zrv_score
