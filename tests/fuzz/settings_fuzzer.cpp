// Fuzz target: the POSIX settings store and the plug-in's settings access on any file contents
// (or a folder, or nothing, where the file should be), through reads and writes decoded from the
// input. Beyond surviving, after every write:
// - it succeeded exactly when the folder exists and the file is absent or a plain file (links, a
//   read-only file and a file of two names are left to the store);
// - the key reads back as written, by the store's rules: the value's first line, without the
//   blanks around it and without one pair of quotes around the whole (for names it can store);
// - every other key, in any section, reads as before (for names it can store); after a failed
//   write every key does;
// - through the plug-in's settings access, within one operation, every read agrees with the file
//   and a value or number written reads back.
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/settings/profile.h"
#include "core/settings/settings.h"
#include "core/settings/settings_keys.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/trace_capture.h"

namespace {

using stats_fuzz::SettingsFile;

constexpr std::array<std::string_view, 8> kSections = {
    "Settings", "settings", " Settings ", "Other", "", "a]b", "[x]", "S\nT"};
constexpr std::array<std::string_view, 16> kKeys = {
    "Multiplier", "Province", "Mode", "Start", "BELGIUM", "Claimed", "SoapBox", "cont_x",
    " mode ",     "MODE",     "",     "a=b",   ";c",      "[d",      "k\nx",    "\t"};
constexpr std::array<std::string_view, 12> kValues = {
    "", "1", " 1 ", "\"q\"", "'q'", "\"", "a\nb", "x\r", "  ", "'a\"", "=", "[Settings]"};

// Blanks are dropped around names and values. Spaces and tabs are blanks without doubt; whether
// the other characters kernel32 drops there (vertical tab, form feed, Ctrl-Z) are is left to the
// store: a name or value with one at its edge is only checked for survival.
bool isBlank(char c) {
  return c == ' ' || c == '\t';
}
bool isPerhapsBlank(char c) {
  return c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool sameName(std::string_view a, std::string_view b) {
  a = trimBlanks(a);
  b = trimBlanks(b);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// A name the file can hold so that a read finds it again: one line (a write cuts a name at its
// first line end) without NUL (the Windows functions take C strings); a key besides neither a
// comment nor a section header, and without '=' (a read takes the key up to the first '=').
constexpr std::string_view kLineEndOrNul("\r\n\0", 3);
bool definiteEdges(std::string_view text) {
  text = trimBlanks(text);
  return text.empty() || (!isPerhapsBlank(text.front()) && !isPerhapsBlank(text.back()));
}
bool storableSection(std::string_view section) {
  return section.find_first_of(kLineEndOrNul) == std::string_view::npos && definiteEdges(section);
}
bool storableKey(std::string_view key) {
  const std::string_view trimmed = trimBlanks(key);
  return storableSection(key) && trimmed.find('=') == std::string_view::npos &&
         !trimmed.starts_with(';') && !trimmed.starts_with('[');
}

// A value whose first line holds a NUL reads back as its stored C string, or whole: either is
// within the rules.
bool definiteValue(std::string_view value) {
  const std::string_view firstLine = value.substr(0, value.find_first_of("\r\n"));
  return firstLine.find('\0') == std::string_view::npos && definiteEdges(firstLine);
}

// What a read gives after `value` was written.
std::string_view readBack(std::string_view value) {
  value = trimBlanks(value.substr(0, value.find_first_of("\r\n")));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

// Names and values in a message: unprintable bytes as \xNN.
std::string shown(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c >= ' ' && c <= '~') {
      out += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
      out += escaped;
    }
  }
  return out;
}

[[noreturn]] void fail(const std::string& what) {
  std::fprintf(stderr, "settings fuzzer: %s\n", what.c_str());
  std::abort();
}

// Whether writes succeed: not without the folder or with a folder in the file's place, always in
// a folder the file is missing from or with a plain file. Through links, on a read-only file (which
// root could write) and on a file with two names it is the store's choice.
std::optional<bool> writable(SettingsFile file) {
  switch (file) {
    case SettingsFile::noFolder:
    case SettingsFile::folderIsFile:
    case SettingsFile::fileIsFolder:
      return false;
    case SettingsFile::noFile:
    case SettingsFile::bytes:
      return true;
    default:
      return std::nullopt;
  }
}

class Session {
 public:
  Session(FuzzedDataProvider& data, SettingsFile file)
      : data_(data),
        store_(stats::makePlatformProfileStore("Plugins\\ZRV.ini")),
        writable_(writable(file)),
        fileExists_(file >= SettingsFile::bytes) {}

  void read() {
    const std::string section = name(kSections);
    const std::string key = name(kKeys);
    const std::string defaultValue = value();
    const std::string result = store_->read(section, key, defaultValue);
    if (!fileExists_) {
      std::string_view expected = defaultValue;
      while (!expected.empty() && expected.back() == ' ') expected.remove_suffix(1);
      if (result != expected) fail("a read without a file did not give the default");
    }
  }

  void write() {
    const std::string section = name(kSections);
    const std::string key = name(kKeys);
    const std::string written = value();
    const auto before = probe(section, key);
    // Written by someone else as far as an operation's settings go: the next operation sees it.
    settings_.reset();
    const bool ok = store_->write(section, key, written);
    if (writable_ && ok != *writable_) {
      fail(ok ? "a write succeeded with no place to write" : "a write failed");
    }
    fileExists_ = fileExists_ || ok;
    if (ok) {
      // A name the file cannot hold may stand for another key once written, or even make a
      // section header: the plug-in's names are all storable.
      if (!storableSection(section) || !storableKey(key)) return;
      const std::string stored = store_->read(section, key, "(none)");
      if (definiteValue(written) && stored != readBack(written)) {
        fail("[" + shown(section) + "] " + shown(key) + ": wrote '" + shown(written) +
             "', read back '" + shown(stored) + "'");
      }
    }
    for (const auto& [probed, old] : before) {
      if (ok && sameName(probed.first, section) && sameName(probed.second, key)) continue;
      if (store_->read(probed.first, probed.second, "(none)") != old) {
        fail("writing " + shown(key) + " changed " + shown(probed.second) + " in [" +
             shown(probed.first) + "]");
      }
    }
  }

  // One step of an operation of the plug-in through its settings access: a read, which must agree
  // with the file whatever the operation wrote before it, a write that must read back, or the end
  // of the operation. Only with the plug-in's kind of key names: storable ones.
  void settingsStep() {
    if (!settings_) settings_ = std::make_unique<stats::Settings>(*store_);
    const std::string key = name(kKeys);
    const int step = data_.ConsumeIntegralInRange(0, 3);
    if (!storableKey(key) || step == 3) {
      settings_.reset();
      return;
    }
    if (step == 0) {
      const std::string defaultValue = value();
      if (settings_->readText(key, defaultValue) !=
          store_->read(stats::kIniSection, key, defaultValue)) {
        fail("a read through the settings is not what the file holds");
      }
    } else if (step == 1) {
      const std::string written = value();
      if (settingsWrite([&] { settings_->writeText(key, written); }) && definiteValue(written) &&
          settings_->readText(key, "(none)") != readBack(written)) {
        fail("a value written through the settings did not read back");
      }
    } else {
      const int number = data_.ConsumeIntegral<int>();
      if (settingsWrite([&] { settings_->writeNumber(key, number); }) &&
          settings_->readNumber(key) != number) {
        fail("a number did not read back");
      }
    }
  }

 private:
  // Whether a write through the settings succeeded (a failed one is traced, not returned).
  template <typename Write>
  bool settingsWrite(Write&& write) {
    bool failed = false;
    {
      const stats_test::TraceCapture capture;
      write();
      failed = !capture.lines().empty();
    }
    if (writable_ && failed == *writable_) {
      fail("a write through the settings failed or succeeded unexpectedly");
    }
    fileExists_ = fileExists_ || !failed;
    return !failed;
  }

  template <size_t count>
  std::string name(const std::array<std::string_view, count>& names) {
    if (data_.ConsumeBool())
      return std::string(names[data_.ConsumeIntegralInRange<size_t>(0, count - 1)]);
    return data_.ConsumeRandomLengthString(24);
  }

  std::string value() {
    if (data_.ConsumeBool()) {
      return std::string(kValues[data_.ConsumeIntegralInRange<size_t>(0, kValues.size() - 1)]);
    }
    return data_.ConsumeRandomLengthString(64);
  }

  // What a few keys read now: the one about to be written and its neighbours, in its section and
  // in the plug-in's.
  std::vector<std::pair<std::pair<std::string, std::string>, std::string>> probe(
      const std::string& section, const std::string& key) {
    std::vector<std::pair<std::pair<std::string, std::string>, std::string>> reads;
    for (const std::string_view probedSection : {std::string_view(section), kSections[0]}) {
      for (const std::string_view probedKey :
           {std::string_view(key), kKeys[0], kKeys[2], kKeys[4], kKeys[10]}) {
        if (!storableSection(probedSection) || !storableKey(probedKey)) continue;
        std::pair names{std::string(probedSection), std::string(probedKey)};
        std::string old = store_->read(names.first, names.second, "(none)");
        reads.emplace_back(std::move(names), std::move(old));
      }
    }
    return reads;
  }

  FuzzedDataProvider& data_;
  std::unique_ptr<stats::ProfileStore> store_;
  std::optional<bool> writable_;  // none where the store's rules leave it open
  bool fileExists_;
  std::unique_ptr<stats::Settings> settings_;  // of the operation under way
};

stats_fuzz::ScratchFolder* scratch = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  stats_fuzz::keepArtifactsInStartDirectory(argc, argv);
  static stats_fuzz::ScratchFolder folder;
  scratch = &folder;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  scratch->enter();
  Session session(data, stats_fuzz::writeHostileSettingsFile(data));
  for (int step = 0; step < 32 && data.remaining_bytes() > 0; ++step) {
    switch (data.ConsumeIntegralInRange(0, 3)) {
      case 0:
        session.read();
        break;
      case 1:
        session.write();
        break;
      default:
        session.settingsStep();
    }
  }
  scratch->leave();
  return 0;
}
