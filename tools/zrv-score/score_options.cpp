#include "tools/zrv-score/score_options.h"

#include "tools/zrv-score/adif_reader.h"

namespace zrv_score {

bool parseScoreOptions(std::span<const std::string> arguments, ScoreOptions& options,
                       std::ostream& err) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    std::string value;
    const auto takeValue = [&] {
      if (i + 1 >= arguments.size()) {
        err << "zrv-score: " << argument << " needs a value\n";
        return false;
      }
      value = arguments[++i];
      return true;
    };
    const auto dateTime = [&](std::optional<double>& into, bool endOfSpan) {
      if (!takeValue()) return false;
      into = parseUtcDateTime(value, endOfSpan);
      if (!into) {
        err << "zrv-score: " << argument << " '" << value
            << "' is not a UTC date and time (YYYY-MM-DD HH:MM, or a date alone)\n";
      }
      return into.has_value();
    };
    if (argument == "--call" || argument == "--lib" || argument == "--cty" ||
        argument == "--html") {
      if (!takeValue()) return false;
      std::string& into = argument == "--call"  ? options.ownCall
                          : argument == "--lib" ? options.libraryPath
                          : argument == "--cty" ? options.countryFilePath
                                                : options.htmlPath;
      into = value;
    } else if (argument == "--mode") {
      if (!takeValue()) return false;
      if (equalsIgnoringCase(value, "CW")) {
        options.leg = Leg::cw;
      } else if (equalsIgnoringCase(value, "SSB")) {
        options.leg = Leg::ssb;
      } else {
        err << "zrv-score: --mode is CW or SSB, the contest's two legs, not '" << value << "'\n";
        return false;
      }
    } else if (argument == "--from") {
      if (!dateTime(options.period.from, false)) return false;
    } else if (argument == "--to") {
      if (!dateTime(options.period.to, true)) return false;
    } else if (argument == "--cabrillo-version") {
      if (!takeValue()) return false;
      if (value != "2.0" && value != "3.0") {
        err << "zrv-score: --cabrillo-version is 2.0 or 3.0, not '" << value << "'\n";
        return false;
      }
      options.cabrilloVersion = value;
      options.cabrillo = true;  // asking for a version is asking for the file
    } else if (argument == "--cabrillo") {
      options.cabrillo = true;
    } else if (argument == "--raw") {
      options.raw = true;
    } else if (argument == "--verbose" || argument == "-v") {
      options.verbose = true;
    } else if (argument.starts_with("-")) {
      err << "zrv-score: unknown option " << argument << " (zrv-score --help lists them)\n";
      return false;
    } else if (!options.log.empty()) {
      err << "zrv-score: one log at a time: " << options.log << " and " << argument << "\n";
      return false;
    } else {
      options.log = argument;
    }
  }
  if (options.period.from && options.period.to && *options.period.from > *options.period.to) {
    err << "zrv-score: --from comes after --to\n";
    return false;
  }
  return true;
}

void printScoreOptionsUsage(std::ostream& out, const std::string& libraryFile,
                            const std::string& countryFile) {
  out << "usage: zrv-score [LOG] [--call OWNCALL] [--mode CW|SSB] [--from UTC] [--to UTC]\n"
         "                 [--cabrillo [--cabrillo-version 2.0|3.0]] [--html FILE] [--raw]\n"
         "                 [--verbose] [--lib PATH] [--cty PATH]\n"
         "  Scores an ADIF log (.adi, or ADX, its XML form) with the ZRV DX Contest plug-in;\n"
         "  with no log, the sample logs.\n"
         "  --call      the own call (default: the log's STATION_CALLSIGN or OPERATOR)\n"
         "  --mode      the leg scored: only its QSOs go to the plug-in (default: the leg the log\n"
         "              holds; a log of both legs is scored leg by leg)\n"
         "  --from, --to  the contest period, UTC, inclusive: \"2026-03-07 12:00\" or a date\n"
         "  --cabrillo  also write the Cabrillo file OWNCALL.cbr in the current folder (one leg)\n"
         "  --cabrillo-version  2.0, the plug-in's own file (default), or 3.0: the same QSOs\n"
         "              under a Cabrillo 3.0 header (implies --cabrillo)\n"
         "  --html      also write the score as one HTML page to FILE\n"
         "  --raw       print the plug-in's report as it is, not as a table\n"
         "  --verbose   name every record left out, with its cause\n"
         "  --lib       the plug-in library (default: "
      << libraryFile
      << " beside zrv-score)\n"
         "  --cty       the country file (default: "
      << countryFile << ")\n";
}

}  // namespace zrv_score
