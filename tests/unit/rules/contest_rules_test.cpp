// The contest's rules as data: a slip in a list or a table shows here.
#include "core/rules/contest_rules.h"

#include <gtest/gtest.h>

#include <string>

#include "core/report/score_report.h"
#include "tests/support/qso_fixtures.h"

namespace {

using stats::MultiplierKind;
using stats::StationClass;

TEST(ContestRules, EveryEuropeanUnionEntityIsRecognisedAndNoNearMiss) {
  for (const char* prefix :
       {"5B", "9H", "CT", "CT3", "CU", "DL",  "EA",  "EA6", "EA8", "EI", "ES", "F",
        "FG", "FY", "FM", "FR",  "G",  "GD",  "GI",  "GJ",  "GM",  "GU", "GW", "HA",
        "I",  "IS", "LX", "LY",  "LZ", "OE",  "OH",  "OH0", "OJ0", "OK", "OM", "OZ",
        "PA", "S5", "SM", "SP",  "SV", "SV5", "SV9", "SY",  "TK",  "YL", "YO", "9A"}) {
    EXPECT_TRUE(stats::isEuropeanUnion(prefix)) << prefix;
    EXPECT_EQ(stats::classifyStation(prefix), StationClass::europeanUnion) << prefix;
  }
  for (const char* nearMiss : {"ON", "", "EA9", "CT7", "FO", "oh0", "dl", "DL ", " DL", "D", "OH00",
                               "SV2", "GB", "9A1", "5B4"}) {
    EXPECT_FALSE(stats::isEuropeanUnion(nearMiss)) << '"' << nearMiss << '"';
  }
  EXPECT_EQ(stats::classifyStation("ON"), StationClass::belgian);
  EXPECT_EQ(stats::classifyStation("on"), StationClass::other);
  EXPECT_EQ(stats::classifyStation("K"), StationClass::other);
}

TEST(ContestRules, PointsOfEachSideForEachClass) {
  struct Case {
    bool belgianStation;
    StationClass worked;
    int32_t points;
  };
  for (const Case& c :
       {Case{true, StationClass::belgian, 1}, Case{true, StationClass::europeanUnion, 2},
        Case{true, StationClass::other, 3}, Case{false, StationClass::belgian, 10},
        Case{false, StationClass::europeanUnion, 3}, Case{false, StationClass::other, 1}}) {
    EXPECT_EQ(stats::qsoPoints(c.belgianStation, c.worked), c.points)
        << c.belgianStation << " " << static_cast<int>(c.worked);
  }
}

TEST(ContestRules, MultipliersOfEachSide) {
  EXPECT_EQ(std::vector<MultiplierKind>(stats::countedMultipliers(true).begin(),
                                        stats::countedMultipliers(true).end()),
            std::vector<MultiplierKind>{MultiplierKind::dxcc});
  EXPECT_EQ(std::vector<MultiplierKind>(stats::countedMultipliers(false).begin(),
                                        stats::countedMultipliers(false).end()),
            (std::vector<MultiplierKind>{MultiplierKind::province, MultiplierKind::onPrefix,
                                         MultiplierKind::euCountry}));
  EXPECT_EQ(stats::multiplierOfCall(MultiplierKind::onPrefix, "ON", "ON4"), "ON4");
  EXPECT_EQ(stats::multiplierOfCall(MultiplierKind::onPrefix, "DL", "DL1"), std::nullopt);
  EXPECT_EQ(stats::multiplierOfCall(MultiplierKind::euCountry, "DL", "DL1"), "DL");
  EXPECT_EQ(stats::multiplierOfCall(MultiplierKind::euCountry, "K", "K1"), std::nullopt);
  EXPECT_EQ(stats::multiplierOfCall(MultiplierKind::province, "ON", "ON4"), std::nullopt);
}

// Each contest band, the last (10m) too, has its own per-band multiplier lists, and a band
// outside the six has none.
TEST(ContestRules, EveryContestBandReachesItsPerBandLists) {
  ASSERT_EQ(stats::kContestBands.size(), 6u);
  EXPECT_EQ(stats::kContestBands.back(), "10m");
  for (bool belgian : {false, true}) {
    stats::ContestState state;
    state.belgianStation = belgian ? 1 : 0;
    for (const auto band : stats::kContestBands) {
      stats_test::logQso(state, "DL" + std::string(band), "DL", band);
    }
    stats_test::logQso(state, "DL6M", "DL", "6m");
    stats::buildScoreReport(state);
    for (size_t index = 0; index < stats::kContestBands.size(); ++index) {
      EXPECT_EQ(stats::contestBandIndex(stats::kContestBands[index]), index);
      const auto& lists = belgian ? state.dxccByBand : state.euByBand;
      EXPECT_EQ(lists[index], std::vector<std::string>{"DL"})
          << stats::kContestBands[index] << (belgian ? " Belgian" : " foreign");
    }
    EXPECT_EQ(stats::contestBandIndex("6m"), std::nullopt);
  }
}

}  // namespace
