// The test hosts' one harness: drives the build of the plug-in beside the test executable
// (libStats.so, or Stats.dll under Wine) through its ten exports, as the contest logger does.
//
// Every StatsLibrary loads its own private copy of the library file, so the plug-in's process-wide
// state (log, settings flags, Cabrillo header) starts clean for each scenario. The fixture runs
// each scenario in a scratch current directory holding a "Plugins" folder, where the plug-in keeps
// "Plugins/ZRV.ini" and writes its ".cbr" files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "api/stats_api.h"
#include "api/stats_exports.h"
#include "host/plugin_library.h"
#include "tests/support/scratch_folder.h"

namespace stats_test {

using stats_host::ExportName;
using stats_host::Exports;
using stats_host::kExportNames;
using stats_host::resolveExports;

// A host date-time: days since 1899-12-30 (fraction = time of day) and a status.
inline COleDateTime oleTime(double days, COleDateTimeStatus status = COleDateTimeValid) {
  COleDateTime value{};
  value.m_dt = days;
  value.m_status = status;
  return value;
}

// 2024-06-01 at hh:mm.
inline COleDateTime at(int hour, int minute) {
  return oleTime(45444.0 + (hour * 60 + minute) / 1440.0);
}

// The arguments of a QSO that the plug-in uses. The harness fills every other argument with a
// value that differs from these, so an argument read from the wrong position changes the outcome.
struct Qso {
  std::string call = "DL1ABC";
  std::string band = "20m";
  std::string dxccPrefix = "DL";
  std::string callPrefix = "DL1";
  std::string mode = "CW";
  std::string sentSerial = "001";
  std::string receivedExchange = "123";
  unsigned int frequencyHz = 14025600;
  COleDateTime time = at(12, 0);
  std::string hostText10 = "DARC";
  std::string hostText11 = "JO31";
  std::string hostText30 = "";
};

// The QSO passed to AddData0 or RemoveData0, however the entry point was looked up.
int passQso(decltype(&::AddData0) function, const Qso& qso);
// A contest start through ResetStats0, with the own call, the own DXCC prefix and the export
// request.
int startContest(decltype(&::ResetStats0) function, const char* ownCall, const char* ownDxccPrefix,
                 int exportRequest = 0);
// A call check through CheckCall0 as the logger makes one while the operator types.
int checkCall(decltype(&::CheckCall0) function, const char* call, const char* callPrefix,
              const char* dxccPrefix, const char* band, const char* secondBand, char* outputText,
              char* outputText2 = nullptr);

class StatsLibrary {
 public:
  StatsLibrary();

  const Exports& api() const { return api_; }
  // The system's handle of the loaded copy (the HMODULE on Windows).
  void* nativeHandle() const { return library_->nativeHandle(); }
  // An entry point by name; fails the test and throws when the copy does not export it.
  void* symbol(const char* name) const;

  // The contest start, with the own call, the own DXCC prefix and the export request.
  int reset(const char* ownCall, const char* ownDxccPrefix, int exportRequest = 0) const;
  int add(const Qso& qso) const;
  int remove(const Qso& qso) const;
  // Without an output buffer, one of the harness's own is handed over.
  int check(const char* call, const char* callPrefix = "", const char* dxccPrefix = "",
            const char* band = "20m", const char* secondBand = "20m", char* outputText = nullptr,
            char* outputText2 = nullptr) const;
  // The score report; `exportDone` is handed over as it is.
  std::string result(int* exportDone = nullptr) const;

 private:
  ScratchFolder copyFolder_{{.pluginsFolder = false, .makeCurrent = false}};
  std::unique_ptr<stats_host::PluginLibrary> library_;
  Exports api_{};
};

inline const std::filesystem::path kSettingsFile = std::filesystem::path("Plugins") / "ZRV.ini";
// The key/value lines of section [Settings], in file order.
using SettingsEntries = std::vector<std::pair<std::string, std::string>>;
SettingsEntries settingsEntries(const std::string& iniBytes);
// Writes the settings file afresh with these keys in the section "Settings".
void writeSettings(const SettingsEntries& keys);
// The value of a key in the settings file.
std::optional<std::string> readSetting(std::string_view key);

// The "QSO: " lines of a Cabrillo text, without their CR LF.
std::vector<std::string> qsoLines(std::string_view cabrillo);

// The QSO count of the total row of a score report.
int totalQsos(std::string_view report);

inline constexpr std::string_view kBelgianHeader = "\t    ZRV Contest \r\n\tQSOs\tPoints\tDXCC\r\n";
inline constexpr std::string_view kForeignHeader =
    "\t\t\tZRV Contest \r\n\tQSOs\tPoints\tON Province ON Prefix EuroUnion\r\n";
inline const std::string kEmptyBelgianReport =
    std::string(kBelgianHeader) + "Total\t 0\t 0\t 0\r\n\r\nScore: 0*0 = 0\r\n";
inline const std::string kEmptyForeignReport =
    std::string(kForeignHeader) +
    "Total\t 0\t 0\t    0\t\t 0\t 0\r\n\r\nScore: 0*(0 + 0 + 0) = 0\r\n";

// Every scenario: a scratch directory first, then a fresh library loaded inside it.
class LibraryTest : public ::testing::Test {
 protected:
  ScratchFolder scratch_;
  StatsLibrary lib_;
};

}  // namespace stats_test
