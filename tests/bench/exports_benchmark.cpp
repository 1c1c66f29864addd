// Timings of the exports a logger leans on during a contest: replaying a whole log through
// AddData0, one score report over it, one call check against it. Prints figures only.
//
// The library is loaded once; ResetStats0 empties its log between runs. Everything runs inside a
// scratch current directory that holds the "Plugins" folder for the settings file.
#include <benchmark/benchmark.h>
#include <dlfcn.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "plugin/stats_api.h"
#include "tests/support/scratch_folder.h"

namespace {

// The scratch directory and the loaded library, for the life of the process.
class Environment {
 public:
  Environment() {
    handle_ = dlopen(STATS_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) throw std::runtime_error(std::string("dlopen: ") + dlerror());
    reset = reinterpret_cast<decltype(&::ResetStats0)>(symbol("ResetStats0"));
    add = reinterpret_cast<decltype(&::AddData0)>(symbol("AddData0"));
    check = reinterpret_cast<decltype(&::CheckCall0)>(symbol("CheckCall0"));
    result = reinterpret_cast<decltype(&::GetResult0)>(symbol("GetResult0"));
  }
  ~Environment() { dlclose(handle_); }
  Environment(const Environment&) = delete;
  Environment& operator=(const Environment&) = delete;

  decltype(&::ResetStats0) reset = nullptr;
  decltype(&::AddData0) add = nullptr;
  decltype(&::CheckCall0) check = nullptr;
  decltype(&::GetResult0) result = nullptr;

 private:
  void* symbol(const char* name) {
    void* address = dlsym(handle_, name);
    if (address == nullptr) throw std::runtime_error(std::string("missing export ") + name);
    return address;
  }

  stats_test::ScratchFolder scratch_;
  void* handle_ = nullptr;
};

Environment& environment() {
  static Environment instance;
  return instance;
}

struct LoggedQso {
  std::string call, band, mode, sent, received, dxcc, prefix;
  unsigned int frequencyHz = 0;
  COleDateTime time{};
};

struct Entity {
  const char* dxcc;
  const char* prefix;
};

// A contest log as a station outside Belgium makes it: about one QSO in six with a Belgian
// station (serial and province), half with European-Union countries, the rest further away.
std::vector<LoggedQso> makeLog(int count) {
  static constexpr std::array<Entity, 8> kBelgian = {{{"ON", "ON4"},
                                                      {"ON", "ON5"},
                                                      {"ON", "ON6"},
                                                      {"ON", "ON7"},
                                                      {"ON", "OT4"},
                                                      {"ON", "OR2"},
                                                      {"ON", "OO9"},
                                                      {"ON", "ON3"}}};
  static constexpr std::array<Entity, 12> kEuropean = {{{"DL", "DL"},
                                                        {"F", "F"},
                                                        {"G", "G"},
                                                        {"I", "I"},
                                                        {"EA", "EA"},
                                                        {"SP", "SP"},
                                                        {"OK", "OK"},
                                                        {"PA", "PA"},
                                                        {"OH", "OH"},
                                                        {"S5", "S5"},
                                                        {"YO", "YO"},
                                                        {"CT3", "CT3"}}};
  static constexpr std::array<Entity, 8> kOthers = {{{"K", "W"},
                                                     {"JA", "JA"},
                                                     {"VE", "VE"},
                                                     {"UA", "UA"},
                                                     {"PY", "PY"},
                                                     {"VK", "VK"},
                                                     {"ZS", "ZS"},
                                                     {"HB", "HB"}}};
  static constexpr std::array<const char*, 11> kProvinces = {"AN", "BR", "BW", "HT", "LB", "LG",
                                                             "NM", "LU", "OV", "VB", "WV"};
  static constexpr std::array<const char*, 6> kBands = {"160m", "80m", "40m", "20m", "15m", "10m"};
  static constexpr std::array<unsigned int, 6> kBandStartKHz = {1810,  3500,  7000,
                                                                14000, 21000, 28000};

  std::vector<LoggedQso> log;
  log.reserve(static_cast<size_t>(count));
  uint32_t random = 12345;
  auto next = [&random](uint32_t range) {
    random = random * 1664525u + 1013904223u;
    return (random >> 8) % range;
  };
  for (int i = 0; i < count; ++i) {
    LoggedQso qso;
    const uint32_t kind = next(6);
    const Entity& entity = kind == 0   ? kBelgian[next(kBelgian.size())]
                           : kind <= 3 ? kEuropean[next(kEuropean.size())]
                                       : kOthers[next(kOthers.size())];
    const size_t band = next(kBands.size());
    const bool cw = next(2) == 0;
    qso.prefix = std::string(entity.prefix) + std::to_string(next(10));
    qso.call = qso.prefix + static_cast<char>('A' + next(26)) + static_cast<char>('A' + next(26)) +
               static_cast<char>('A' + next(26));
    qso.dxcc = entity.dxcc;
    qso.band = kBands[band];
    qso.mode = cw ? "CW" : "SSB";
    char sent[16];
    std::snprintf(sent, sizeof sent, "%03d", i + 1);
    qso.sent = sent;
    qso.received = std::to_string(1 + next(2000));
    if (kind == 0) qso.received += std::string(" ") + kProvinces[next(kProvinces.size())];
    qso.frequencyHz = (kBandStartKHz[band] + (cw ? 20 : 150) + next(60)) * 1000 + next(1000);
    qso.time = COleDateTime{45444.5 + i / 2880.0, COleDateTimeValid};  // one QSO per 30 s
    log.push_back(std::move(qso));
  }
  return log;
}

void startContest(const Environment& env) {
  COleDateTime start{45444.5, COleDateTimeValid};
  COleDateTime end{45445.5, COleDateTimeValid};
  env.reset("ZRV", 0, "G4ABC", &start, &end, "Mike", "IO91", "G", "EU", "14", "27",
            "ZRV DX Contest", "", "", "G", 14, 27, 0, 51.5, 0.1, "", "", "");
}

void replay(const Environment& env, std::vector<LoggedQso>& log) {
  COleDateTime start{45444.5, COleDateTimeValid};
  COleDateTime end{45445.5, COleDateTimeValid};
  unsigned int number = 0;
  for (LoggedQso& qso : log) {
    benchmark::DoNotOptimize(env.add("ZRV", qso.call.c_str(), &qso.time, &qso.time, &start, &end,
                                     ++number, qso.frequencyHz, qso.mode.c_str(), "", "",
                                     qso.sent.c_str(), qso.received.c_str(), "599", "599", "", "14",
                                     "28", "EU", "", "", qso.prefix.c_str(), qso.dxcc.c_str(), 14,
                                     28, 0, 50.0, 10.0, "", "", "G4ABC", qso.band.c_str(), ""));
  }
}

void BM_ReplayLog(benchmark::State& state) {
  const Environment& env = environment();
  std::vector<LoggedQso> log = makeLog(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    startContest(env);
    replay(env, log);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_ScoreReport(benchmark::State& state) {
  const Environment& env = environment();
  std::vector<LoggedQso> log = makeLog(static_cast<int>(state.range(0)));
  startContest(env);
  replay(env, log);
  for (auto _ : state) {
    int exportDone = 0;
    benchmark::DoNotOptimize(env.result(&exportDone));
  }
}

void BM_CallCheck(benchmark::State& state) {
  const Environment& env = environment();
  std::vector<LoggedQso> log = makeLog(static_cast<int>(state.range(0)));
  startContest(env);
  replay(env, log);
  char output[50] = {};
  for (auto _ : state) {
    // A new call: the repeat test and the multiplier test both scan the whole log.
    benchmark::DoNotOptimize(env.check("ON9ZZZ", 14025600, 0, "CW", "", "", "", "", "", "", "", "",
                                       "ON9", "ON", 14, 28, 0, 50.0, 4.0, "", "", "", "", "", "20m",
                                       "20m", output, nullptr));
  }
}

BENCHMARK(BM_ReplayLog)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ScoreReport)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CallCheck)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
