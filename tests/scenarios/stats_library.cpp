#include "tests/scenarios/stats_library.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace stats_test {
namespace {

namespace fs = std::filesystem;

// The build under test, made absolute while the current directory is still the one the tests
// started in: each scenario runs in a folder of its own.
const fs::path kLibrary = fs::absolute(STATS_LIBRARY_PATH);

// The contest period, passed where the plug-in ignores it.
const COleDateTime kStart = at(0, 0);
const COleDateTime kEnd = at(24, 0);

int qsoCall(decltype(&::AddData0) function, const Qso& qso) {
  COleDateTime time = qso.time;
  COleDateTime start = kStart;
  COleDateTime end = kEnd;
  return function("ZRV", qso.call.c_str(), &start, &time, &start, &end, 17, qso.frequencyHz,
                  qso.mode.c_str(), qso.hostText10.c_str(), qso.hostText11.c_str(),
                  qso.sentSerial.c_str(), qso.receivedExchange.c_str(), "599", "599", "Hans", "14",
                  "28", "EU", "", "", qso.callPrefix.c_str(), qso.dxccPrefix.c_str(), 14, 28, 0,
                  51.5, -7.5, "", qso.hostText30.c_str(), "ON4XYZ", qso.band.c_str(), "");
}

}  // namespace

StatsLibrary::StatsLibrary() {
  // A copy under a path of its own is a separate object to the dynamic loader: its static state
  // is built afresh, whatever copies earlier scenarios left behind.
  const fs::path copy = copyFolder_.path() / kLibrary.filename();
  fs::copy_file(kLibrary, copy);
  std::string error;
  library_ = stats_host::PluginLibrary::load(copy.string(), error);
  if (!library_) throw std::runtime_error("cannot load " + copy.string() + ": " + error);
  std::string missing;
  if (!library_->resolve(api_, missing)) throw std::runtime_error("missing export " + missing);
}

int StatsLibrary::reset(const char* ownCall, const char* ownDxccPrefix, int exportRequest) const {
  COleDateTime start = kStart;
  COleDateTime end = kEnd;
  return api_.ResetStats0("ZRV", exportRequest, ownCall, &start, &end, "Jan", "JO20", "ON", "EU",
                          "14", "27", "ZRV DX Contest", "", "", ownDxccPrefix, 14, 27, 0, 50.85,
                          -4.35, "", "", "");
}

int StatsLibrary::add(const Qso& qso) const {
  return qsoCall(api_.AddData0, qso);
}

int StatsLibrary::remove(const Qso& qso) const {
  return qsoCall(api_.RemoveData0, qso);
}

int StatsLibrary::check(const char* call, const char* callPrefix, const char* dxccPrefix,
                        const char* band, const char* secondBand, char* outputText,
                        char* outputText2) const {
  return api_.CheckCall0(call, 14025600, 0, "CW", "599", "", "", "", "", "", "", "", callPrefix,
                         dxccPrefix, 14, 28, 0, 51.5, -7.5, "", "", "", "", "", band, secondBand,
                         outputText, outputText2);
}

std::string StatsLibrary::result(int* exportDone) const {
  const char* text = api_.GetResult0(exportDone);
  return text != nullptr ? std::string(text) : std::string("<null>");
}

void writeSettings(const std::vector<std::pair<std::string, std::string>>& keys) {
  std::ofstream out(kSettingsFile, std::ios::binary | std::ios::trunc);
  out << "[Settings]\n";
  for (const auto& [key, value] : keys) out << key << "=" << value << "\n";
}

std::optional<std::string> readSetting(std::string_view key) {
  std::istringstream lines(readBytes(kSettingsFile).value_or(""));
  const std::string prefix = std::string(key) + "=";
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.starts_with(prefix)) return line.substr(prefix.size());
  }
  return std::nullopt;
}

std::vector<std::string> qsoLines(std::string_view cabrillo) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < cabrillo.size();) {
    size_t end = cabrillo.find("\r\n", start);
    if (end == std::string_view::npos) end = cabrillo.size();
    const std::string_view line = cabrillo.substr(start, end - start);
    if (line.starts_with("QSO: ")) lines.emplace_back(line);
    start = end + 2;
  }
  return lines;
}

int totalQsos(std::string_view report) {
  const auto row = report.find("Total\t ");
  if (row == std::string_view::npos) return -1;
  return std::atoi(std::string(report.substr(row + 7, 12)).c_str());
}

}  // namespace stats_test
