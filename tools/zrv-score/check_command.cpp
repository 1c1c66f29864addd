#include "tools/zrv-score/check_command.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "host/plugin_library.h"
#include "tools/zrv-score/check_outputs.h"
#include "tools/zrv-score/check_policy.h"
#include "tools/zrv-score/check_score.h"
#include "tools/zrv-score/score_command.h"
#include "tools/zrv-score/text.h"

namespace zrv_score {
namespace {

namespace fs = std::filesystem;

constexpr int kDefaultWindowMinutes = 3;
constexpr int kReportedClockMinutes = 2;

struct CheckOptions {
  fs::path folder;
  fs::path out = "check";
  int windowMinutes = kDefaultWindowMinutes;
  std::string libraryPath, countryFilePath;
};

bool parseCheckOptions(std::span<const std::string> arguments, CheckOptions& options,
                       std::ostream& err) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument == "--window" || argument == "--out" || argument == "--lib" ||
        argument == "--cty") {
      if (i + 1 >= arguments.size()) {
        err << "zrv-score check: " << argument << " needs a value\n";
        return false;
      }
      const std::string& value = arguments[++i];
      if (argument == "--window") {
        const auto [end, error] =
            std::from_chars(value.data(), value.data() + value.size(), options.windowMinutes);
        if (error != std::errc() || end != value.data() + value.size() ||
            options.windowMinutes < 0 || options.windowMinutes > 60) {
          err << "zrv-score check: --window '" << value << "' is no number of minutes (0 to 60)\n";
          return false;
        }
      } else if (argument == "--out") {
        options.out = value;
      } else {
        (argument == "--lib" ? options.libraryPath : options.countryFilePath) = value;
      }
    } else if (!argument.starts_with("--") && options.folder.empty()) {
      options.folder = argument;
    } else {
      err << "zrv-score check: unknown argument '" << argument << "'\n";
      return false;
    }
  }
  if (options.folder.empty()) err << "zrv-score check: no folder of logs given\n";
  return !options.folder.empty();
}

bool isLogFile(const fs::path& path) {
  const std::string extension = path.extension().string();
  return equalsIgnoringCase(extension, ".cbr") || equalsIgnoringCase(extension, ".log") ||
         equalsIgnoringCase(extension, ".txt");
}

// Every log the folder holds, one per station: of two logs of one call the later written is
// checked. What cannot be read is told and left out.
std::vector<SubmittedLog> readLogs(const fs::path& folder, std::ostream& err) {
  std::vector<fs::path> files;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (entry.is_regular_file() && isLogFile(entry.path())) files.push_back(entry.path());
  }
  if (error)
    err << "zrv-score check: cannot read " << folder.string() << ": " << error.message() << "\n";
  std::sort(files.begin(), files.end());
  std::vector<SubmittedLog> logs;
  std::map<std::string, std::pair<std::size_t, fs::path>> byCall;
  for (const fs::path& file : files) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    std::string reason;
    std::optional<SubmittedLog> log = readSubmittedLog(bytes.str(), reason);
    if (!log) {
      err << "zrv-score check: " << file.filename().string() << ": " << reason << "\n";
      continue;
    }
    for (const auto& [line, problem] : log->unreadLines) {
      err << "zrv-score check: " << file.filename().string() << " line " << line << ": " << problem
          << "\n";
    }
    const auto [known, added] = byCall.try_emplace(log->callsign, logs.size(), file);
    if (added) {
      logs.push_back(std::move(*log));
      continue;
    }
    const fs::path& earlier = known->second.second;
    const bool later = fs::last_write_time(file, error) >= fs::last_write_time(earlier, error);
    err << "zrv-score check: two logs of " << log->callsign << ": " << earlier.filename().string()
        << " and " << file.filename().string() << "; the later, "
        << (later ? file : earlier).filename().string() << ", is checked\n";
    if (later) {
      logs[known->second.first] = std::move(*log);
      known->second.second = file;
    }
  }
  return logs;
}

std::string categoryOf(const SubmittedLog& log) {
  std::string category;
  for (const auto& [tag, value] : log.tags) {
    if (!tag.starts_with("CATEGORY-") || value.empty()) continue;
    category += (category.empty() ? "" : " ") + value;
  }
  return category;
}

void printSummary(const std::vector<LogResult>& results, std::ostream& out) {
  std::array<int64_t, kOutcomeCount> totals{};
  int64_t lines = 0;
  for (const LogResult& result : results) {
    for (std::size_t outcome = 0; outcome < kOutcomeCount; ++outcome) {
      totals[outcome] += result.counts[outcome];
      lines += result.counts[outcome];
    }
  }
  out << "Checked " << results.size() << " logs, " << lines << " QSO lines:\n";
  for (std::size_t outcome = 0; outcome < kOutcomeCount; ++outcome) {
    char share[16];
    std::snprintf(share, sizeof share, "%.2f",
                  lines > 0
                      ? 100.0 * static_cast<double>(totals[outcome]) / static_cast<double>(lines)
                      : 0.0);
    out << "  " << outcomeName(static_cast<Outcome>(outcome)) << ": " << totals[outcome] << " ("
        << share << " %)\n";
  }
  for (const LogResult& result : results) {
    const int offset = result.checked->clockOffsetMinutes;
    if (std::abs(offset) > kReportedClockMinutes) {
      out << "  " << result.log->callsign << "'s clock is " << std::abs(offset) << " minutes "
          << (offset > 0 ? "fast" : "slow") << "\n";
    }
  }
}

}  // namespace

void printCheckUsage(std::ostream& out) {
  out << "       zrv-score check FOLDER [--window MIN] [--out DIR] [--lib FILE] [--cty FILE]\n"
         "  Checks every Cabrillo log (*.cbr, *.log, *.txt) in FOLDER against the others and\n"
         "  writes qsos.csv, results.csv, results.html and reports/CALL.txt into DIR (check/).\n";
}

int runCheckCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  CheckOptions options;
  if (!parseCheckOptions(arguments, options, err)) return 2;
  const std::vector<SubmittedLog> logs = readLogs(options.folder, err);
  if (logs.empty()) {
    err << "zrv-score check: no log to check in " << options.folder.string() << "\n";
    return 1;
  }
  const std::optional<CountryFile> countries =
      loadCountries(options.countryFilePath, "zrv-score check", err);
  if (!countries) return 1;
  PluginHost plugin;
  const std::unique_ptr<stats_host::PluginLibrary> library =
      loadPlugin(options.libraryPath, plugin, "zrv-score check", err);
  if (!library) return 1;

  std::string error;
  err << "zrv-score check: matching " << logs.size() << " logs\n";
  const std::vector<CheckedLog> checked = crossCheck(logs, options.windowMinutes);
  // A plug-in that started a contest for a Belgian station stays Belgian until it is unloaded:
  // the stations outside Belgium are scored first.
  std::vector<std::size_t> order(logs.size());
  for (std::size_t index = 0; index < logs.size(); ++index) order[index] = index;
  std::stable_partition(order.begin(), order.end(), [&](std::size_t index) {
    return countries->dxccPrefix(logs[index].callsign) != "ON";
  });
  std::vector<LogResult> results(logs.size());
  for (std::size_t done = 0; done < order.size(); ++done) {
    const std::size_t index = order[done];
    LogResult& result = results[index];
    result.log = &logs[index];
    result.checked = &checked[index];
    result.category = categoryOf(logs[index]);
    int64_t penalty = 0;
    for (const Verdict& verdict : checked[index].verdicts) {
      ++result.counts[static_cast<std::size_t>(verdict.outcome)];
      penalty += policyOf(verdict.outcome).penaltyPoints;
    }
    const std::vector<Verdict>& verdicts = checked[index].verdicts;
    const bool scored = scoreLog(
                            plugin, *countries, logs[index],
                            [&](std::size_t qso) { return verdicts[qso].outcome != Outcome::xQso; },
                            0, result.claimed, error) &&
                        scoreLog(
                            plugin, *countries, logs[index],
                            [&](std::size_t qso) { return policyOf(verdicts[qso].outcome).kept; },
                            penalty, result.afterCheck, error);
    if (!scored) {
      err << "zrv-score check: " << logs[index].callsign << ": " << error << "\n";
      return 1;
    }
    if ((done + 1) % 100 == 0 || done + 1 == logs.size()) {
      err << "zrv-score check: scored " << done + 1 << " of " << logs.size() << " logs\n";
    }
  }
  rankResults(results);
  if (!writeCheckOutputs(options.out, results, error)) {
    err << "zrv-score check: " << error << "\n";
    return 1;
  }
  printSummary(results, out);
  return 0;
}

}  // namespace zrv_score
