#include "tests/library/stats_library.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace stats_test {
namespace {

namespace fs = std::filesystem;

fs::path makeTemporaryDirectory(const char* stem) {
  std::string pattern = (fs::temp_directory_path() / stem).string() + "XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
  }
  return pattern;
}

template <typename Function>
void resolve(void* handle, const char* name, Function& target) {
  void* address = dlsym(handle, name);
  if (address == nullptr) throw std::runtime_error(std::string("missing export ") + name);
  target = reinterpret_cast<Function>(address);
}

// Arguments the plug-in ignores, filled the way the logger fills them.
COleDateTime contestStart() {
  return oleTime(kJune1st2024);
}
COleDateTime contestEnd() {
  return oleTime(kJune1st2024 + 1.0);
}

std::string_view trim(std::string_view text) {
  const auto first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool equalIgnoringCase(std::string_view left, std::string_view right) {
  if (left.size() != right.size()) return false;
  for (size_t i = 0; i < left.size(); ++i) {
    const auto a = static_cast<unsigned char>(left[i]);
    const auto b = static_cast<unsigned char>(right[i]);
    if (std::tolower(a) != std::tolower(b)) return false;
  }
  return true;
}

}  // namespace

StatsLibrary::StatsLibrary() : StatsLibrary(fs::path(STATS_LIBRARY_PATH)) {}

StatsLibrary::StatsLibrary(const fs::path& original)
    : copyDirectory_(makeTemporaryDirectory("stats-library-")) {
  // A copy under a path of its own is a separate object to the dynamic loader: its static state
  // is built afresh, whatever copies earlier scenarios left behind.
  const fs::path copy = copyDirectory_ / "libStats.so";
  try {
    fs::copy_file(original, copy);
    handle_ = dlopen(copy.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
    resolve(handle_, "GetNumberOfSets", api_.GetNumberOfSets);
    resolve(handle_, "GetSetName", api_.GetSetName);
    resolve(handle_, "IsValidExchg0", api_.IsValidExchg0);
    resolve(handle_, "GetExchgCount0", api_.GetExchgCount0);
    resolve(handle_, "SetupSet0", api_.SetupSet0);
    resolve(handle_, "ResetStats0", api_.ResetStats0);
    resolve(handle_, "AddData0", api_.AddData0);
    resolve(handle_, "RemoveData0", api_.RemoveData0);
    resolve(handle_, "CheckCall0", api_.CheckCall0);
    resolve(handle_, "GetResult0", api_.GetResult0);
  } catch (...) {
    if (handle_ != nullptr) dlclose(handle_);
    std::error_code ignored;
    fs::remove_all(copyDirectory_, ignored);
    throw;
  }
}

StatsLibrary::~StatsLibrary() {
  dlclose(handle_);
  std::error_code ignored;
  fs::remove_all(copyDirectory_, ignored);
}

int StatsLibrary::reset(const char* ownCall, const char* ownDxccPrefix, int exportRequest) const {
  COleDateTime start = contestStart();
  COleDateTime end = contestEnd();
  return api_.ResetStats0("ZRV", exportRequest, ownCall, &start, &end, "Jan", "JO20", "ON", "EU",
                          "14", "27", "ZRV DX Contest", "", "", ownDxccPrefix, 14, 27, 0, 50.85,
                          -4.35, "", "", "");
}

int StatsLibrary::add(const Qso& qso) const {
  COleDateTime time = qso.time;
  COleDateTime logged = qso.time;
  COleDateTime start = contestStart();
  COleDateTime end = contestEnd();
  return api_.AddData0("ZRV", qso.call.c_str(), &logged, &time, &start, &end, 17, qso.frequencyHz,
                       qso.mode.c_str(), qso.hostText10.c_str(), qso.hostText11.c_str(),
                       qso.sentSerial.c_str(), qso.receivedExchange.c_str(), "599", "599", "Hans",
                       "14", "28", "EU", "", "", qso.callPrefix.c_str(), qso.dxccPrefix.c_str(), 14,
                       28, 0, 51.5, -7.5, "", qso.hostText30.c_str(), "ON4XYZ", qso.band.c_str(),
                       "");
}

int StatsLibrary::remove(const Qso& qso) const {
  COleDateTime time = qso.time;
  COleDateTime logged = qso.time;
  COleDateTime start = contestStart();
  COleDateTime end = contestEnd();
  return api_.RemoveData0("ZRV", qso.call.c_str(), &logged, &time, &start, &end, 17,
                          qso.frequencyHz, qso.mode.c_str(), qso.hostText10.c_str(),
                          qso.hostText11.c_str(), qso.sentSerial.c_str(),
                          qso.receivedExchange.c_str(), "599", "599", "Hans", "14", "28", "EU", "",
                          "", qso.callPrefix.c_str(), qso.dxccPrefix.c_str(), 14, 28, 0, 51.5, -7.5,
                          "", qso.hostText30.c_str(), "ON4XYZ", qso.band.c_str(), "");
}

int StatsLibrary::check(const CallCheck& check) const {
  return api_.CheckCall0(check.call, 14025600, 0, check.mode, "599", "", "", "", "", "", "", "",
                         check.callPrefix, check.dxccPrefix, 14, 28, 0, 51.5, -7.5, "", "", "", "",
                         "", check.band, check.secondBand, check.outputText, check.outputText2);
}

std::string StatsLibrary::result(int* exportDone) const {
  const char* text = api_.GetResult0(exportDone);
  return text != nullptr ? std::string(text) : std::string("<null>");
}

ScratchDirectory::ScratchDirectory()
    : previous_(fs::current_path()), path_(makeTemporaryDirectory("stats-scenario-")) {
  fs::create_directory(path_ / "Plugins");
  fs::current_path(path_);
}

ScratchDirectory::~ScratchDirectory() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  // A scenario may have taken the write permission away from something inside.
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
  fs::remove_all(path_, ignored);
}

StderrCapture::StderrCapture() {
  std::fflush(stderr);
  file_ = std::tmpfile();
  if (file_ == nullptr) throw std::system_error(errno, std::generic_category(), "tmpfile");
  savedDescriptor_ = dup(STDERR_FILENO);
  if (savedDescriptor_ < 0 || dup2(fileno(file_), STDERR_FILENO) < 0) {
    const int error = errno;
    if (savedDescriptor_ >= 0) close(savedDescriptor_);
    std::fclose(file_);
    throw std::system_error(error, std::generic_category(), "redirect stderr");
  }
}

StderrCapture::~StderrCapture() {
  restore();
  std::fclose(file_);
}

void StderrCapture::restore() {
  if (savedDescriptor_ < 0) return;
  std::fflush(stderr);
  dup2(savedDescriptor_, STDERR_FILENO);
  close(savedDescriptor_);
  savedDescriptor_ = -1;
}

std::string StderrCapture::text() {
  restore();
  std::string captured;
  std::rewind(file_);
  char buffer[512];
  size_t count = 0;
  while ((count = std::fread(buffer, 1, sizeof buffer, file_)) > 0) captured.append(buffer, count);
  return captured;
}

std::optional<std::string> readBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void writeBytes(const fs::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

void writeSettings(const std::vector<std::pair<std::string, std::string>>& keys) {
  std::string text = "[Settings]\n";
  for (const auto& [key, value] : keys) text += key + "=" + value + "\n";
  writeBytes(kSettingsFile, text);
}

std::optional<std::string> readSetting(std::string_view key) {
  const auto content = readBytes(kSettingsFile);
  if (!content) return std::nullopt;
  std::istringstream lines(*content);
  std::string line;
  bool inSettings = false;
  while (std::getline(lines, line)) {
    const std::string_view entry = trim(line);
    if (!entry.empty() && entry.front() == '[') {
      const auto close = entry.find(']');
      inSettings = close != std::string_view::npos &&
                   equalIgnoringCase(trim(entry.substr(1, close - 1)), "Settings");
      continue;
    }
    const auto equals = entry.find('=');
    if (!inSettings || equals == std::string_view::npos) continue;
    if (equalIgnoringCase(trim(entry.substr(0, equals)), key)) {
      return std::string(trim(entry.substr(equals + 1)));
    }
  }
  return std::nullopt;
}

ExportRun runExport(const StatsLibrary& lib, const fs::path& cabrilloFile) {
  ExportRun run;
  StderrCapture capture;
  run.report = lib.result(&run.flag);
  run.message = capture.text();
  run.file = readBytes(cabrilloFile);
  return run;
}

std::vector<std::string> qsoLines(std::string_view cabrillo) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < cabrillo.size()) {
    auto end = cabrillo.find("\r\n", start);
    if (end == std::string_view::npos) end = cabrillo.size();
    const std::string_view line = cabrillo.substr(start, end - start);
    if (line.substr(0, 5) == "QSO: ") lines.emplace_back(line);
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
