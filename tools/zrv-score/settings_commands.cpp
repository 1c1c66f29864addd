#include "tools/zrv-score/settings_commands.h"

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <utility>
#include <vector>

#include "core/cabrillo/cabrillo_header.h"
#include "core/cabrillo/cabrillo_header_settings.h"
#include "core/plugin/user_interface.h"
#include "core/rules/contest_rules.h"
#include "core/settings/profile.h"
#include "core/settings/settings.h"
#include "core/settings/settings_keys.h"

namespace zrv_score {

// The file's name as this system writes it: "Plugins/ZRV.ini", or "Plugins\ZRV.ini" on Windows.
std::string shownIniPath() {
  std::string path(stats::kIniPath);
  std::ranges::replace(path, '\\', static_cast<char>(std::filesystem::path::preferred_separator));
  return path;
}

namespace {

namespace fs = std::filesystem;
namespace keys = stats::keys;

// ---- The settings file

// Why the last system call failed, as far as the system tells; a file that is there but is no
// regular file fails without an error code on some systems.
std::string lastFailureReason() {
#ifdef _WIN32
  if (const DWORD code = GetLastError(); code != 0) {
    return std::system_category().message(static_cast<int>(code));
  }
#else
  if (errno != 0) return std::generic_category().message(errno);
#endif
  std::error_code ignored;
  const fs::path path(shownIniPath());
  if (fs::exists(path, ignored) && !fs::is_regular_file(path, ignored)) {
    return "it is not a regular file";
  }
  return "unknown error";
}

void clearLastFailure() {
#ifdef _WIN32
  SetLastError(0);
#endif
  errno = 0;
}

// The plug-in's store for its settings file, with what the plug-in's Settings does not give: the
// writes are recorded for the report, and the first failed write is kept with its reason. After a
// failure nothing more is written, so the file is left with the keys written before it.
class CheckedStore final : public stats::ProfileStore {
 public:
  CheckedStore() : store_(stats::makePlatformProfileStore(std::string(stats::kIniPath))) {}

  std::string read(std::string_view section, std::string_view key,
                   std::string_view defaultValue) override {
    return store_->read(section, key, defaultValue);
  }

  bool write(std::string_view section, std::string_view key, std::string_view value) override {
    if (failure_) return false;
    clearLastFailure();
    if (!store_->write(section, key, value)) {
      failure_ = lastFailureReason();
      return false;
    }
    written_.push_back(std::string(key) + "=" + std::string(value));
    return true;
  }

  // The store's own snapshot: it takes in what this store wrote, and a write refused here after a
  // failure is not taken in.
  std::unique_ptr<stats::ProfileSnapshot> snapshot(std::string_view section) override {
    return store_->snapshot(section);
  }
  std::string shownName() const override { return store_->shownName(); }

  // True when the key is in the file, even with an empty value: a missing key reads as the
  // default, so two different defaults both come back only for a missing one.
  bool has(std::string_view key) {
    return read(stats::kIniSection, key, "0") != "0" || read(stats::kIniSection, key, "1") != "1";
  }

  const std::optional<std::string>& failure() const { return failure_; }
  const std::vector<std::string>& written() const { return written_; }

 private:
  std::unique_ptr<stats::ProfileStore> store_;
  std::optional<std::string> failure_;
  std::vector<std::string> written_;
};

// The plug-in creates its file but not the folder it lives in: a missing Plugins folder is created
// in the current directory. Returns the reason when that fails.
std::optional<std::string> makeSettingsFolder(std::ostream& out) {
  const fs::path folder = fs::path(shownIniPath()).parent_path();
  std::error_code error;
  if (fs::exists(folder, error)) return std::nullopt;  // a file of that name fails on the write
  if (!fs::create_directory(folder, error)) {
    return "could not create the folder " + folder.string() + ": " + error.message();
  }
  out << "Created the folder " << fs::absolute(folder, error).string() << ".\n";
  return std::nullopt;
}

int writeFailed(std::string_view command, std::string_view reason, std::ostream& err) {
  err << "zrv-score " << command << ": could not write " << shownIniPath() << ": " << reason
      << "\n";
  return 1;
}

// The outcome of the writes through `store`: the keys written, or the first failure.
int reportWrites(std::string_view command, const CheckedStore& store, std::ostream& out,
                 std::ostream& err) {
  if (store.failure()) return writeFailed(command, *store.failure(), err);
  out << "Wrote to " << shownIniPath() << ":\n";
  for (const std::string& line : store.written()) out << "  " << line << "\n";
  return 0;
}

// ---- Arguments

struct OptionText {
  std::string_view name;  // "--mode"
  std::string_view valueName;
  std::string_view help;
};

// The given options by name; "--help" or "-h" anywhere asks for the usage instead.
struct ParsedOptions {
  std::map<std::string_view, std::string> values;
  bool help = false;
};

int usageError(std::string_view command, std::string_view message, std::ostream& err) {
  err << "zrv-score " << command << ": " << message << "\nTry 'zrv-score " << command
      << " --help'.\n";
  return 2;
}

// Takes "--name value" and "--name=value". A value that begins with "--" must use the second form,
// so that a forgotten value does not swallow the next option. Each option may be given once.
std::optional<ParsedOptions> parseOptions(std::string_view command,
                                          std::span<const std::string> arguments,
                                          std::span<const OptionText> options, std::ostream& err) {
  ParsedOptions parsed;
  for (size_t index = 0; index < arguments.size(); ++index) {
    const std::string_view argument = arguments[index];
    if (argument == "--help" || argument == "-h") {
      parsed.help = true;
      continue;
    }
    if (!argument.starts_with("--")) {
      usageError(command, "unexpected argument '" + std::string(argument) + "'", err);
      return std::nullopt;
    }
    const size_t equals = argument.find('=');
    const std::string_view name = argument.substr(0, equals);
    const auto known = std::ranges::find(options, name, &OptionText::name);
    if (known == options.end()) {
      usageError(command, "unknown option " + std::string(name), err);
      return std::nullopt;
    }
    std::string value;
    if (equals != std::string_view::npos) {
      value = argument.substr(equals + 1);
    } else if (index + 1 < arguments.size() && !arguments[index + 1].starts_with("--")) {
      value = arguments[++index];
    } else {
      usageError(command, "option " + std::string(name) + " needs a value", err);
      return std::nullopt;
    }
    if (!parsed.values.emplace(known->name, std::move(value)).second) {
      usageError(command, "option " + std::string(name) + " is given twice", err);
      return std::nullopt;
    }
  }
  return parsed;
}

// Every setting but the soapbox is one line of the dialog: a line break cannot be typed there,
// and the settings file has no way to store one.
std::optional<std::string_view> optionWithLineBreak(const ParsedOptions& parsed,
                                                    std::string_view except = {}) {
  for (const auto& [name, value] : parsed.values) {
    if (name != except && value.find_first_of("\r\n") != std::string::npos) return name;
  }
  return std::nullopt;
}

void printOptions(std::span<const OptionText> options, std::ostream& out) {
  for (const OptionText& text : options) {
    std::string left = "  " + std::string(text.name) + " " + std::string(text.valueName);
    left.resize(std::max<size_t>(left.size() + 2, 27), ' ');
    out << left << text.help << "\n";
  }
}

// ---- setup

constexpr std::array<OptionText, 3> kSetupOptions{{
    {"--multiplier", "0|1", "1: open the live windows at every other contest start"},
    {"--mode", "CW|SSB", "the contest leg you work (anything but CW counts as SSB)"},
    {"--province", "CODE", "your province code, for a Belgian station (empty for none)"},
}};

bool isBelgianProvince(std::string_view code) {
  return std::ranges::find(stats::kBelgianProvinces, code) != stats::kBelgianProvinces.end();
}

std::string provinceList() {
  std::string list;
  for (const std::string_view code : stats::kBelgianProvinces) {
    if (!list.empty()) list += ", ";
    list += code;
  }
  return list;
}

void printSetupUsage(std::ostream& out) {
  out << "Usage: zrv-score setup [--multiplier 0|1] [--mode CW|SSB] [--province CODE]\n"
         "Sets what the plug-in's setup dialog sets, in "
      << shownIniPath()
      << " under the current directory.\n"
         "A value not given keeps what the file has; all three keys are written, as the\n"
         "dialog's OK writes them.\n\n";
  printOptions(kSetupOptions, out);
  out << "\nThe province codes: " << provinceList() << ".\n";
}

// ---- header

// One option per field the header dialog saves, named by what it means on the header.
struct HeaderOption {
  OptionText text;
  std::string_view key;  // the field's key in cabrilloHeaderFields()
};

constexpr std::array<HeaderOption, 13> kHeaderOptions{{
    {{"--operators", "CALLS", "the operators (first time: your callsign)"}, keys::kOperators},
    {{"--name", "TEXT", "your name"}, keys::kName},
    {{"--address", "TEXT", "street and number"}, keys::kAddress},
    {{"--city", "TEXT", "city"}, keys::kAddressCity},
    {{"--state", "TEXT", "state or province of the address"}, keys::kAddressStProv},
    {{"--postal-code", "TEXT", "postal code"}, keys::kAddressPostalCode},
    {{"--country", "TEXT", "country of the address"}, keys::kAddressCountry},
    {{"--email", "ADDRESS", "your e-mail address"}, keys::kEmail},
    {{"--club", "TEXT", "your club"}, keys::kClub},
    {{"--soapbox", "TEXT", "remarks; several lines with \\n (see below)"}, keys::kSoapBox},
    {{"--contest", "NAME", "contest name (default: ZRV-DX-CW or ZRV-DX-SSB by the mode)"},
     keys::kContest},
    {{"--category", "TEXT", "SINGLE OPERATOR (default), MULTI-ONE or CHECKLOG"}, keys::kCategory},
    {{"--overlay", "TEXT", "NONE (default), 6-HOURS, 12-HOURS, 24-HOURS or ON3"},
     keys::kCategoryOverlay},
}};

constexpr OptionText kCallOption{"--call", "CALL", "your callsign (fills in the operators)"};

std::vector<OptionText> headerOptionTexts() {
  std::vector<OptionText> options;
  for (const HeaderOption& option : kHeaderOptions) options.push_back(option.text);
  options.push_back(kCallOption);
  return options;
}

const stats::CabrilloHeaderField& savedField(std::string_view key) {
  const auto fields = stats::cabrilloHeaderFields();
  return *std::ranges::find_if(fields, [&](const stats::CabrilloHeaderField& field) {
    return field.saved && field.key == key;
  });
}

void printHeaderUsage(std::ostream& out) {
  out << "Usage: zrv-score header [--call CALL] [OPTION VALUE]...\n"
         "Sets the Cabrillo header as the plug-in's header dialog does when it closes with OK,\n"
         "in "
      << shownIniPath()
      << " under the current directory: every field it saves is written, a field\n"
         "not given keeps what the file has. The contest, category and overlay are not kept\n"
         "by the plug-in: when not given they are written with their defaults, as the dialog\n"
         "shows them.\n\n";
  printOptions(headerOptionTexts(), out);
  out << "\nThe soapbox takes line breaks typed into the argument or written as \\n (\\\\ for a\n"
         "backslash); each becomes one SOAPBOX: line of the Cabrillo file.\n"
         "--call is needed only while the file has no operators and --operators is not given.\n";
}

// The soapbox as the dialog's edit box holds it: every line break (CR LF, LF or CR, or the escape
// "\n") becomes CR LF, and "\\" is one backslash. Only CR LF survives into the Cabrillo file as a
// line break, so a bare LF from a shell must not be stored as it is.
std::string soapboxDisplayText(std::string_view argument) {
  std::string text;
  for (size_t index = 0; index < argument.size(); ++index) {
    const char c = argument[index];
    const char next = index + 1 < argument.size() ? argument[index + 1] : '\0';
    if (c == '\\' && (next == 'n' || next == '\\')) {
      text += next == 'n' ? "\r\n" : "\\";
      ++index;
    } else if (c == '\r' || c == '\n') {
      text += "\r\n";
      if (c == '\r' && next == '\n') ++index;
    } else {
      text += c;
    }
  }
  return text;
}

// ---- settings

// Every key of core/settings/settings_keys.h, in its order.
constexpr std::array kAllKeys{
    keys::kMultiplier,      keys::kProvince,      keys::kMode,
    keys::kStart,           keys::kBelgium,       keys::kClaimed,
    keys::kOperators,       keys::kName,          keys::kAddress,
    keys::kAddressCity,     keys::kAddressStProv, keys::kAddressPostalCode,
    keys::kAddressCountry,  keys::kEmail,         keys::kClub,
    keys::kSoapBox,         keys::kContest,       keys::kCategory,
    keys::kCategoryOverlay, keys::kContX,         keys::kContY,
    keys::kDxccX,           keys::kDxccY,         keys::kStatX,
    keys::kStatY,
};

constexpr std::string_view kNotSet = "(not set)";

}  // namespace

int runSetupCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  constexpr std::string_view command = "setup";
  const auto parsed = parseOptions(command, arguments, kSetupOptions, err);
  if (!parsed) return 2;
  if (parsed->help) {
    printSetupUsage(out);
    return 0;
  }
  const auto given = [&](std::string_view name) -> const std::string* {
    const auto found = parsed->values.find(name);
    return found == parsed->values.end() ? nullptr : &found->second;
  };
  const std::string* multiplier = given("--multiplier");
  const std::string* mode = given("--mode");
  const std::string* province = given("--province");
  if (multiplier && *multiplier != "0" && *multiplier != "1") {
    return usageError(command, "--multiplier must be 0 or 1, not '" + *multiplier + "'", err);
  }
  if (const auto name = optionWithLineBreak(*parsed)) {
    return usageError(command, std::string(*name) + " must be one line", err);
  }
  // The plug-in takes both as typed; these only point out what it will not recognise.
  if (mode && *mode != stats::kModeCw && *mode != stats::kModeSsb) {
    err << "zrv-score setup: warning: mode '" << *mode
        << "' is neither CW nor SSB; the plug-in takes anything but CW as the SSB leg\n";
  }
  if (province && !province->empty() && !isBelgianProvince(*province)) {
    err << "zrv-score setup: warning: '" << *province << "' is not a Belgian province code ("
        << provinceList() << "); stored as given\n";
  }

  if (const auto failure = makeSettingsFolder(out)) return writeFailed(command, *failure, err);
  CheckedStore store;
  const stats::Settings settings(store);
  // What the dialog opens with, then its edits, then its OK's writes in its order.
  stats::SetupValues values{settings.readNumber(keys::kMultiplier),
                            settings.readText(keys::kProvince), settings.readText(keys::kMode)};
  if (multiplier) values.useMultiplierWindow = *multiplier == "1" ? 1 : 0;
  if (province) values.province = *province;
  if (mode) values.mode = *mode;
  settings.writeNumber(keys::kMultiplier, values.useMultiplierWindow);
  settings.writeText(keys::kProvince, values.province);
  settings.writeText(keys::kMode, values.mode);
  return reportWrites(command, store, out, err);
}

int runHeaderCommand(std::span<const std::string> arguments, std::ostream& out, std::ostream& err) {
  constexpr std::string_view command = "header";
  const std::vector<OptionText> options = headerOptionTexts();
  const auto parsed = parseOptions(command, arguments, options, err);
  if (!parsed) return 2;
  if (parsed->help) {
    printHeaderUsage(out);
    return 0;
  }
  if (const auto name = optionWithLineBreak(*parsed, "--soapbox")) {
    return usageError(command, std::string(*name) + " must be one line", err);
  }
  const auto call = parsed->values.find(kCallOption.name);
  const std::string callsign = call == parsed->values.end() ? std::string() : call->second;
  // The operators are the one saved field the callsign reaches: the dialog fills them in with the
  // callsign while the file has none.
  if (call == parsed->values.end() && !parsed->values.contains("--operators") &&
      !CheckedStore().has(keys::kOperators)) {
    return usageError(command,
                      "the settings file has no operators yet, and the header dialog would fill "
                      "in your callsign: give --call CALL or --operators CALLS",
                      err);
  }

  if (const auto failure = makeSettingsFolder(out)) return writeFailed(command, *failure, err);
  CheckedStore store;
  const stats::Settings settings(store);
  // As an export's contest start: the header loaded, the dialog's edits on a copy, then its OK.
  stats::CabrilloState header;
  stats::loadCabrilloHeader(header, settings, callsign);
  stats::CabrilloState edited = header;
  for (const HeaderOption& option : kHeaderOptions) {
    const auto value = parsed->values.find(option.text.name);
    if (value == parsed->values.end()) continue;
    edited.*savedField(option.key).member =
        option.key == keys::kSoapBox ? soapboxDisplayText(value->second) : value->second;
  }
  stats::copyCabrilloDialogResult(header, edited);
  stats::saveConfirmedCabrilloHeader(header, settings);
  return reportWrites(command, store, out, err);
}

int runSettingsCommand(std::span<const std::string> arguments, std::ostream& out,
                       std::ostream& err) {
  constexpr std::string_view command = "settings";
  const auto parsed = parseOptions(command, arguments, {}, err);
  if (!parsed) return 2;
  if (parsed->help) {
    out << "Usage: zrv-score settings\n"
           "Prints every key the plug-in keeps in "
        << shownIniPath()
        << " under the current directory,\n"
           "one per line as Key=value, with "
        << kNotSet << " for a key the file does not have.\n";
    return 0;
  }
  std::error_code error;
  const fs::path path = fs::absolute(fs::path(shownIniPath()), error);
  out << "Settings file: " << path.string() << (fs::exists(path, error) ? "" : " (does not exist)")
      << "\n";
  const auto store = stats::makePlatformProfileStore(std::string(stats::kIniPath));
  for (const std::string_view key : kAllKeys) {
    out << key << "=" << store->read(stats::kIniSection, key, kNotSet) << "\n";
  }
  return 0;
}

bool writeRunSettings(bool belgianStation, std::string_view mode, std::ostream& out,
                      std::ostream& err) {
  constexpr std::string_view command = "score";
  if (const auto failure = makeSettingsFolder(out)) {
    writeFailed(command, *failure, err);
    return false;
  }
  CheckedStore store;
  const stats::Settings settings(store);
  settings.writeNumber(keys::kBelgium, belgianStation ? 1 : 0);
  settings.writeText(keys::kMode, mode);
  if (store.failure()) {
    writeFailed(command, *store.failure(), err);
    return false;
  }
  return true;
}

bool writeSetting(std::string_view key, std::string_view value, std::ostream& err) {
  CheckedStore store;
  stats::Settings(store).writeText(key, value);
  if (store.failure()) writeFailed("score", *store.failure(), err);
  return !store.failure();
}

std::string readSetting(std::string_view key, std::string_view fallback) {
  CheckedStore store;
  return stats::Settings(store).readText(key, fallback);
}

}  // namespace zrv_score
