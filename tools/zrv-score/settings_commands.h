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
#include <string_view>

namespace zrv_score {

// Each returns the process exit status (0 done, 2 bad arguments, 1 the file could not be written);
// `arguments` are those after the command word.
int runSetupCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);
int runHeaderCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err);
int runSettingsCommand(std::span<const std::string> arguments, std::ostream& out,
                       std::ostream& err);

// The settings of one scoring run, written before its contest start through the plug-in's own
// settings code, as `setup` writes them: "BELGIUM" to match the own station, so that no run
// inherits the side of another station scored in the same folder, and "Mode" to the leg. The
// folder Plugins is created when missing. False, with the reason told on `err`, when the file
// could not be written.
bool writeRunSettings(bool belgianStation, std::string_view mode, std::ostream& out,
                      std::ostream& err);

// One key written through the plug-in's settings code; false, with the reason told, on failure.
bool writeSetting(std::string_view key, std::string_view value, std::ostream& err);

// A key of the settings file as the plug-in reads it; `fallback` when absent.
std::string readSetting(std::string_view key, std::string_view fallback = {});

// The settings file's name as this system writes it ("Plugins/ZRV.ini" on Linux).
std::string shownIniPath();

}  // namespace zrv_score
