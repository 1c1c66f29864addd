#include "tools/zrv-score/score_command.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

#include "core/cabrillo/cabrillo_header.h"
#include "core/settings/settings_keys.h"
#include "tools/zrv-score/adif_qso.h"
#include "tools/zrv-score/adif_reader.h"
#include "tools/zrv-score/cabrillo3.h"
#include "tools/zrv-score/call_prefix.h"
#include "tools/zrv-score/country_file.h"
#include "tools/zrv-score/html_report.h"
#include "tools/zrv-score/log_file.h"
#include "tools/zrv-score/plugin_dialogs.h"
#include "tools/zrv-score/plugin_host.h"
#include "tools/zrv-score/report_table.h"
#include "tools/zrv-score/score_options.h"
#include "tools/zrv-score/settings_commands.h"
#include "tools/zrv-score/version.h"

namespace zrv_score {
namespace {

// A contest leg is one weekend: a log spanning more is a logbook, not a contest log.
constexpr double kLongestLegDays = 2.0;

// A station call as one logged it: letters, digits and '/', at least three characters, one digit.
// Anything else (a value that swallowed the next tag's start, "M0NOM <") is no call.
bool isPlausibleCall(std::string_view call) {
  bool digit = false;
  for (const char c : call) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '/')) {
      return false;
    }
  }
  return call.size() >= 3 && digit;
}

// Where the own call came from, when the log names it.
struct NamedCall {
  std::string call;
  std::string field;  // "STATION_CALLSIGN" or "OPERATOR"
  std::size_t record = 0;
};

std::optional<NamedCall> namedCall(const AdifRecord& record) {
  for (const std::string_view field : {"STATION_CALLSIGN", "OPERATOR"}) {
    if (const AdifField* found = record.find(field)) {
      std::string call = normalizedCall(found->value);
      if (!call.empty()) return NamedCall{std::move(call), std::string(field), record.number};
    }
  }
  return std::nullopt;
}

// What a log gave: its readable records as the plug-in would get them, and what the summary and
// the warnings tell about the rest.
struct ReadLog {
  std::vector<LogQso> qsos;
  std::size_t records = 0;
  std::vector<std::size_t> unreadable;  // record numbers
  std::optional<NamedCall> ownCall;     // of the first readable record that names one
  std::optional<NamedCall> ownCallInUnreadable;
  std::size_t frequenciesNotInMhz = 0;       // FREQ in kHz or Hz, or outside the record's BAND
  std::vector<std::size_t> bandEdgeRecords;  // BAND without FREQ
};

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
      log.unreadable.push_back(record.number);
      if (!log.ownCallInUnreadable) log.ownCallInUnreadable = namedCall(record);
      err << "zrv-score: " << name << ": record " << record.number << " skipped: " << qso.problem
          << "\n";
      continue;
    }
    if (!log.ownCall) log.ownCall = namedCall(record);
    if (qso.frequencySource == FrequencySource::converted ||
        qso.frequencySource == FrequencySource::overruled) {
      ++log.frequenciesNotInMhz;
    }
    if (qso.frequencySource == FrequencySource::bandEdge) {
      log.bandEdgeRecords.push_back(record.number);
    }
    LogQso entry;
    entry.record = record.number;
    HostQso& host = entry.qso;
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
    log.qsos.push_back(std::move(entry));
  }
  return log;
}

// The own call of a run: --call, else the log's; nothing, with the reason told, when there is no
// call that can stand in the Cabrillo file and its name.
std::optional<std::string> ownCallOf(const std::string& name, const ReadLog& log,
                                     const ScoreOptions& options, std::ostream& err) {
  if (!options.ownCall.empty()) {
    std::string call = normalizedCall(options.ownCall);
    if (isPlausibleCall(call)) return call;
    err << "zrv-score: --call '" << printableBytes(options.ownCall)
        << "' is not a callsign (letters, digits and '/', with a digit)\n";
    return std::nullopt;
  }
  if (log.ownCall) {
    if (isPlausibleCall(log.ownCall->call)) return log.ownCall->call;
    err << "zrv-score: " << name << ": the own call in record " << log.ownCall->record << "'s "
        << log.ownCall->field << ", '" << printableBytes(log.ownCall->call)
        << "', is not a callsign (letters, digits and '/', with a digit): give the own call with "
           "--call\n";
    return std::nullopt;
  }
  if (log.ownCallInUnreadable) {
    err << "zrv-score: " << name << ": the log's only " << log.ownCallInUnreadable->field
        << " is in record " << log.ownCallInUnreadable->record
        << ", which could not be read: give the own call with --call\n";
    return std::nullopt;
  }
  err << "zrv-score: " << name
      << ": the log names no own call (no STATION_CALLSIGN or OPERATOR field): give it with "
         "--call\n";
  return std::nullopt;
}

// The legs scored: --mode, else those the log holds; a log of neither mode is scored as the leg
// the settings give, as the plug-in would export it.
std::vector<Leg> legsToScore(const ReadLog& log, const ScoreOptions& options) {
  if (options.leg) return {*options.leg};
  std::vector<Leg> legs = legsOf(log.qsos);
  if (legs.empty()) legs.push_back(readSetting(stats::keys::kMode) == "CW" ? Leg::cw : Leg::ssb);
  return legs;
}

std::string summaryLine(const ReadLog& log, const LegSelection& selection, std::size_t scored) {
  std::ostringstream line;
  line << log.records << " records read, " << scored << " scored";
  std::string causes;
  for (const auto& [cause, count] : selection.leftOutSummary()) {
    causes += causes.empty() ? "; left out: " : ", ";
    causes += cause + " " + std::to_string(count);
  }
  line << (causes.empty() ? "; none left out" : causes) << "\n";
  return line.str();
}

// The plug-in's file rewritten under a Cabrillo 3.0 header; false, with the reason, when it fails.
bool rewriteAsCabrillo3(const std::string& ownCall, Leg leg, std::ostream& err) {
  const std::string fileName = stats::cabrilloFileBase(ownCall) + ".cbr";
  std::ifstream in(fileName, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in && !in.eof()) {
    err << "zrv-score: cannot read the plug-in's Cabrillo file " << fileName << "\n";
    return false;
  }
  Cabrillo3Log log;
  {
    const std::unique_ptr<stats::ProfileStore> store =
        stats::makePlatformProfileStore(std::string(stats::kIniPath));
    const stats::Settings settings(*store);
    log = cabrillo3Log(written, settings, leg == Leg::cw, kZrvScoreVersion);
  }
  for (const std::string& note : log.notes)
    err << "zrv-score: " << fileName << ": " << note << "\n";
  if (log.text.empty()) {
    err << "zrv-score: " << fileName << ": no Cabrillo 3.0 form: " << log.error << "\n";
    return false;
  }
  std::ofstream out(fileName, std::ios::binary | std::ios::trunc);
  out << log.text;
  out.close();
  if (!out) {
    err << "zrv-score: cannot write " << fileName << "\n";
    return false;
  }
  return true;
}

class ScoreRun {
 public:
  ScoreRun(const ScoreOptions& options, const CountryFile& countries, PluginHost& plugin,
           std::ostream& out, std::ostream& err)
      : options_(options), countries_(countries), plugin_(plugin), out_(out), err_(err) {}

  int scoreLog(const std::string& path);
  int writeHtml() const;

 private:
  // One leg from its own contest start; returns the exit status.
  int scoreLeg(const std::string& name, const ReadLog& log, const std::string& ownCall,
               const std::string& ownDxcc, Leg leg, bool exportRun);
  void reportLeftOut(const std::string& name, const LegSelection& selection) const;

  const ScoreOptions& options_;
  const CountryFile& countries_;
  PluginHost& plugin_;
  std::ostream& out_;
  std::ostream& err_;
  std::vector<HtmlLegReport> htmlLegs_;
  bool firstReport_ = true;
};

void ScoreRun::reportLeftOut(const std::string& name, const LegSelection& selection) const {
  if (!options_.verbose) return;
  for (const LeftOutRecord& record : selection.leftOut) {
    if (record.cause == LeftOutCause::unreadable) continue;  // named as it was read
    err_ << "zrv-score: " << name << ": record " << record.record << " left out of the "
         << legMode(selection.leg) << " leg: " << leftOutCauseText(record.cause)
         << (record.detail.empty() ? "" : " (" + printableBytes(record.detail) + ")") << "\n";
  }
}

int ScoreRun::scoreLeg(const std::string& name, const ReadLog& log, const std::string& ownCall,
                       const std::string& ownDxcc, Leg leg, bool exportRun) {
  LegSelection selection = selectLeg(log.qsos, leg, options_.period);
  for (const std::size_t record : log.unreadable) {
    selection.leaveOut(record, LeftOutCause::unreadable);
  }
  if (!options_.period.from && !options_.period.to && selection.handOver.size() > 1 &&
      selection.handOver.back()->qso.time.m_dt - selection.handOver.front()->qso.time.m_dt >
          kLongestLegDays) {
    err_ << "zrv-score: warning: " << name << ": the " << legMode(leg) << " QSOs span "
         << formatUtcDateTime(selection.handOver.front()->qso.time.m_dt) << " to "
         << formatUtcDateTime(selection.handOver.back()->qso.time.m_dt)
         << ", more than a contest weekend: give the contest period with --from and --to\n";
  }

  const bool belgian = ownDxcc == "ON";
  if (!writeRunSettings(belgian, legMode(leg), err_, err_)) return 1;
  plugin_.startContest(exportRun, ownCall, ownDxcc);
  HtmlLegReport html;
  std::size_t bandEdges = 0;
  for (const LogQso* entry : selection.handOver) {
    if (!plugin_.add(entry->qso)) {
      selection.leaveOut(entry->record, LeftOutCause::refused);
      continue;
    }
    if (std::binary_search(log.bandEdgeRecords.begin(), log.bandEdgeRecords.end(), entry->record))
      ++bandEdges;
    html.qsos.push_back(entry->qso);
  }
  std::stable_sort(selection.leftOut.begin(), selection.leftOut.end(),
                   [](const LeftOutRecord& left, const LeftOutRecord& right) {
                     return left.record < right.record;
                   });
  const std::string report = plugin_.report();

  if (!firstReport_) out_ << "\n";
  firstReport_ = false;
  out_ << name << ": " << ownCall << " (" << (ownDxcc.empty() ? "no entity" : ownDxcc) << "), "
       << legMode(leg) << " leg\n\n";
  const std::optional<std::string> table = options_.raw ? std::nullopt : alignedReport(report);
  out_ << (table ? *table : report) << "\n";
  out_ << summaryLine(log, selection, html.qsos.size());
  if (bandEdges > 0) {
    out_ << bandEdges << (bandEdges == 1 ? " QSO" : " QSOs")
         << " had a BAND and no FREQ: given the band's lowest frequency (1800, 3500, 7000, 14000, "
            "21000 or 28000 kHz)\n";
  }
  reportLeftOut(name, selection);

  if (!options_.htmlPath.empty()) {
    html.logName = name;
    html.ownCall = ownCall;
    html.ownDxcc = ownDxcc;
    html.belgianStation = belgian;
    html.ownProvince = readSetting(stats::keys::kProvince);
    html.leg = legMode(leg);
    html.reportText = table ? *table : report;
    html.periodStart = options_.period.from.value_or(
        html.qsos.empty() ? 0.0 : selection.handOver.front()->qso.time.m_dt);
    html.periodEnd = options_.period.to.value_or(
        html.qsos.empty() ? 0.0 : selection.handOver.back()->qso.time.m_dt);
    html.leftOut = selection.leftOutSummary();
    html.recordsRead = log.records;
    htmlLegs_.push_back(std::move(html));
  }
  if (exportRun && options_.cabrilloVersion == "3.0" && !rewriteAsCabrillo3(ownCall, leg, err_)) {
    return 1;
  }
  return 0;
}

int ScoreRun::scoreLog(const std::string& path) {
  std::string error;
  const std::optional<LogFile> file = readLogFile(path, error);
  if (!file) {
    err_ << "zrv-score: " << error << "\n";
    return 1;
  }
  const std::string name = std::filesystem::path(path).filename().string();
  const ReadLog log = readLog(name, file->adif, countries_, err_);
  const std::optional<std::string> ownCall = ownCallOf(name, log, options_, err_);
  if (!ownCall) return 1;
  const std::string ownDxcc(countries_.dxccPrefix(*ownCall));
  if (ownDxcc.empty()) {
    err_ << "zrv-score: warning: " << *ownCall << " is in no entity of the country file\n";
  }
  if (log.frequenciesNotInMhz > 0) {
    err_ << "zrv-score: warning: " << name << ": " << log.frequenciesNotInMhz
         << (log.frequenciesNotInMhz == 1 ? " record gives" : " records give")
         << " a FREQ that is not in MHz or lies outside its BAND: read as kHz or Hz where that "
            "lands in the band, else given the band's lowest frequency\n";
  }

  const std::vector<Leg> legs = legsToScore(log, options_);
  // A Belgian station's sent exchange holds its province: without one the file would be wrong.
  const bool provinceMissing = ownDxcc == "ON" && readSetting(stats::keys::kProvince).empty();
  const bool exportRun = options_.cabrillo && legs.size() == 1 && !provinceMissing;
  const std::string modeBefore = readSetting(stats::keys::kMode);
  int status = 0;
  for (const Leg leg : legs) {
    status = std::max(status, scoreLeg(name, log, *ownCall, ownDxcc, leg, exportRun));
  }
  // "Mode" was the run's; the operator's own setting comes back.
  if (readSetting(stats::keys::kMode) != modeBefore)
    writeSetting(stats::keys::kMode, modeBefore, err_);

  if (options_.cabrillo && legs.size() > 1) {
    err_ << "zrv-score: " << name
         << " holds QSOs of both legs (CW and SSB), and a Cabrillo file is one leg's: give "
            "--mode CW or --mode SSB with --cabrillo\n";
    return 2;
  }
  if (options_.cabrillo && provinceMissing) {
    err_ << "zrv-score: no Cabrillo file: " << *ownCall
         << " is a Belgian station, and its sent exchange needs its province, which the settings "
            "do not give: set it with zrv-score setup --province XX (AN, BR, BW, HT, LB, LG, LU, "
            "NM, OV, VB or WV)\n";
    return 1;
  }
  return status;
}

int ScoreRun::writeHtml() const {
  if (options_.htmlPath.empty() || htmlLegs_.empty()) return 0;
  std::ofstream page(options_.htmlPath, std::ios::binary | std::ios::trunc);
  page << htmlReport(htmlLegs_);
  page.close();
  if (!page) {
    err_ << "zrv-score: cannot write " << options_.htmlPath << "\n";
    return 1;
  }
  return 0;
}

// The sample logs kept with the tool. Those of stations outside Belgium come first: a contest
// start as a Belgian station makes the loaded plug-in Belgian until it is unloaded (only an
// export reloads the side from the settings file).
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
    return !log.ownCall || countries.dxccPrefix(log.ownCall->call) != "ON";
  });
  return logs;
}

std::string defaultCountryFilePath() {
#ifdef _WIN32
  // Windows has no package for it: a copy beside the executable.
  return stats_host::executableFolder() + "\\cty.dat";
#else
  return std::string(kDefaultCountryFilePath);
#endif
}

}  // namespace

std::optional<CountryFile> loadCountries(const std::string& path, std::string_view command,
                                         std::ostream& err) {
  std::string error;
  std::optional<CountryFile> countries =
      loadCountryFile(path.empty() ? defaultCountryFilePath() : path, error);
  if (!countries) err << command << ": " << error << "\n";
  return countries;
}

void printScoreUsage(std::ostream& out) {
  printScoreOptionsUsage(out, stats_host::pluginFileName(), defaultCountryFilePath());
}

int runScoreCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  ScoreOptions options;
  if (!parseScoreOptions(arguments, options, err)) return 2;

  const std::optional<CountryFile> countries =
      loadCountries(options.countryFilePath, "zrv-score", err);
  if (!countries) return 1;
  PluginHost plugin;
  const std::unique_ptr<stats_host::PluginLibrary> library =
      loadPlugin(options.libraryPath, plugin, "zrv-score", err);
  if (!library) return 1;

  const std::unique_ptr<PluginDialogAnswerer> answerer =
      options.cabrillo ? answerPluginDialogs() : nullptr;
  ScoreRun run(options, *countries, plugin, out, err);
  int status = 0;
  if (!options.log.empty()) {
    status = run.scoreLog(options.log);
  } else {
    const std::vector<std::string> samples = sampleLogs(*countries);
    if (samples.empty()) {
      err << "zrv-score: no log given, and no sample logs in " << ZRV_SAMPLES_DIR << "\n";
      return 2;
    }
    for (const std::string& sample : samples) {
      status = run.scoreLog(sample);
      if (status != 0) return status;
    }
  }
  return std::max(status, run.writeHtml());
}

}  // namespace zrv_score
