// Drives the built libStats.so through its ten exports, as the contest logger does.
//
// Every StatsLibrary loads its own private copy of the library file, so the plug-in's process-wide
// state (log, settings flags, Cabrillo header) starts clean for each scenario and is destroyed
// when the object goes away. The fixture runs each scenario in a scratch current directory that
// holds a "Plugins" folder, where the plug-in keeps "Plugins/ZRV.ini" and writes its ".cbr" files.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "plugin/stats_api.h"

namespace stats_test {

// Function types of the exports, taken from the prototypes the host compiles against.
using GetNumberOfSetsFn = decltype(&::GetNumberOfSets);
using GetSetNameFn = decltype(&::GetSetName);
using IsValidExchgFn = decltype(&::IsValidExchg0);
using GetExchgCountFn = decltype(&::GetExchgCount0);
using SetupSetFn = decltype(&::SetupSet0);
using ResetStatsFn = decltype(&::ResetStats0);
using AddDataFn = decltype(&::AddData0);
using RemoveDataFn = decltype(&::RemoveData0);
using CheckCallFn = decltype(&::CheckCall0);
using GetResultFn = decltype(&::GetResult0);

struct Exports {
  GetNumberOfSetsFn GetNumberOfSets = nullptr;
  GetSetNameFn GetSetName = nullptr;
  IsValidExchgFn IsValidExchg0 = nullptr;
  GetExchgCountFn GetExchgCount0 = nullptr;
  SetupSetFn SetupSet0 = nullptr;
  ResetStatsFn ResetStats0 = nullptr;
  AddDataFn AddData0 = nullptr;
  RemoveDataFn RemoveData0 = nullptr;
  CheckCallFn CheckCall0 = nullptr;
  GetResultFn GetResult0 = nullptr;
};

// A host date-time: an OLE day count (days since 1899-12-30, fraction = time of day) and a status.
inline COleDateTime oleTime(double days, COleDateTimeStatus status = COleDateTimeValid) {
  COleDateTime value{};
  value.m_dt = days;
  value.m_status = status;
  return value;
}

// Day count of 2024-06-01, the date most scenarios log on, and one minute as a day fraction.
inline constexpr double kJune1st2024 = 45444.0;
inline constexpr double kMinute = 1.0 / 1440.0;

// The fields of a QSO that the plug-in uses; every other argument gets a realistic host value.
struct Qso {
  std::string call = "DL1ABC";
  std::string band = "20m";
  std::string mode = "CW";
  std::string sentSerial = "001";
  std::string receivedExchange = "123";
  std::string dxccPrefix = "DL";
  std::string callPrefix = "DL1";
  unsigned int frequencyHz = 14025600;
  COleDateTime time = oleTime(kJune1st2024 + 12 * 60 * kMinute);
  std::string hostText10 = "DARC";
  std::string hostText11 = "JO31";
  std::string hostText30 = "";
};

// The arguments of a call check; null pointers are passed through as they are.
struct CallCheck {
  const char* call = "";
  const char* callPrefix = "";
  const char* dxccPrefix = "";
  const char* band = "20m";
  const char* secondBand = "20m";
  const char* mode = "CW";
  char* outputText = nullptr;
  char* outputText2 = nullptr;
};

// A private, freshly loaded copy of the library (RAII: unloaded and deleted on destruction).
class StatsLibrary {
 public:
  StatsLibrary();
  explicit StatsLibrary(const std::filesystem::path& original);
  ~StatsLibrary();
  StatsLibrary(const StatsLibrary&) = delete;
  StatsLibrary& operator=(const StatsLibrary&) = delete;

  const Exports& api() const { return api_; }

  // The contest start, with the own call, the own DXCC prefix and the export request.
  int reset(const char* ownCall, const char* ownDxccPrefix, int exportRequest = 0) const;
  int add(const Qso& qso) const;
  int remove(const Qso& qso) const;
  int check(const CallCheck& check) const;
  // The score report; `exportDone` is handed over as it is (null included).
  std::string result(int* exportDone = nullptr) const;

 private:
  std::filesystem::path copyDirectory_;
  void* handle_ = nullptr;
  Exports api_;
};

// A scratch current directory with a "Plugins" folder; the previous one is restored and the
// scratch tree removed on destruction.
class ScratchDirectory {
 public:
  ScratchDirectory();
  ~ScratchDirectory();
  ScratchDirectory(const ScratchDirectory&) = delete;
  ScratchDirectory& operator=(const ScratchDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// Standard error redirected into a temporary file while the object lives, or until text().
class StderrCapture {
 public:
  StderrCapture();
  ~StderrCapture();
  StderrCapture(const StderrCapture&) = delete;
  StderrCapture& operator=(const StderrCapture&) = delete;

  // Restores standard error and returns what was written to it meanwhile.
  std::string text();

 private:
  void restore();
  int savedDescriptor_ = -1;
  FILE* file_ = nullptr;
};

// The whole content of a file, or nothing when it cannot be opened.
std::optional<std::string> readBytes(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, std::string_view bytes);

// The settings file of the plug-in, relative to the current directory.
inline const std::filesystem::path kSettingsFile = std::filesystem::path("Plugins") / "ZRV.ini";

// Writes the settings file afresh with these keys in the section "Settings".
void writeSettings(const std::vector<std::pair<std::string, std::string>>& keys);
// The value of a key of the section "Settings" (names compared without regard to case).
std::optional<std::string> readSetting(std::string_view key);

// One GetResult0 of an export run: the report, what went to standard error, the flag (set to 7
// before the call) and the bytes of the Cabrillo file afterwards, if there is one.
struct ExportRun {
  std::string report;
  std::string message;
  int flag = 7;
  std::optional<std::string> file;
};
ExportRun runExport(const StatsLibrary& lib, const std::filesystem::path& cabrilloFile);

// The "QSO: " lines of a Cabrillo text, each without its CR LF.
std::vector<std::string> qsoLines(std::string_view cabrillo);

// The QSO count of the total row of a score report, or -1 when the report has none.
int totalQsos(std::string_view report);

// Headers of the two report variants, and the whole report of an empty log.
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
  ScratchDirectory scratch_;
  StatsLibrary lib_;
};

}  // namespace stats_test
