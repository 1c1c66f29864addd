// Fuzz target: the plug-in's ten entry points called in-process as a host calls them, in an order
// and with arguments decoded from the input, after a hostile settings file was put in place.
//
// Texts are any bytes (empty, long, or null: every entry point reads a null text as empty),
// date-times are null, invalid or extreme (NaN, infinities, huge day counts, any status), and the
// call check gets output buffers of exactly 50 bytes (or null, which it accepts), so that
// AddressSanitizer sees any write past them. The plug-in is one object per process and keeps its
// state between inputs: each input begins with a contest start, and the Belgian side, which no
// entry point can take back once set, is cleared first so that an input replays alike alone.
// The dialogs close with OK or are cancelled as the input says (tests/fuzz/fuzz_user_interface.h).
// Now and then the input loads a second application object beside the process's one and unloads
// it, or (rarely, as it is slow) logs a few thousand generated QSOs and removes them again.
// Beyond surviving: every answer is one the interface allows, the report is a text, the export
// flag is set exactly after a start with export, and a call just logged is a repeat on its band;
// after each stage of a batch, a generated call is a repeat exactly where one is left; an
// unload stops the live window its start opened; and where the settings file takes every write,
// the setup dialog's values read back from it after an OK, and a header field saved by an OK comes
// back in the next export's header dialog (for values that read back unchanged).
#include <fuzzer/FuzzedDataProvider.h>
#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "api/stats_api.h"
#include "core/cabrillo/cabrillo_header_settings.h"
#include "core/rules/contest_rules.h"
#include "core/settings/settings.h"
#include "core/settings/settings_keys.h"
#include "entry/application.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/fuzz/fuzz_user_interface.h"
#include "tests/support/scratch_folder.h"

namespace {

using stats_fuzz::FuzzUserInterface;
using stats_fuzz::ScratchFolder;
namespace fs = std::filesystem;

// Which argument a text is for: each has a few values that mean something to the plug-in.
enum Slot { call, band, mode, serial, exchange, dxcc, callPrefix, ownCall, other, slotCount };

const std::array<std::vector<std::string_view>, slotCount> kVocabulary = {{
    {"DL1ABC", "ON4XYZ", "OT1A", "F5AAA", "PA0ABC", "W1AW", "ON4ABC/P", "dl1abc"},
    {"160m", "80m", "40m", "20m", "15m", "10m", "6m", "20M", "2m"},
    {"CW", "SSB", "cw", "RTTY", "SSB "},
    {"1", "001", "123", "0123", "12345", "0"},
    {"001", "1234", "LG", "001LG", "12 AN", "0012 bw", "5NN", "123456WV", "1 ab", "A"},
    {"ON", "DL", "F", "SY", "SV", "OH0", "W", "I", "on", "ON "},
    {"ON4", "OT1", "OO9", "DL1", "F5", ""},
    {"ON4ABC", "DL1ABC", "..", "a/b\\c", " ", "CON", "OT1A/P"},
    {"x"},
}};

// Every buffer handed to the plug-in is a heap block of exactly its size, so that AddressSanitizer
// reports a read or write past its end; they live until the input is done.
class Arguments {
 public:
  explicit Arguments(FuzzedDataProvider& data) : data_(data) {}

  const char* text(Slot slot) {
    switch (data_.ConsumeIntegralInRange(0, 9)) {
      case 0:
        return nullptr;
      case 1:
        return keep(slot, "");
      case 2:
      case 3:
      case 4:
        return keep(slot, pick(kVocabulary[slot]));
      case 5: {
        const auto& used = used_[slot];
        if (used.empty()) return keep(slot, pick(kVocabulary[slot]));
        return keep(slot, used[data_.ConsumeIntegralInRange<size_t>(0, used.size() - 1)]);
      }
      case 6: {
        // Long: a vocabulary word followed by one byte 64 to 65536 times.
        std::string value(pick(kVocabulary[slot]));
        const auto fill = static_cast<char>(data_.ConsumeIntegralInRange(1, 255));
        value.append(size_t{64} << data_.ConsumeIntegralInRange(0, 10), fill);
        return keep(slot, value);
      }
      default:
        return keep(slot, data_.ConsumeRandomLengthString(64));
    }
  }

  COleDateTime* dateTime() {
    if (data_.ConsumeIntegralInRange(0, 7) == 0) return nullptr;
    auto value = std::make_unique<COleDateTime>();
    static constexpr std::array<int32_t, 6> kStatuses = {
        COleDateTimeValid, COleDateTimeValid, COleDateTimeInvalid, COleDateTimeNull, -1, 3};
    const size_t status = data_.ConsumeIntegralInRange<size_t>(0, kStatuses.size());
    value->m_status = status < kStatuses.size() ? kStatuses[status] : data_.ConsumeIntegral<int>();
    value->m_dt = dayCount();
    COleDateTime* pointer = value.get();
    dateTimes_.push_back(std::move(value));
    return pointer;
  }

  unsigned int frequency() {
    static constexpr std::array<unsigned int, 12> kValues = {
        0u,       1u,        999u,      1000u,     1830000u,    3550000u,
        7025000u, 14025000u, 21025000u, 28025000u, 0x80000000u, 0xFFFFFFFFu};
    const size_t index = data_.ConsumeIntegralInRange<size_t>(0, kValues.size());
    return index < kValues.size() ? kValues[index] : data_.ConsumeIntegral<unsigned int>();
  }

  int number() { return data_.ConsumeIntegral<int>(); }
  int choice(int last) { return data_.ConsumeIntegralInRange(0, last); }
  double real() { return dayCount(); }

  // A call check's output buffer: 50 bytes of junk, or null.
  char* outputBuffer() {
    if (data_.ConsumeIntegralInRange(0, 7) == 0) return nullptr;
    auto buffer = std::make_unique<char[]>(50);
    std::memset(buffer.get(), data_.ConsumeIntegral<char>(), 50);
    char* pointer = buffer.get();
    buffers_.push_back(std::move(buffer));
    return pointer;
  }

 private:
  std::string_view pick(const std::vector<std::string_view>& values) {
    return values[data_.ConsumeIntegralInRange<size_t>(0, values.size() - 1)];
  }

  const char* keep(Slot slot, std::string_view value) {
    // Up to the first NUL, as a C string ends there anyway.
    value = value.substr(0, value.find('\0'));
    auto buffer = std::make_unique<char[]>(value.size() + 1);
    std::memcpy(buffer.get(), value.data(), value.size());
    buffer[value.size()] = '\0';
    const char* pointer = buffer.get();
    buffers_.push_back(std::move(buffer));
    if (used_[slot].size() < 16 && value.size() < 64) used_[slot].emplace_back(value);
    return pointer;
  }

  double dayCount() {
    static constexpr double kInfinity = std::numeric_limits<double>::infinity();
    static constexpr std::array<double, 17> kValues = {
        std::numeric_limits<double>::quiet_NaN(),
        -std::numeric_limits<double>::quiet_NaN(),
        kInfinity,
        -kInfinity,
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(),
        std::numeric_limits<double>::denorm_min(),
        1e7,
        -1e7,
        1e7 + 1,
        2958465.99999,  // 9999-12-31 late
        -657434.0,      // 0100-01-01
        -657435.5,
        0.0,
        -0.0,
        -1.5,
        1e19,
    };
    switch (data_.ConsumeIntegralInRange(0, 3)) {
      case 0:
        return kValues[data_.ConsumeIntegralInRange<size_t>(0, kValues.size() - 1)];
      case 1: {
        const auto bits = data_.ConsumeIntegral<uint64_t>();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
      }
      default:
        // Within a contest weekend, to the second or finer.
        return 45000.0 + data_.ConsumeProbability<double>() * 2.0;
    }
  }

  FuzzedDataProvider& data_;
  std::vector<std::unique_ptr<char[]>> buffers_;
  std::vector<std::unique_ptr<COleDateTime>> dateTimes_;
  std::array<std::vector<std::string>, slotCount> used_;
};

// scripts/fuzz closes standard error for this target (the plug-in writes its message there after
// every export), so a failed check is told where the sanitizers report, when they are linked in.
extern "C" __attribute__((weak)) void __sanitizer_report_error_summary(const char* summary);

[[noreturn]] void fail(const char* what) {
  const std::string message = std::string("exports fuzzer: ") + what;
  if (__sanitizer_report_error_summary != nullptr) {
    __sanitizer_report_error_summary(message.c_str());
  } else {
    std::fprintf(stderr, "%s\n", message.c_str());
  }
  std::abort();
}

void check(bool condition, const char* what) {
  if (!condition) fail(what);
}

// While one lives, a file cannot grow past the given size: a write beyond fails as on a full disk
// (with EFBIG, the signal it would raise ignored).
class FullDisk {
 public:
  explicit FullDisk(rlim_t bytes) {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    ::sigaction(SIGXFSZ, &ignore, &signal_);
    ::getrlimit(RLIMIT_FSIZE, &limit_);
    const rlimit lower{std::min(bytes, limit_.rlim_cur), limit_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &lower);
  }
  ~FullDisk() {
    ::setrlimit(RLIMIT_FSIZE, &limit_);
    ::sigaction(SIGXFSZ, &signal_, nullptr);
  }
  FullDisk(const FullDisk&) = delete;
  FullDisk& operator=(const FullDisk&) = delete;

 private:
  rlimit limit_{};
  struct sigaction signal_ {};
};

// A value the settings file gives back unchanged once written: printable, on one line, without
// blanks at its ends or a pair of quotes around it (a read drops those).
bool readsBackAsWritten(std::string_view value) {
  if (std::ranges::any_of(value, [](char c) { return c < ' ' || c > '~'; })) return false;
  if (!value.empty() && (value.front() == ' ' || value.back() == ' ')) return false;
  return value.size() < 2 || (value.front() != '"' && value.front() != '\'') ||
         value.back() != value.front();
}

// A header field as the settings file stores it: the soapbox with its line breaks marked.
std::string storedForm(const stats::CabrilloHeaderField& field,
                       const stats::CabrilloState& header) {
  const std::string& text = header.*field.member;
  return field.load == stats::HeaderLoad::soapboxFromKey ? stats::soapboxDisplayToStored(text)
                                                         : text;
}

// A field whose saved value the next export's start loads again.
bool loadedFromItsKey(const stats::CabrilloHeaderField& field) {
  return field.saved && (field.load == stats::HeaderLoad::fromKey ||
                         field.load == stats::HeaderLoad::fromKeyOrCallsign ||
                         field.load == stats::HeaderLoad::soapboxFromKey);
}

// The arguments of a logged QSO that matter to the log, for the generated ones.
struct PlainQso {
  std::string call;
  std::string_view band;
  COleDateTime time;
  const char* received;
};

int logOrRemove(bool add, const PlainQso& qso) {
  COleDateTime time = qso.time;
  const auto entry = add ? AddData0 : RemoveData0;
  return entry(nullptr, qso.call.c_str(), nullptr, &time, nullptr, nullptr, 0, 14025000, "CW",
               nullptr, nullptr, "001", qso.received, nullptr, nullptr, nullptr, nullptr, nullptr,
               nullptr, nullptr, nullptr, "DL1", "DL", 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr,
               std::string(qso.band).c_str(), nullptr);
}

// A call check with only the arguments the repeat test reads: 0 answers a repeat on the band.
bool isRepeat(const char* call, const char* band, const char* mode = "CW",
              const char* callPrefix = "DL1", const char* dxccPrefix = "DL") {
  return CheckCall0(call, 0, 0, mode, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr, callPrefix, dxccPrefix, 0, 0, 0, 0, 0, nullptr, nullptr, nullptr,
                    nullptr, nullptr, band, nullptr, nullptr, nullptr) == 0;
}

struct Session {
  Arguments& in;
  FuzzUserInterface& ui;
  bool settingsWritable;  // the settings file takes every write
  bool exportRun = false;
  // Per header field (by its place in the table): what its key holds after the last OK saved it,
  // for values that read back unchanged.
  std::map<size_t, std::string> savedHeader{};

  int resetStats() {
    const char* text1 = in.text(other);
    const int exportChoice = in.choice(3);
    const int exportRequest = exportChoice < 2 ? 0 : exportChoice == 2 ? 1 : in.number();
    const char* own = in.text(ownCall);
    COleDateTime* time4 = in.dateTime();
    COleDateTime* time5 = in.dateTime();
    std::array<const char*, 9> texts{};
    for (const char*& text : texts) text = in.text(other);
    const char* ownDxcc = in.text(dxcc);
    const int n16 = in.number(), n17 = in.number(), n18 = in.number();
    const double d19 = in.real(), d20 = in.real();
    const char* t21 = in.text(other);
    const char* t22 = in.text(other);
    const char* t23 = in.text(other);
    exportRun = exportRequest != 0;
    const int dialogsBefore = ui.cabrilloDialogs();
    const int result = ResetStats0(text1, exportRequest, own, time4, time5, texts[0], texts[1],
                                   texts[2], texts[3], texts[4], texts[5], texts[6], texts[7],
                                   texts[8], ownDxcc, n16, n17, n18, d19, d20, t21, t22, t23);
    if (ui.cabrilloDialogs() != dialogsBefore) checkCabrilloDialog();
    return result;
  }

  // The header dialog shows each field as the last OK saved it; after an OK, what it saved is
  // what the plug-in keeps for the file (the soapbox as the dialog gave it).
  void checkCabrilloDialog() {
    const FuzzUserInterface::CabrilloDialog& dialog = ui.lastCabrilloDialog();
    const auto fields = stats::cabrilloHeaderFields();
    for (const auto& [index, saved] : savedHeader) {
      check(storedForm(fields[index], dialog.shown) == saved,
            "a header field saved with OK came back otherwise in the next header dialog");
    }
    if (!dialog.confirmed || !settingsWritable) return;
    const stats::CabrilloState kept = stats::theApp().plugin().withState(
        [](const stats::ContestState& state) { return state.cabrilloState; });
    for (size_t index = 0; index < fields.size(); ++index) {
      if (!loadedFromItsKey(fields[index])) continue;
      const bool soapbox = fields[index].load == stats::HeaderLoad::soapboxFromKey;
      std::string saved = storedForm(fields[index], soapbox ? *dialog.confirmed : kept);
      if (readsBackAsWritten(saved)) {
        savedHeader[index] = std::move(saved);
      } else {
        savedHeader.erase(index);
      }
    }
  }

  // The setup dialog's OK writes its three values to the settings file.
  void setup() {
    SetupSet0();
    const auto& values = ui.lastSetup();
    if (!values || !settingsWritable) return;
    stats::ProfileStore& file = stats::theApp().plugin().profile();
    check(stats::parseLeadingInt(file.read(stats::kIniSection, stats::keys::kMultiplier, "")) ==
              values->useMultiplierWindow,
          "the setup dialog's live-window choice did not reach the settings file");
    for (const auto& [key, value] : {std::pair{stats::keys::kProvince, values->province},
                                     std::pair{stats::keys::kMode, values->mode}}) {
      if (readsBackAsWritten(value)) {
        check(file.read(stats::kIniSection, key, "(none)") == value,
              "a value of the setup dialog did not reach the settings file");
      }
    }
  }

  // Right after the contest start, a few thousand generated QSOs logged and all but a few removed
  // again (as logged, or by call, mode and band), in log order or backwards: the removals leave
  // more gaps than records, which the log squeezes out. Then the rest go in log order, each
  // leaving the next of its call and band first, through the link the squeeze renumbered.
  // Always the same QSOs: it takes 10 to 100 ms, and inputs that differ only in them would
  // crowd the corpus.
  void batch() {
    const bool backwards = in.choice(1) == 1;
    const bool byCall = in.choice(1) == 1;
    constexpr int kCount = 4110, kCalls = 1000;
    // Each call is logged four or five times on two bands: chains of up to three on a band. What
    // stays at first is two chains of one call (of three and two records) and the second record
    // of a chain whose first went.
    auto band = [](int index) { return index / kCalls % 2; };
    auto qso = [&](int index, const char* received) {
      return PlainQso{"ZZ" + std::to_string(index % kCalls), stats::kContestBands[band(index)],
                      COleDateTime{45000.0 + index / 1440.0, COleDateTimeValid}, received};
    };
    auto kept = [](int index) { return index % kCalls == 7 || index == 2500; };
    std::vector<int> onBand(kCalls * 2);  // records per call and band
    auto records = [&](int index) -> int& { return onBand[index % kCalls * 2 + band(index)]; };
    auto remove = [&](int index, const char* received) {
      check(logOrRemove(false, qso(index, received)) == 1, "a generated QSO could not be removed");
      --records(index);
    };
    // A call is a repeat on a band exactly while a record of it is left there.
    auto checkRepeat = [&](int index) {
      const PlainQso logged = qso(index, "");
      check(isRepeat(logged.call.c_str(), std::string(logged.band).c_str()) == (records(index) > 0),
            "a generated call is a repeat on its band without a record there, or the reverse");
    };
    for (int index = 0; index < kCount; ++index) {
      check(logOrRemove(true, qso(index, "1234")) == 1, "a generated QSO was refused");
      ++records(index);
    }
    for (int step = 0; step < kCount; ++step) {
      const int index = backwards ? kCount - 1 - step : step;
      if (!kept(index)) remove(index, byCall ? "9999" : "1234");
    }
    for (int index = 0; index < kCount; ++index) {
      if (kept(index) || index % 128 == 0) checkRepeat(index);
    }
    for (int index = 0; index < kCount; ++index) {
      if (!kept(index)) continue;
      remove(index, "1234");
      checkRepeat(index);
    }
  }

  // A second application object, as a library loaded once more: it builds a plug-in of its own
  // over the same settings file, starts a contest on it (without export, whose header dialog
  // would save a header of its own), and its unload stops the live window that start opened
  // when the settings file asks for one.
  void loadAndUnload() {
    const int running = FuzzUserInterface::liveWindowsRunning();
    {
      stats::CTestApp loaded;
      const char* own = in.text(ownCall);
      loaded.plugin().resetStats(0, own != nullptr ? own : "", "DL");
    }
    check(FuzzUserInterface::liveWindowsRunning() == running,
          "an unload left its live window running");
  }

  void qso(bool add) {
    const char* text1 = in.text(other);
    const char* callText = in.text(call);
    COleDateTime* time3 = in.dateTime();
    COleDateTime* qsoTime = in.dateTime();
    COleDateTime* time5 = in.dateTime();
    COleDateTime* time6 = in.dateTime();
    const auto n7 = static_cast<unsigned>(in.number());
    const unsigned int frequencyHz = in.frequency();
    const char* modeText = in.text(mode);
    const char* t10 = in.text(other);
    const char* t11 = in.text(other);
    const char* sent = in.text(serial);
    const char* received = in.text(exchange);
    std::array<const char*, 8> texts{};
    for (const char*& text : texts) text = in.text(other);
    const char* prefix = in.text(callPrefix);
    const char* dxccText = in.text(dxcc);
    const int n24 = in.number(), n25 = in.number(), n26 = in.number();
    const double d27 = in.real(), d28 = in.real();
    const char* t29 = in.text(other);
    const char* t30 = in.text(other);
    const char* t31 = in.text(other);
    const char* bandText = in.text(band);
    const char* t33 = in.text(other);
    const auto entry = add ? AddData0 : RemoveData0;
    const int result =
        entry(text1, callText, time3, qsoTime, time5, time6, n7, frequencyHz, modeText, t10, t11,
              sent, received, texts[0], texts[1], texts[2], texts[3], texts[4], texts[5], texts[6],
              texts[7], prefix, dxccText, n24, n25, n26, d27, d28, t29, t30, t31, bandText, t33);
    check(result == 0 || result == 1, "AddData0/RemoveData0 answered neither 0 nor 1");
    if (add && result == 1) {
      // The QSO is in the log now: the same call on the same band is a repeat.
      check(isRepeat(callText, bandText, modeText, prefix, dxccText),
            "a call just logged on its band is not a repeat");
    }
  }

  void checkCall() {
    const char* callText = in.text(call);
    const auto n2 = static_cast<unsigned>(in.number());
    const auto n3 = static_cast<unsigned>(in.number());
    const char* modeText = in.text(mode);
    std::array<const char*, 8> texts{};
    for (const char*& text : texts) text = in.text(other);
    const char* prefix = in.text(callPrefix);
    const char* dxccText = in.text(dxcc);
    const int n15 = in.number(), n16 = in.number(), n17 = in.number();
    const double d18 = in.real(), d19 = in.real();
    std::array<const char*, 5> more{};
    for (const char*& text : more) text = in.text(other);
    const char* bandText = in.text(band);
    const char* secondBand = in.text(band);
    char* output = in.outputBuffer();
    char* output2 = in.outputBuffer();
    const int result =
        CheckCall0(callText, n2, n3, modeText, texts[0], texts[1], texts[2], texts[3], texts[4],
                   texts[5], texts[6], texts[7], prefix, dxccText, n15, n16, n17, d18, d19, more[0],
                   more[1], more[2], more[3], more[4], bandText, secondBand, output, output2);
    check(result == 0 || result == 1 || result == 2 || result == 4,
          "CheckCall0 answered none of 0, 1, 2, 4");
  }

  // In an export run the Cabrillo file is written now, at times onto a disk that fills up or in
  // a folder that has a folder where the file goes: an export that fails keeps the previous file
  // as it was, and none leaves a temporary file behind.
  void getResult() {
    const bool withPointer = in.choice(3) != 0;
    const int obstacle = exportRun ? in.choice(7) : 0;  // 6: a folder at the name, 7: full disk
    std::string fileName;
    std::optional<std::string> previous;
    std::optional<FullDisk> fullDisk;
    if (exportRun) {
      fileName = stats::theApp().plugin().withState([](const stats::ContestState& state) {
        return state.cabrilloState.fileBase;
      }) + ".cbr";
      std::error_code error;
      if (obstacle == 6 && !fs::exists(fileName, error)) fs::create_directory(fileName, error);
      if (fs::is_regular_file(fileName, error)) previous = stats_test::readBytes(fileName);
      if (obstacle == 7) fullDisk.emplace(in.choice(8192));
    }
    int exportDone = 7;
    const char* report = GetResult0(withPointer ? &exportDone : nullptr);
    fullDisk.reset();
    check(report != nullptr, "GetResult0 gave a null report");
    check(std::strlen(report) > 0, "GetResult0 gave an empty report");
    if (withPointer) check(exportDone == (exportRun ? -1 : 7), "GetResult0's export flag");
    if (!exportRun) return;
    if (ui.lastMessage().starts_with("File not produced") && previous) {
      check(stats_test::readBytes(fileName) == previous, "a failed export changed the file");
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(".")) {
      check(!entry.is_regular_file() || entry.path().extension() != ".tmp",
            "a temporary file was left behind");
    }
  }

  void misc() {
    switch (in.choice(3)) {
      case 0:
        check(GetNumberOfSets() == 1, "GetNumberOfSets is not 1");
        break;
      case 1: {
        const int index = in.choice(2) == 0 ? 0 : in.number();
        const char* name = GetSetName(index);
        check(name != nullptr, "GetSetName gave null");
        check(index == 0 ? name == stats::kSetName : *name == '\0', "GetSetName's name");
        break;
      }
      case 2: {
        const char* t1 = in.text(other);
        const char* t2 = in.text(other);
        const char* t3 = in.text(other);
        const char* t4 = in.text(other);
        const int n1 = in.number(), n2 = in.number(), n3 = in.number();
        check(IsValidExchg0(t1, t2, t3, t4, n1, n2, n3) == 1, "IsValidExchg0 is not 1");
        check(GetExchgCount0(t1, t2, t3) == 1, "GetExchgCount0 is not 1");
        break;
      }
      default:
        setup();
    }
  }
};

ScratchFolder* scratch = nullptr;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  stats_fuzz::keepArtifactsInStartDirectory(argc, argv);
  static ScratchFolder folder;
  scratch = &folder;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  scratch->enter();
  const stats_fuzz::SettingsFile file = stats_fuzz::writeHostileSettingsFile(data);
  stats::StatsPlugin& plugin = stats::theApp().plugin();
  plugin.withState([](stats::ContestState& state) { state.belgianStation = 0; });
  FuzzUserInterface& ui = FuzzUserInterface::of(plugin);
  ui.beginInput(data);

  Arguments arguments(data);
  Session session{
      arguments, ui,
      file == stats_fuzz::SettingsFile::noFile || file == stats_fuzz::SettingsFile::bytes};
  check(session.resetStats() == 1, "ResetStats0 is not 1");
  for (int step = 0; step < 256 && data.remaining_bytes() > 0; ++step) {
    switch (data.ConsumeIntegralInRange(0, 15)) {
      case 0:
      case 1:
      case 2:
      case 3:
      case 4:
      case 5:
        session.qso(true);
        break;
      case 6:
      case 7:
        session.qso(false);
        break;
      case 8:
      case 9:
        session.checkCall();
        break;
      case 10:
        check(session.resetStats() == 1, "ResetStats0 is not 1");
        break;
      case 11:
        session.getResult();
        break;
      case 12:
      case 13:
      case 14:
        session.misc();
        break;
      default: {
        // The rare steps: a batch, which costs as much as a few dozen inputs, only as the first
        // step and one time in 256, so that few inputs carry one.
        const int rare = data.ConsumeIntegralInRange(0, 255);
        if (rare == 0 && step == 0) {
          session.batch();
        } else if (rare < 32) {
          session.loadAndUnload();
        } else {
          session.getResult();
        }
      }
    }
  }
  ui.endInput();
  scratch->leave();
  return 0;
}
