#include "tests/support/stats_library.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace stats_test {
namespace {

namespace fs = std::filesystem;

// The build under test: the one beside the test executable.
const fs::path kLibrary = fs::path(stats_host::executableFolder()) / stats_host::pluginFileName();

// The contest period, passed where the plug-in ignores it.
const COleDateTime kStart = at(0, 0);
const COleDateTime kEnd = at(24, 0);

}  // namespace

int passQso(decltype(&::AddData0) function, const Qso& qso) {
  COleDateTime time = qso.time;
  COleDateTime start = kStart;
  COleDateTime end = kEnd;
  return function("ZRV", qso.call.c_str(), &start, &time, &start, &end, 17, qso.frequencyHz,
                  qso.mode.c_str(), qso.hostText10.c_str(), qso.hostText11.c_str(),
                  qso.sentSerial.c_str(), qso.receivedExchange.c_str(), "599", "599", "Hans", "14",
                  "28", "EU", "", "", qso.callPrefix.c_str(), qso.dxccPrefix.c_str(), 14, 28, 0,
                  51.5, -7.5, "", qso.hostText30.c_str(), "ON4XYZ", qso.band.c_str(), "");
}

int startContest(decltype(&::ResetStats0) function, const char* ownCall, const char* ownDxccPrefix,
                 int exportRequest) {
  COleDateTime start = kStart;
  COleDateTime end = kEnd;
  return function("ZRV", exportRequest, ownCall, &start, &end, "Jan", "JO20", "ON", "EU", "14",
                  "27", "ZRV DX Contest", "", "", ownDxccPrefix, 14, 27, 0, 50.85, -4.35, "", "",
                  "");
}

int checkCall(decltype(&::CheckCall0) function, const char* call, const char* callPrefix,
              const char* dxccPrefix, const char* band, const char* secondBand, char* outputText,
              char* outputText2) {
  return function(call, 14025600, 0, "CW", "599", "", "", "", "", "", "", "", callPrefix,
                  dxccPrefix, 14, 28, 0, 51.5, -7.5, "", "", "", "", "", band, secondBand,
                  outputText, outputText2);
}

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
  return startContest(api_.ResetStats0, ownCall, ownDxccPrefix, exportRequest);
}

int StatsLibrary::add(const Qso& qso) const {
  return passQso(api_.AddData0, qso);
}

int StatsLibrary::remove(const Qso& qso) const {
  return passQso(api_.RemoveData0, qso);
}

void* StatsLibrary::symbol(const char* name) const {
  void* address = library_->symbol(name);
  if (address == nullptr) {
    ADD_FAILURE() << kLibrary.filename().string() << " does not export " << name;
    throw std::runtime_error(std::string("missing export ") + name);
  }
  return address;
}

int StatsLibrary::check(const char* call, const char* callPrefix, const char* dxccPrefix,
                        const char* band, const char* secondBand, char* outputText,
                        char* outputText2) const {
  char output[64] = {};
  return checkCall(api_.CheckCall0, call, callPrefix, dxccPrefix, band, secondBand,
                   outputText != nullptr ? outputText : output, outputText2);
}

std::string StatsLibrary::result(int* exportDone) const {
  const char* text = api_.GetResult0(exportDone);
  return text != nullptr ? std::string(text) : std::string("<null>");
}

void writeSettings(const SettingsEntries& keys) {
  std::ofstream out(kSettingsFile, std::ios::binary | std::ios::trunc);
  out << "[Settings]\n";
  for (const auto& [key, value] : keys) out << key << "=" << value << "\n";
}

SettingsEntries settingsEntries(const std::string& iniBytes) {
  SettingsEntries entries;
  bool inSettings = false;
  size_t start = 0;
  while (start < iniBytes.size()) {
    size_t end = iniBytes.find('\n', start);
    if (end == std::string::npos) end = iniBytes.size();
    std::string line = iniBytes.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inSettings = line == "[Settings]";
    } else if (inSettings && line.find('=') != std::string::npos) {
      const size_t equals = line.find('=');
      entries.emplace_back(line.substr(0, equals), line.substr(equals + 1));
    }
  }
  return entries;
}

std::optional<std::string> readSetting(std::string_view key) {
  for (const auto& [name, value] : settingsEntries(readBytes(kSettingsFile).value_or(""))) {
    if (name == key) return value;
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
