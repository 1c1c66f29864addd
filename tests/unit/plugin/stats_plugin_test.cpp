#include "core/plugin/stats_plugin.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <future>
#include <map>
#include <string>
#include <utility>

#include "tests/support/fakes.h"
#include "tests/support/qso_fixtures.h"
#include "tests/support/scratch_folder.h"

namespace {

using stats_test::FakeProfile;
using stats_test::FakeUserInterface;
using Writes = std::vector<std::pair<std::string, std::string>>;

// Stands in for the host's timers, which the message's loop runs: `onOutput` runs once, from
// inside the next message shown.
class ReenteringUserInterface : public FakeUserInterface {
 public:
  void showOutputMessage(const std::string& text) override {
    FakeUserInterface::showOutputMessage(text);
    if (onOutput) std::exchange(onOutput, nullptr)();
  }
  std::function<void()> onOutput;
};

// Each test runs in a scratch current directory, where exports write their Cabrillo files.
class StatsPlugin : public testing::Test {
 protected:
  StatsPlugin() {
    auto profileOwner = std::make_unique<FakeProfile>();
    auto uiOwner = std::make_unique<ReenteringUserInterface>();
    profile = profileOwner.get();
    ui = uiOwner.get();
    plugin = std::make_unique<stats::StatsPlugin>(std::move(profileOwner), std::move(uiOwner),
                                                  stats::makePlatformFileReplace());
  }

  // True when another thread can take the state lock within a second.
  bool lockIsFree() {
    auto attempt = std::async(std::launch::async, [this] {
      return plugin->withState([](stats::ContestState&) { return true; });
    });
    return attempt.wait_for(std::chrono::seconds(1)) == std::future_status::ready;
  }

  stats_test::ScratchFolder scratch;
  FakeProfile* profile;
  ReenteringUserInterface* ui;
  std::unique_ptr<stats::StatsPlugin> plugin;
};

TEST_F(StatsPlugin, ContestStartLabelsPanelRowsAndOnlyOnMakesTheStationBelgian) {
  plugin->resetStats(0, "K1AA", "on");
  plugin->withState([](stats::ContestState& state) {
    EXPECT_EQ(state.belgianStation, 0);
    EXPECT_EQ(state.panelRows[0], (stats::TextList{"160m", "-", "-", "-", "-"}));
    EXPECT_EQ(state.panelRows[5][0], "10m");
    EXPECT_TRUE(state.bandList.empty());
  });
  EXPECT_TRUE(profile->writes.empty());

  plugin->resetStats(0, "ON4AA", "ON");
  plugin->resetStats(0, "ON4AA", "DL");
  plugin->withState([](stats::ContestState& state) { EXPECT_EQ(state.belgianStation, 1); });
  EXPECT_EQ(profile->writes, (Writes{{"BELGIUM", "1"}}));
}

TEST_F(StatsPlugin, StartKeyAlternatesLiveWindowStarts) {
  profile->values = {{"Multiplier", "1"}, {"Start", "0"}};
  plugin->resetStats(0, "K1AA", "K");
  EXPECT_EQ(ui->starts, 1);
  EXPECT_EQ(profile->values["Start"], "1");

  ui->liveWindow = false;  // closed by the operator
  plugin->resetStats(0, "K1AA", "K");
  EXPECT_EQ(ui->starts, 1);
  EXPECT_EQ(profile->values["Start"], "0");

  ui->liveWindow = true;  // still running: nothing is started and "Start" stays
  plugin->resetStats(0, "K1AA", "K");
  EXPECT_EQ(ui->starts, 1);
  EXPECT_EQ(profile->values["Start"], "0");
}

TEST_F(StatsPlugin, ExportRequestRunsHeaderDialogWithoutTheLockAndNeverStartsTheWindow) {
  profile->values = {{"Multiplier", "1"}, {"Start", "0"}, {"Mode", "CW"}};
  bool freeDuringDialog = false;
  ui->onCabrillo = [&](stats::CabrilloState& header) {
    freeDuringDialog = lockIsFree();
    header.name = "Typed";
    return true;
  };
  plugin->resetStats(1, "DL1AA/P", "DL");
  EXPECT_TRUE(freeDuringDialog);
  EXPECT_EQ(ui->cabrilloShown.ownCall, "DL1AA/P");
  EXPECT_EQ(ui->starts, 0);
  EXPECT_EQ(profile->values["Name"], "Typed");
  EXPECT_EQ(profile->values["Start"], "0");  // set to 1 by the export, back to 0 by the alternation
  plugin->withState([](stats::ContestState& state) {
    EXPECT_EQ(state.cwMode, 1);
    EXPECT_EQ(state.cabrilloExport, 1);
    EXPECT_EQ(state.ownMode, "CW");
  });
}

TEST_F(StatsPlugin, SetupWritesOnlyWhenConfirmed) {
  profile->values = {{"Multiplier", "1"}, {"Province", "AN"}, {"Mode", "SSB"}};
  plugin->setup();
  EXPECT_EQ(ui->setupShown.useMultiplierWindow, 1);
  EXPECT_EQ(ui->setupShown.province, "AN");
  EXPECT_TRUE(profile->writes.empty());

  bool freeDuringDialog = false;
  ui->onSetup = [&](stats::SetupValues& values) {
    freeDuringDialog = lockIsFree();
    values = {0, "lg", "CW"};
    return true;
  };
  plugin->setup();
  EXPECT_TRUE(freeDuringDialog);
  EXPECT_EQ(profile->writes, (Writes{{"Multiplier", "0"}, {"Province", "lg"}, {"Mode", "CW"}}));
  plugin->withState([](stats::ContestState& state) {
    EXPECT_EQ(state.ownProvince, "lg");
    EXPECT_EQ(state.multiplierWindowOn, 0);
  });
}

TEST_F(StatsPlugin, CheckCallArmsThePollOnlyPastTheBandTest) {
  stats::CallCheckArguments arguments;
  arguments.call = "K1AA";
  arguments.band = "20m";
  arguments.secondBand = "40m";
  EXPECT_EQ(plugin->checkCall(arguments), stats::kBandsDiffer);
  ui->liveWindow = true;
  EXPECT_EQ(plugin->checkCall(arguments), stats::kBandsDiffer);
  EXPECT_TRUE(ui->armings.empty());
  arguments.secondBand = "20M";
  EXPECT_EQ(plugin->checkCall(arguments), stats::kNotNew);
  EXPECT_EQ(ui->armings, (std::vector<unsigned>{330}));
}

TEST_F(StatsPlugin, ResultWritesClaimedAndExportShowsTheMessageWithoutTheLock) {
  const char* report = plugin->getResult(nullptr);
  EXPECT_NE(std::string(report).find("Score: 0*(0 + 0 + 0) = 0"), std::string::npos);
  EXPECT_EQ(profile->writes, (Writes{{"Claimed", "0"}}));
  EXPECT_TRUE(ui->messages.empty());

  plugin->resetStats(1, "", "K");
  int exportDone = 7;
  plugin->getResult(&exportDone);
  EXPECT_EQ(exportDone, -1);
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0].rfind("File", 0), 0u);
  EXPECT_NE(ui->messages[0].find("NOCALL.cbr"), std::string::npos);
  EXPECT_NE(scratch.readFile("NOCALL.cbr"), "");
}

// Each export writes the log as it stands: its QSO lines are not carried into the next file.
TEST_F(StatsPlugin, EveryExportWritesEachQsoOnce) {
  plugin->resetStats(1, "K1AA", "K");
  stats::QsoArguments qso = stats_test::cwQso("DL1AA", "DL", "20m");
  ASSERT_EQ(plugin->addData(qso), 1);
  auto qsoLinesInFile = [this] {
    const std::string file = scratch.readFile("K1AA.cbr");
    size_t count = 0;
    for (size_t at = file.find("\r\nQSO: "); at != std::string::npos;
         at = file.find("\r\nQSO: ", at + 1)) {
      ++count;
    }
    return count;
  };
  for (int round = 0; round < 2; ++round) {
    plugin->getResult(nullptr);
    EXPECT_EQ(qsoLinesInFile(), 1u) << "export " << round + 1;
  }
  qso.call = "DL2BB";
  ASSERT_EQ(plugin->addData(qso), 1);
  plugin->getResult(nullptr);
  EXPECT_EQ(qsoLinesInFile(), 2u);
}

// The host may call again while the export's message is up. The outer call still returns its own
// report, readable after it returns, although the inner call logged a QSO on a new band and rebuilt
// the report (a longer text).
TEST_F(StatsPlugin, ResultCalledAgainFromItsMessageReturnsEachCallsOwnReport) {
  plugin->resetStats(1, "K1AA", "K");
  stats::QsoArguments qso = stats_test::cwQso("DL1AA", "DL", "20m");
  ASSERT_EQ(plugin->addData(qso), 1);
  std::string inner;
  ui->onOutput = [&] {
    for (const char* band : {"160m", "80m", "40m", "15m", "10m"}) {
      qso.band = band;
      ASSERT_EQ(plugin->addData(qso), 1);
    }
    inner = plugin->getResult(nullptr);
  };
  const char* outer = plugin->getResult(nullptr);
  EXPECT_NE(inner.find("\r\nTotal\t 6\t"), std::string::npos) << inner;
  EXPECT_NE(std::string(outer).find("\r\nTotal\t 1\t"), std::string::npos) << outer;
  EXPECT_EQ(ui->messages.size(), 2u);  // the nested call showed its own message too
}

// The file's category line follows "BELGIUM" as the settings file holds it at the export, not
// the side the contest start found: a stale "1" left by an earlier Belgian run makes a foreign
// station Belgian there, and a Belgian station whose "1" was never stored is foreign there.
TEST_F(StatsPlugin, ExportTakesTheBelgianSideFromTheSettingsFile) {
  class RefusingProfile : public FakeProfile {
   public:
    bool write(std::string_view section, std::string_view key, std::string_view value) override {
      return key != refusedKey && FakeProfile::write(section, key, value);
    }
    std::string refusedKey;
  };
  const struct {
    std::string_view ownDxccPrefix;
    std::map<std::string, std::string> stored;
    std::string refusedKey;
    std::string_view categoryLine;
  } cases[] = {
      {"DL", {{"BELGIUM", "1"}}, "", "SINGLE OPERATOR ALL BANDS HIGH POWER NONE\r\n"},
      {"ON", {}, "BELGIUM", "SINGLE OPERATOR ALL BANDS HIGH POWER\r\n"},
  };
  for (const auto& example : cases) {
    auto settings = std::make_unique<RefusingProfile>();
    settings->values = example.stored;
    settings->refusedKey = example.refusedKey;
    stats::StatsPlugin exporter(std::move(settings), std::make_unique<FakeUserInterface>(),
                                stats::makePlatformFileReplace());
    exporter.resetStats(1, "K1AA", example.ownDxccPrefix);
    exporter.getResult(nullptr);
    EXPECT_NE(scratch.readFile("K1AA.cbr")
                  .find("\r\nCATEGORY-OPERATOR: " + std::string(example.categoryLine)),
              std::string::npos)
        << "own prefix " << example.ownDxccPrefix;
  }
}

TEST_F(StatsPlugin, ShutdownStopsTheLiveWindow) {
  plugin->shutdown();
  EXPECT_EQ(ui->stops, 1);
}

}  // namespace
