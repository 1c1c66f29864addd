// The options of zrv-score's score command, as given on the command line.
#pragma once

#include <optional>
#include <ostream>
#include <span>
#include <string>

#include "tools/zrv-score/qso_selection.h"

namespace zrv_score {

struct ScoreOptions {
  std::string log;
  std::string ownCall;
  bool cabrillo = false;
  std::string cabrilloVersion = "2.0";  // "2.0": the plug-in's own file; "3.0": made from it
  bool raw = false;
  bool verbose = false;
  std::optional<Leg> leg;  // --mode; else the legs the log holds
  Period period;           // --from, --to
  std::string htmlPath;
  std::string libraryPath;
  std::string countryFilePath;
};

// False, with the reason told on `err`, when the arguments make no command.
bool parseScoreOptions(std::span<const std::string> arguments, ScoreOptions& options,
                       std::ostream& err);

// The usage text; the default library and country file are named by the caller.
void printScoreOptionsUsage(std::ostream& out, const std::string& libraryFile,
                            const std::string& countryFile);

}  // namespace zrv_score
