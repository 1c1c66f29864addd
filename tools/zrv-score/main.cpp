// zrv-score: the ZRV DX Contest plug-in's command-line host. It scores ADIF logs through the
// plug-in's entry points and writes their Cabrillo files, and edits the settings the plug-in's
// dialogs edit on Windows.
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "tools/zrv-score/check_command.h"
#include "tools/zrv-score/score_command.h"
#include "tools/zrv-score/settings_commands.h"

namespace {

void printUsage(std::ostream& out) {
  zrv_score::printScoreUsage(out);
  out << "       zrv-score setup [--multiplier 0|1] [--mode CW|SSB] [--province CODE]\n"
         "  Sets what the plug-in's setup dialog sets.\n"
         "       zrv-score header [OPTIONS]   (zrv-score header --help lists them)\n"
         "  Sets the Cabrillo header fields that the plug-in's header dialog saves.\n"
         "       zrv-score settings\n"
         "  Prints the plug-in's settings file, Plugins/ZRV.ini in the current folder.\n";
  zrv_score::printCheckUsage(out);
}

int run(const std::vector<std::string>& arguments) {
  const std::string command = arguments.empty() ? std::string() : arguments.front();
  const std::span<const std::string> rest =
      arguments.empty() ? std::span<const std::string>() : std::span(arguments).subspan(1);
  if (command == "--help" || command == "-h" || command == "help") {
    printUsage(std::cout);
    return 0;
  }
  if (command == "setup") return zrv_score::runSetupCommand(rest, std::cout, std::cerr);
  if (command == "header") return zrv_score::runHeaderCommand(rest, std::cout, std::cerr);
  if (command == "settings") return zrv_score::runSettingsCommand(rest, std::cout, std::cerr);
  if (command == "check") return zrv_score::runCheckCommand(rest, std::cout, std::cerr);
  return zrv_score::runScoreCommand(arguments, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  // The same bytes as on Linux: the report's own CR LF stays as it is, and lines end in LF.
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  try {
    return run(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::exception& error) {
    std::cerr << "zrv-score: " << error.what() << "\n";
    return 1;
  }
}
