#include "tools/zrv-score/score_command.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

#include "tools/zrv-score/adif_qso.h"
#include "tools/zrv-score/adif_reader.h"
#include "tools/zrv-score/call_prefix.h"
#include "tools/zrv-score/country_file.h"
#include "tools/zrv-score/log_file.h"
#include "tools/zrv-score/plugin_dialogs.h"
#include "tools/zrv-score/plugin_host.h"
#include "tools/zrv-score/report_table.h"

namespace zrv_score {
namespace {

struct ScoreOptions {
  std::string log;
  std::string ownCall;
  bool cabrillo = false;
  bool raw = false;
  std::string libraryPath;
  std::string countryFilePath;
};

// What a log gave: its QSOs as the plug-in will get them, and the counts of the summary.
struct ReadLog {
  std::string ownCall;  // STATION_CALLSIGN, else OPERATOR, of the first record that has one
  std::vector<HostQso> qsos;
  std::size_t records = 0;
  std::size_t unreadable = 0;
};

bool parseOptions(std::span<const std::string> arguments, ScoreOptions& options,
                  std::ostream& err) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= arguments.size()) {
        err << "zrv-score: " << argument << " needs a value\n";
        return false;
      }
      into = arguments[++i];
      return true;
    };
    if (argument == "--call") {
      if (!value(options.ownCall)) return false;
    } else if (argument == "--lib") {
      if (!value(options.libraryPath)) return false;
    } else if (argument == "--cty") {
      if (!value(options.countryFilePath)) return false;
    } else if (argument == "--cabrillo") {
      options.cabrillo = true;
    } else if (argument == "--raw") {
      options.raw = true;
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
  return true;
}

std::string fieldValue(const AdifRecord& record, std::string_view name) {
  const AdifField* field = record.find(name);
  return field != nullptr ? normalizedCall(field->value) : std::string();
}

// A progress line on standard error while a long log is read: records and records per second.
class Progress {
 public:
  Progress(std::ostream& err, std::string name) : err_(err), name_(std::move(name)) {}
  void record(std::size_t records) {
    if (records % 1024 != 0) return;
    const auto now = Clock::now();
    if (now - lastShown_ < std::chrono::seconds(1)) return;
    lastShown_ = now;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    err_ << "\rzrv-score: " << name_ << ": " << records << " records read ("
         << static_cast<long long>(records / seconds) << " per second)" << std::flush;
    shown_ = true;
  }
  ~Progress() {
    if (shown_) err_ << "\n";
  }

 private:
  using Clock = std::chrono::steady_clock;
  std::ostream& err_;
  std::string name_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point lastShown_ = start_;
  bool shown_ = false;
};

ReadLog readLog(const std::string& name, std::string_view bytes, const CountryFile& countries,
                std::ostream& err) {
  ReadLog log;
  AdifReader reader(bytes);
  if (!reader.headerNotice().empty())
    err << "zrv-score: " << name << ": " << reader.headerNotice() << "\n";
  Progress progress(err, name);
  AdifRecord record;
  while (reader.next(record)) {
    ++log.records;
    progress.record(log.records);
    const AdifQso qso = qsoFromRecord(record);
    if (!qso.ok()) {
      ++log.unreadable;
      err << "zrv-score: " << name << ": record " << record.number << " skipped: " << qso.problem
          << "\n";
      continue;
    }
    if (log.ownCall.empty()) log.ownCall = fieldValue(record, "STATION_CALLSIGN");
    if (log.ownCall.empty()) log.ownCall = fieldValue(record, "OPERATOR");
    HostQso host;
    host.call = normalizedCall(qso.call);
    host.time.m_dt = qso.oleDate;
    host.time.m_status = qso.dateValid ? COleDateTimeValid : COleDateTimeInvalid;
    host.frequencyHz = qso.frequencyHz;
    host.mode = qso.mode;
    host.sentSerial = qso.sentSerial;
    host.receivedExchange = qso.receivedExchange;
    host.callPrefix = qso.prefix.empty() ? wpxPrefix(host.call) : normalizedCall(qso.prefix);
    host.dxccPrefix = std::string(countries.dxccPrefix(host.call));
    host.band = qso.band;
    log.qsos.push_back(std::move(host));
  }
  return log;
}

std::string defaultCountryFilePath() {
#ifdef _WIN32
  // Windows has no package for it: a copy beside the executable.
  return executableFolder() + "\\cty.dat";
#else
  return std::string(kDefaultCountryFilePath);
#endif
}

// The sample logs kept with the tool. Those of stations outside Belgium come first: a contest
// start as a Belgian station makes the loaded plug-in Belgian until it is unloaded.
std::vector<std::string> sampleLogs(const CountryFile& countries) {
  std::vector<std::string> logs;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(ZRV_SAMPLES_DIR, error)) {
    if (entry.path().extension() == ".adi") logs.push_back(entry.path().string());
  }
  std::sort(logs.begin(), logs.end());
  std::stable_partition(logs.begin(), logs.end(), [&](const std::string& path) {
    std::string unused;
    const std::optional<LogFile> file = readLogFile(path, unused);
    if (!file) return true;
    std::ostringstream quiet;
    const ReadLog log = readLog(path, file->adif, countries, quiet);
    return countries.dxccPrefix(log.ownCall) != "ON";
  });
  return logs;
}

int scoreLog(const std::string& path, const ScoreOptions& options, const CountryFile& countries,
             PluginHost& plugin, std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<LogFile> file = readLogFile(path, error);
  if (!file) {
    err << "zrv-score: " << error << "\n";
    return 1;
  }
  const std::string name = std::filesystem::path(path).filename().string();
  ReadLog log = readLog(name, file->adif, countries, err);
  const std::string ownCall =
      options.ownCall.empty() ? log.ownCall : normalizedCall(options.ownCall);
  if (ownCall.empty()) {
    err << "zrv-score: " << name
        << ": the log names no own call (no STATION_CALLSIGN or OPERATOR field): give it with "
           "--call\n";
    return 1;
  }
  const std::string ownDxcc(countries.dxccPrefix(ownCall));
  if (ownDxcc.empty()) {
    err << "zrv-score: warning: " << ownCall << " is in no entity of the country file\n";
  }

  plugin.startContest(options.cabrillo, ownCall, ownDxcc);
  std::size_t accepted = 0;
  for (const HostQso& qso : log.qsos) accepted += plugin.add(qso) ? 1 : 0;
  const std::string report = plugin.report();

  out << name << ": " << ownCall << " (" << (ownDxcc.empty() ? "no entity" : ownDxcc) << ")\n\n";
  const std::optional<std::string> table = options.raw ? std::nullopt : alignedReport(report);
  out << (table ? *table : report) << "\n";
  out << log.records << " records read, " << log.qsos.size() << " sent to the plug-in, "
      << log.qsos.size() - accepted << " rejected by it, " << log.unreadable
      << " skipped as unreadable\n";
  return 0;
}

}  // namespace

void printScoreUsage(std::ostream& out) {
  out << "usage: zrv-score [LOG.adi] [--call OWNCALL] [--cabrillo] [--raw] [--lib PATH] [--cty "
         "PATH]\n"
         "  Scores an ADIF log with the ZRV DX Contest plug-in; with no log, the sample logs.\n"
         "  --call      the own call (default: the log's STATION_CALLSIGN or OPERATOR)\n"
         "  --cabrillo  also write the Cabrillo file OWNCALL.cbr in the current folder\n"
         "  --raw       print the plug-in's report as it is, not as a table\n"
         "  --lib       the plug-in library (default: "
      << libraryFileName()
      << " beside zrv-score)\n"
         "  --cty       the country file (default: "
      << defaultCountryFilePath() << ")\n";
}

int runScoreCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  ScoreOptions options;
  if (!parseOptions(arguments, options, err)) return 2;

  std::string error;
  const std::string countryPath =
      options.countryFilePath.empty() ? defaultCountryFilePath() : options.countryFilePath;
  const std::optional<CountryFile> countries = loadCountryFile(countryPath, error);
  if (!countries) {
    err << "zrv-score: " << error << "\n";
    return 1;
  }
  const std::string libraryPath = options.libraryPath.empty()
                                      ? executableFolder() + "/" + libraryFileName()
                                      : options.libraryPath;
  const std::unique_ptr<PluginLibrary> library = PluginLibrary::load(libraryPath, error);
  if (!library) {
    err << "zrv-score: cannot load " << libraryPath << ": " << error << "\n";
    return 1;
  }
  PluginHost plugin;
  std::string missing;
  if (!plugin.attach(*library, missing)) {
    err << "zrv-score: " << libraryPath << " lacks the entry point " << missing << "\n";
    return 1;
  }

  const std::unique_ptr<PluginDialogAnswerer> answerer =
      options.cabrillo ? answerPluginDialogs() : nullptr;
  if (!options.log.empty()) return scoreLog(options.log, options, *countries, plugin, out, err);
  const std::vector<std::string> samples = sampleLogs(*countries);
  if (samples.empty()) {
    err << "zrv-score: no log given, and no sample logs in " << ZRV_SAMPLES_DIR << "\n";
    return 2;
  }
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (i > 0) out << "\n";
    if (const int status = scoreLog(samples[i], options, *countries, plugin, out, err)) {
      return status;
    }
  }
  return 0;
}

}  // namespace zrv_score
