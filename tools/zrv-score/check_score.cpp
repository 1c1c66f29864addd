#include "tools/zrv-score/check_score.h"

#include <algorithm>
#include <charconv>
#include <sstream>

#include "tools/zrv-score/adif_qso.h"
#include "tools/zrv-score/call_prefix.h"
#include "tools/zrv-score/cross_check.h"
#include "tools/zrv-score/settings_commands.h"

namespace zrv_score {
namespace {

std::optional<int64_t> numberAt(std::string_view text, std::size_t at) {
  int64_t value = 0;
  if (at >= text.size()) return std::nullopt;
  const auto [end, error] = std::from_chars(text.data() + at, text.data() + text.size(), value);
  if (error != std::errc()) return std::nullopt;
  return value;
}

// "Total\t 12\t..." and "Score: P*M = S" or "Score: P*(a + b + c) = S" of the plug-in's report.
bool readReport(std::string_view report, LogScore& score) {
  const std::size_t total = report.find("Total\t");
  const std::size_t line = report.find("Score: ");
  if (total == std::string_view::npos || line == std::string_view::npos) return false;
  const std::size_t equals = report.find("= ", line);
  const auto qsos = numberAt(report, report.find_first_not_of(' ', total + 6));
  const auto points = numberAt(report, line + 7);
  const auto value =
      numberAt(report, equals == std::string_view::npos ? report.size() : equals + 2);
  if (!qsos || !points || !value) return false;
  score.qsos = static_cast<int>(*qsos);
  score.points = *points;
  score.score = *value;
  score.multipliers = *points > 0 ? *value / *points : 0;
  return true;
}

HostQso hostQsoOf(const SubmittedQso& line, const CountryFile& countries) {
  HostQso qso;
  qso.call = line.call;
  qso.time.m_dt = oleDateOfMinute(line.minute);
  qso.time.m_status = COleDateTimeValid;
  qso.frequencyHz = static_cast<unsigned int>(line.frequencyKHz) * 1000u;
  const std::string leg = legOfMode(line.mode);
  qso.mode = leg.empty() ? line.mode : leg;
  qso.sentSerial = loggerSerial(line.sent.serial);
  qso.receivedExchange = line.received.province.empty()
                             ? line.received.serial
                             : line.received.serial + " " + line.received.province;
  qso.callPrefix = wpxPrefix(line.call);
  qso.dxccPrefix = std::string(countries.dxccPrefix(line.call));
  qso.band = bandOf(line);
  return qso;
}

}  // namespace

std::string legOfLog(const SubmittedLog& log) {
  for (const auto& [tag, value] : log.tags) {
    if (tag != "CONTEST") continue;
    if (value.find("CW") != std::string::npos) return "CW";
    if (value.find("SSB") != std::string::npos || value.find("PH") != std::string::npos) {
      return "SSB";
    }
  }
  const auto cw = std::count_if(log.qsos.begin(), log.qsos.end(), [](const SubmittedQso& qso) {
    return legOfMode(qso.mode) == "CW";
  });
  return cw * 2 >= static_cast<std::ptrdiff_t>(log.qsos.size()) ? "CW" : "SSB";
}

bool scoreLog(PluginHost& plugin, const CountryFile& countries, const SubmittedLog& log,
              const std::function<bool(std::size_t qso)>& kept, int64_t penaltyPoints,
              LogScore& score, std::string& error) {
  const std::string ownDxcc(countries.dxccPrefix(log.callsign));
  std::ostringstream settingsErrors;
  if (!writeRunSettings(ownDxcc == "ON", legOfLog(log), settingsErrors, settingsErrors)) {
    error = settingsErrors.str();
    return false;
  }
  plugin.startContest(false, log.callsign, ownDxcc);
  for (std::size_t qso = 0; qso < log.qsos.size(); ++qso) {
    if (kept(qso)) plugin.add(hostQsoOf(log.qsos[qso], countries));
  }
  if (!readReport(plugin.report(), score)) {
    error = "the plug-in's report holds no score";
    return false;
  }
  if (penaltyPoints > 0) {
    score.points = std::max<int64_t>(0, score.points - penaltyPoints);
    score.score = score.points * score.multipliers;
  }
  return true;
}

}  // namespace zrv_score
