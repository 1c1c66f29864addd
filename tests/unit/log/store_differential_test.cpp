// The indexed log store against the scanning reference: two plug-ins, one over each store, are
// driven through the same seeded random sequences of contest starts, adds, removals, call checks,
// reports, exports, polls and settings changes, and what either of them shows is compared after
// every operation. A long case of thousands of adds and removals is compared at intervals.
//
// STATS_DIFFERENTIAL_SEEDS=N runs N seeds instead of the few of a normal run;
// STATS_DIFFERENTIAL_SEED=S replays seed S alone and prints each operation as it runs (and gives
// the long case its seed).
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "core/live/poll.h"
#include "core/plugin/stats_plugin.h"
#include "core/settings/settings_keys.h"
#include "tests/model/linear_qso_store.h"
#include "tests/support/fakes.h"
#include "tests/support/scratch_folder.h"

namespace {

using stats::CInfo;
using stats::ContestState;
using stats::MultiplierKind;
using stats::QsoStore;

// Fewer under the sanitizers, whose builds run this many times slower.
#if defined(__SANITIZE_ADDRESS__)
constexpr uint64_t kDefaultSeeds = 8;
#else
constexpr uint64_t kDefaultSeeds = 30;
#endif
constexpr int kOperationsPerSeed = 400;
constexpr char kOwnCall[] = "OT1ST/P";  // the export writes OT1ST_P.cbr

// splitmix64: the same numbers on every platform and standard library, so a seed replays anywhere.
class Random {
 public:
  explicit Random(uint64_t seed) : state_(seed) {}
  uint64_t next() {
    uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
  }
  std::size_t below(std::size_t count) { return static_cast<std::size_t>(next() % count); }
  bool percent(unsigned chance) { return below(100) < chance; }
  template <typename T, std::size_t N>
  std::string pick(const T (&items)[N]) {
    return std::string(items[below(N)]);
  }

 private:
  uint64_t state_;
};

// Few calls, so that they repeat across bands and on a band; "dl1aa" differs from "DL1AA".
constexpr const char* kCalls[] = {"DL1AA", "ON4AB", "ON7XY", "F5ZZ", "OZ1B",
                                  "K1AA",  "dl1aa", "SV2X",  "ON1A", "JA1Q"};
constexpr const char* kDxccPrefixes[] = {"ON", "ON", "DL", "F", "OZ", "SY", "K", "JA", "", "on"};
constexpr const char* kCallPrefixes[] = {"ON4", "ON7", "OT1", "", "DL1"};
constexpr const char* kReceived[] = {"599",     "12AN", "5 lg",    "123BR",   "7",
                                     "0012 WV", "AB",   "12345LU", "1234 lu", "59914"};
constexpr const char* kSerials[] = {"1", "12", "123", "1234"};
constexpr const char* kOddModes[] = {"RTTY", "cw", ""};
constexpr const char* kOddBands[] = {"6m", "20M", ""};
constexpr const char* kHostTexts[] = {"", "x", "y"};
constexpr const char* kProvinces[] = {"", "AN", "lg", "WV"};
constexpr unsigned kFrequencies[] = {0, 14'025'000, 14'025'999, 3'550'000};
// What the call check, the poll and the direct questions ask about.
constexpr const char* kQueryBands[] = {"160m", "80m", "40m", "20m", "15m", "10m", "6m", "20M", ""};
constexpr const char* kQueryValues[] = {"", "ON", "DL", "SY", "K", "AN", "LG", "ON4", "OT1", "F"};
constexpr double kBandFrequencies[] = {1'830'000,  3'550'000,  7'010'000, 14'025'000,
                                       21'050'000, 28'020'000, 50'100'000};

// One QSO as the host hands it over, owning its texts.
struct Qso {
  std::string call, mode, band, received, sent, callPrefix, dxcc, host10, host11, host30;
  COleDateTime time{0.0, COleDateTimeNull};
  unsigned frequencyHz = 0;

  stats::QsoArguments arguments() const {
    return {call, time,     frequencyHz, mode, host10, host11,
            sent, received, callPrefix,  dxcc, host30, band};
  }
};

// Mostly valid minutes over two days; null and invalid times, whose day count identity ignores;
// and a valid 0.0 or -0.0, which are the same time.
COleDateTime randomTime(Random& random) {
  const std::size_t roll = random.below(100);
  const auto minute = static_cast<double>(random.below(2880));
  if (roll < 80) return {45000.0 + minute / 1440, COleDateTimeValid};
  if (roll < 88) return {minute, COleDateTimeNull};
  if (roll < 94) return {minute, COleDateTimeInvalid};
  return {roll < 97 ? 0.0 : -0.0, COleDateTimeValid};
}

// The same QSO handed over again: a day count that identity ignores may differ.
Qso again(Qso qso, Random& random) {
  if (qso.time.m_status != COleDateTimeValid) {
    qso.time.m_dt = static_cast<double>(random.below(2880));
  } else if (qso.time.m_dt == 0.0) {
    qso.time.m_dt = random.percent(50) ? 0.0 : -0.0;
  }
  return qso;
}

Qso randomQso(Random& random) {
  Qso qso;
  if (!random.percent(3)) qso.call = random.pick(kCalls);
  const std::size_t mode = random.below(100);
  qso.mode = mode < 47 ? "CW" : mode < 94 ? "SSB" : random.pick(kOddModes);
  qso.band = random.percent(90) ? std::string(stats::kContestBands[random.below(6)])
                                : random.pick(kOddBands);
  qso.received = random.percent(2) ? "" : random.pick(kReceived);
  qso.sent = random.percent(2) ? "" : random.pick(kSerials);
  qso.callPrefix = random.pick(kCallPrefixes);
  qso.dxcc = random.pick(kDxccPrefixes);
  qso.host10 = random.pick(kHostTexts);
  qso.host11 = random.pick(kHostTexts);
  qso.host30 = random.pick(kHostTexts);
  qso.time = randomTime(random);
  qso.frequencyHz = kFrequencies[random.below(std::size(kFrequencies))];
  return qso;
}

std::string describe(const Qso& qso) {
  return "'" + qso.call + "' " + qso.band + " " + qso.mode + " rcvd '" + qso.received + "' sent '" +
         qso.sent + "' dxcc '" + qso.dxcc + "' prefix '" + qso.callPrefix + "' texts '" +
         qso.host10 + "' '" + qso.host11 + "' '" + qso.host30 + "' " +
         std::to_string(qso.frequencyHz) + " Hz, time " + std::to_string(qso.time.m_status) + "/" +
         std::to_string(qso.time.m_dt);
}

// Every field of a record, the day count bit for bit.
auto fields(const CInfo& record) {
  return std::tuple_cat(std::tie(record.call, record.country, record.hostText30, record.band,
                                 record.mode, record.hostText11, record.hostText10, record.rcvdExch,
                                 record.sentExch, record.province, record.euCountry,
                                 record.onPrefix, record.freqKHz, record.time.m_status),
                        std::tuple(std::bit_cast<uint64_t>(record.time.m_dt)));
}

std::string describe(const std::optional<CInfo>& record) {
  if (!record) return "none";
  return std::apply(
      [](const auto&... field) {
        std::string text;
        const auto append = [&text](const auto& value) {
          if constexpr (std::is_arithmetic_v<std::decay_t<decltype(value)>>) {
            text += std::to_string(value) + "|";
          } else {
            text += value + "|";
          }
        };
        (append(field), ...);
        return text;
      },
      fields(*record));
}

bool same(const CInfo& left, const CInfo& right) {
  return fields(left) == fields(right);
}
bool same(const std::optional<CInfo>& left, const std::optional<CInfo>& right) {
  return left.has_value() == right.has_value() && (!left || same(*left, *right));
}

std::string describe(const stats::BandTally& counts) {
  std::string text = std::to_string(counts.qsos);
  for (const int32_t count : counts.qsosByClass) text += " " + std::to_string(count);
  for (const int32_t count : counts.multipliers) text += " " + std::to_string(count);
  return text;
}

// A host that is running, tuned to one frequency, with one call being entered.
class FixedHost : public stats::HostLink {
 public:
  FixedHost(std::string call, double frequency) : call_(std::move(call)), frequency_(frequency) {}
  bool connect() override { return true; }
  std::optional<double> GetFrequency() override { return frequency_; }
  std::optional<std::string> GetCurrentCall(int32_t) override { return call_; }
  bool SendCommand(std::string_view) override { return true; }

 private:
  std::string call_;
  double frequency_;
};

// Windows that keep only the boxes the poll ticks.
class BoxOutputs : public stats_test::QuietPollOutputs {
 public:
  void setEuBoxes(const stats::EuBoxes& ticked) override { tick("eu", ticked); }
  void setProvinceBoxes(const stats::ProvinceBoxes& ticked) override { tick("province", ticked); }

  std::string boxes;

 private:
  void tick(const char* name, const auto& ticked) {
    boxes += name;
    for (const bool box : ticked) boxes += box ? '1' : '0';
  }
};

// One plug-in with fakes of its seams, over the store it was given.
struct Side {
  explicit Side(std::unique_ptr<QsoStore> store) {
    auto profileOwner = std::make_unique<stats_test::FakeProfile>();
    auto uiOwner = std::make_unique<stats_test::FakeUserInterface>();
    profile = profileOwner.get();
    ui = uiOwner.get();
    plugin =
        std::make_unique<stats::StatsPlugin>(std::move(profileOwner), std::move(uiOwner),
                                             stats::makePlatformFileReplace(), std::move(store));
    state = plugin->withState([](ContestState& contest) { return &contest; });
  }

  stats_test::FakeProfile* profile;
  stats_test::FakeUserInterface* ui;
  std::unique_ptr<stats::StatsPlugin> plugin;
  ContestState* state;  // single-threaded here: no live window takes the lock
};

class Differential {
 public:
  explicit Differential(uint64_t seed, bool trace = false)
      : seed_(seed), trace_(trace), random_(seed) {
    const std::string belgium = random_.percent(30) ? "1" : "0";
    const std::string province = random_.pick(kProvinces);
    forBoth([&](Side& side) {
      side.profile->values[std::string(stats::keys::kBelgium)] = belgium;
      side.profile->values[std::string(stats::keys::kProvince)] = province;
    });
    startContest();
  }

  // A mixed sequence; stops at the first mismatch.
  void run(int operations) {
    for (step_ = 0; step_ < operations && !testing::Test::HasFailure(); ++step_) {
      randomOperation();
      if (!testing::Test::HasFailure()) compare(3);
    }
  }

  // Rounds of adds, each followed by removals in random order down to `keep` records, until
  // `totalAdds` QSOs went in: the indexed store squeezes out its gaps whenever more than 4096 have
  // piled up since the last time. Compared every `interval` operations.
  void runLong(int totalAdds, int addsPerRound, std::size_t keep, int interval) {
    std::vector<Qso> present;
    int added = 0;
    for (int round = 0; added < totalAdds && !testing::Test::HasFailure(); ++round) {
      for (int add = 0; add < addsPerRound; ++add, ++added) {
        Qso qso = randomQso(random_);
        if (!stats::acceptableQso(qso.arguments())) continue;
        present.push_back(std::move(qso));
        addQso(present.back());
        checkpoint(interval);
      }
      // A settings change now and then: some removals then match only by call, mode and band.
      if (round % 4 == 3) setBelgianStation(random_.percent(50));
      while (indexed_.state->qsoLog->size() > keep && !present.empty() &&
             !testing::Test::HasFailure()) {
        const std::size_t index = random_.below(present.size());
        Qso qso = std::move(present[index]);
        present[index] = std::move(present.back());
        present.pop_back();
        if (random_.percent(10)) qso.time = randomTime(random_);
        removeQso(qso);
        checkpoint(interval);
      }
    }
    if (!testing::Test::HasFailure()) compare(200);
  }

 private:
  template <typename Work>
  void forBoth(Work work) {
    work(indexed_);
    work(model_);
  }

  std::string where() const {
    return "seed " + std::to_string(seed_) + ", operation " + std::to_string(step_) + ": " +
           operation_;
  }

  void begin(std::string operation) {
    operation_ = std::move(operation);
    if (trace_) std::printf("%d: %s\n", step_, operation_.c_str());
  }

  void checkpoint(int interval) {
    ++step_;
    if (step_ % interval == 0 && !testing::Test::HasFailure()) compare(30);
  }

  void randomOperation() {
    const std::size_t roll = random_.below(100);
    if (roll < 38 || history_.empty()) {
      history_.push_back(randomQso(random_));
      addQso(history_.back());
    } else if (roll < 44) {
      addQso(again(history_[random_.below(history_.size())], random_));
    } else if (roll < 54) {
      removeQso(again(history_[random_.below(history_.size())], random_));
    } else if (roll < 57) {
      removeQso(randomQso(random_));
    } else if (roll < 62) {
      Qso other = history_[random_.below(history_.size())];
      other.time = randomTime(random_);
      if (random_.percent(50)) other.received = random_.pick(kReceived);
      removeQso(other);
    } else if (roll < 74) {
      checkCall();
    } else if (roll < 82) {
      report();
    } else if (roll < 90) {
      poll();
    } else if (roll < 91) {
      startContest();
    } else if (roll < 96) {
      setBelgianStation(random_.percent(50));
    } else {
      setOwnProvince(random_.pick(kProvinces));
    }
  }

  void addQso(const Qso& qso) {
    begin("add " + describe(qso));
    EXPECT_EQ(indexed_.plugin->addData(qso.arguments()), model_.plugin->addData(qso.arguments()))
        << where();
  }

  void removeQso(const Qso& qso) {
    begin("remove " + describe(qso));
    EXPECT_EQ(indexed_.plugin->removeData(qso.arguments()),
              model_.plugin->removeData(qso.arguments()))
        << where();
  }

  // The check with the same arguments on both sides of the contest.
  void checkCall() {
    const std::string call = random_.percent(5) ? "" : random_.pick(kCalls);
    const std::optional<std::string> callPrefix =
        random_.percent(20) ? std::nullopt : std::optional(random_.pick(kCallPrefixes));
    const char* const dxccChoices[] = {nullptr, "", "ON", "DL", "SY", "K"};
    const char* dxcc = dxccChoices[random_.below(std::size(dxccChoices))];
    const std::optional<std::string> band =
        random_.percent(5) ? std::nullopt : std::optional(random_.pick(kQueryBands));
    const bool withOutput = random_.percent(50);
    begin("check " + call + " on " + band.value_or("(null)") + " dxcc " + (dxcc ? dxcc : "(null)") +
          " prefix " + callPrefix.value_or("(null)"));
    const int belgian = indexed_.state->belgianStation;
    for (const int side : {0, 1}) {
      std::string outputs[2];
      int results[2];
      int index = 0;
      forBoth([&](Side& one) {
        one.state->belgianStation = side;
        char buffer[50];
        std::memset(buffer, '#', sizeof buffer - 1);
        buffer[sizeof buffer - 1] = '\0';
        stats::CallCheckArguments arguments;
        arguments.call = call;
        arguments.callPrefix = callPrefix ? callPrefix->c_str() : nullptr;
        arguments.dxccPrefix = dxcc;
        arguments.band = band ? band->c_str() : nullptr;
        arguments.outputText = withOutput ? buffer : nullptr;
        results[index] = one.plugin->checkCall(arguments);
        outputs[index++].assign(buffer, sizeof buffer);
        one.state->belgianStation = belgian;
      });
      EXPECT_EQ(results[0], results[1]) << "Belgian side " << side << ", " << where();
      EXPECT_EQ(outputs[0], outputs[1]) << "Belgian side " << side << ", " << where();
    }
  }

  // The report; in an export run also the Cabrillo file, which reloads the Belgian flag.
  void report() {
    begin("report");
    std::string texts[2], files[2], messages[2];
    int index = 0;
    forBoth([&](Side& side) {
      side.ui->messages.clear();
      texts[index] = side.plugin->getResult(nullptr);
      files[index] = stats_test::readBytes("OT1ST_P.cbr").value_or("(no file)");
      messages[index++] = side.ui->messages.empty() ? "" : side.ui->messages.back();
      std::remove("OT1ST_P.cbr");
    });
    EXPECT_EQ(texts[0], texts[1]) << where();
    EXPECT_EQ(files[0], files[1]) << where();
    EXPECT_EQ(messages[0], messages[1]) << where();
    EXPECT_EQ(indexed_.state->claimedScore, model_.state->claimedScore) << where();
  }

  void poll() {
    const std::string call = random_.percent(10) ? "" : random_.pick(kCalls);
    const double frequency = kBandFrequencies[random_.below(std::size(kBandFrequencies))];
    begin("poll " + call + " at " + std::to_string(frequency));
    std::string shown[2];
    int index = 0;
    forBoth([&](Side& side) {
      stats::PollState pollState;
      FixedHost host(call, frequency);
      BoxOutputs outputs;
      std::mutex mutex;
      stats::runPoll(pollState, host, outputs, {mutex, *side.state});
      for (const stats::TextList& row : side.state->panelRows) {
        for (const std::string& entry : row) shown[index] += entry + "|";
      }
      shown[index++] += outputs.boxes;
    });
    EXPECT_EQ(shown[0], shown[1]) << where();
  }

  void startContest() {
    const int exportRequest = random_.percent(30) ? 1 : 0;
    const std::string ownDxcc = random_.percent(30) ? "ON" : "DL";
    begin("contest start, export " + std::to_string(exportRequest) + ", own " + ownDxcc);
    forBoth([&](Side& side) { side.plugin->resetStats(exportRequest, kOwnCall, ownDxcc); });
    history_.clear();
  }

  void setBelgianStation(bool belgian) {
    begin(std::string("Belgian station ") + (belgian ? "1" : "0"));
    forBoth([&](Side& side) { side.state->belgianStation = belgian ? 1 : 0; });
  }

  // As the setup dialog leaves it when closed: the settings file's value is read.
  void setOwnProvince(const std::string& province) {
    begin("own province " + province);
    forBoth([&](Side& side) {
      side.profile->values[std::string(stats::keys::kProvince)] = province;
      side.plugin->setup();
    });
  }

  // The log, the band list, the per-band lists, and `queries` random questions to the stores.
  void compare(int queries) {
    const ContestState& a = *indexed_.state;
    const ContestState& b = *model_.state;
    ASSERT_EQ(a.qsoLog->size(), b.qsoLog->size()) << where();
    const std::vector<CInfo> records = stats_model::allRecords(*a.qsoLog),
                             modelRecords = stats_model::allRecords(*b.qsoLog);
    ASSERT_EQ(records.size(), modelRecords.size()) << where();
    for (std::size_t index = 0; index < records.size(); ++index) {
      ASSERT_TRUE(same(records[index], modelRecords[index]))
          << "record " << index << ": " << describe(records[index]) << " vs "
          << describe(modelRecords[index]) << ", " << where();
    }
    EXPECT_EQ(a.bandList, b.bandList) << where();
    EXPECT_EQ(a.dxccByBand, b.dxccByBand) << where();
    EXPECT_EQ(a.provinceByBand, b.provinceByBand) << where();
    EXPECT_EQ(a.euByBand, b.euByBand) << where();
    for (int query = 0; query < queries; ++query) {
      std::string call = random_.percent(3) ? "" : random_.pick(kCalls);
      if (random_.percent(10)) call += "9";  // never logged
      const std::string band = random_.pick(kQueryBands);
      const std::string value = random_.pick(kQueryValues);
      const auto kind = static_cast<MultiplierKind>(random_.below(stats::kMultiplierKindCount));
      const std::string asked = " (" + call + ", " + band + ", " + value + "), " + where();
      EXPECT_EQ(a.qsoLog->hasCallOnBand(call, band), b.qsoLog->hasCallOnBand(call, band)) << asked;
      const auto last = a.qsoLog->lastWithCallOnBand(call, band);
      const auto modelLast = b.qsoLog->lastWithCallOnBand(call, band);
      EXPECT_TRUE(same(last, modelLast))
          << describe(last) << " vs " << describe(modelLast) << asked;
      EXPECT_EQ(a.qsoLog->workedOnBand(band, kind, value),
                b.qsoLog->workedOnBand(band, kind, value))
          << asked;
      EXPECT_EQ(describe(a.qsoLog->tally(band)), describe(b.qsoLog->tally(band))) << asked;
      EXPECT_EQ(a.qsoLog->multiplierValues(band, kind), b.qsoLog->multiplierValues(band, kind))
          << asked;
    }
  }

  uint64_t seed_;
  bool trace_;
  Random random_;
  Side indexed_{stats::makeIndexedQsoStore()};
  Side model_{stats_model::makeLinearQsoStore()};
  std::vector<Qso> history_;  // the QSOs added since the contest start, for re-adds and removals
  int step_ = 0;
  std::string operation_ = "setup";
};

uint64_t environmentNumber(const char* name, uint64_t fallback) {
  const char* text = std::getenv(name);
  return text && *text ? std::strtoull(text, nullptr, 10) : fallback;
}

class StoreDifferential : public testing::Test {
 protected:
  stats_test::ScratchFolder scratch;  // the current directory, where exports write their files
};

TEST_F(StoreDifferential, RandomOperationSequencesAgree) {
  if (std::getenv("STATS_DIFFERENTIAL_SEED") != nullptr) {
    Differential(environmentNumber("STATS_DIFFERENTIAL_SEED", 0), true).run(kOperationsPerSeed);
    return;
  }
  const uint64_t seeds = environmentNumber("STATS_DIFFERENTIAL_SEEDS", kDefaultSeeds);
  for (uint64_t seed = 1; seed <= seeds && !HasFailure(); ++seed) {
    Differential(seed).run(kOperationsPerSeed);
  }
}

TEST_F(StoreDifferential, ThousandsOfRemovalsSqueezeTheGaps) {
  Differential(environmentNumber("STATS_DIFFERENTIAL_SEED", 7)).runLong(15'000, 400, 50, 1000);
}

}  // namespace
