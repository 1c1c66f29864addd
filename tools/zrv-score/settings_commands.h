// zrv-score's settings commands: they edit the plug-in's settings file (Plugins/ZRV.ini under the
// current directory) the way the plug-in's two dialogs do on Windows, through the plug-in's own
// settings code, so that a command writes the same keys, in the same order and forms, as the
// dialog's OK would.
//
//   setup     like the setup dialog's OK: "Multiplier", "Province" and "Mode", in that order; a
//             value not given keeps what the file has.
//   header    like the Cabrillo header dialog's OK at an export's contest start: the header
//             loaded as that start loads it, the given fields changed, then every saved field
//             written.
//   settings  every key the plug-in uses, with its value, in the order the plug-in declares them.
//
// A command that writes creates the folder Plugins when it is missing (the plug-in never does).
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace zrv_score {

// Each returns the process exit status (0 done, 2 bad arguments, 1 the file could not be written);
// `arguments` are those after the command word.
int runSetupCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);
int runHeaderCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);
int runSettingsCommand(std::span<const std::string> arguments, std::ostream& out,
                       std::ostream& err);

}  // namespace zrv_score
