#include "core/report/score_report.h"

#include <gtest/gtest.h>

#include "tests/support/qso_fixtures.h"

namespace {

using stats::ContestState;
using stats_test::logQso;

TEST(ScoreReport, BelgianStationExample) {
  ContestState state;
  state.belgianStation = 1;
  logQso(state, "DL1AA", "DL", "40m");
  logQso(state, "ON4AA", "ON", "80m");
  logQso(state, "DL2BB", "DL", "80m");
  logQso(state, "DL3CC", "DL", "80m");
  logQso(state, "K1AA", "K", "80m");
  stats::buildScoreReport(state);
  EXPECT_EQ(state.reportText,
            "\t    ZRV Contest \r\n\tQSOs\tPoints\tDXCC\r\n"
            "80m\t 4\t 8\t 3\r\n"
            "40m\t 1\t 2\t 1\r\n"
            "Total\t 5\t 10\t 4\r\n"
            "\r\nScore: 10*4 = 40\r\n");
  EXPECT_EQ(state.claimedScore, 40);
  EXPECT_EQ(state.bandList, (stats::BandList{"80m", "40m"}));
  EXPECT_EQ(state.dxccByBand[1], (stats::TextList{"DL", "K", "ON"}));
  EXPECT_EQ(state.dxccByBand[2], (stats::TextList{"DL"}));
  EXPECT_TRUE(state.euByBand[1].empty());
}

TEST(ScoreReport, ForeignStationCountsProvincesPrefixesAndEuropeanUnion) {
  ContestState state;
  logQso(state, "ON4AA", "ON", "20m", "12AN", "ON4");
  logQso(state, "F1AA", "F", "20m");
  logQso(state, "K1AA", "K", "20m");
  logQso(state, "OT5BB", "ON", "15m", "5 LG", "OT5");
  logQso(state, "F2BB", "F", "15m");
  logQso(state, "ON4CC", "ON", "15m", "7 lg", "ON4");
  stats::buildScoreReport(state);
  EXPECT_EQ(state.reportText,
            "\t\t\tZRV Contest \r\n\tQSOs\tPoints\tON Province ON Prefix EuroUnion\r\n"
            "20m\t 3\t 14\t    1\t\t 1\t 1\r\n"
            "15m\t 3\t 23\t    1\t\t 2\t 1\r\n"
            "Total\t 6\t 37\t    2\t\t 3\t 2\r\n"
            "\r\nScore: 37*(2 + 3 + 2) = 259\r\n");
  EXPECT_EQ(state.claimedScore, 259);
  EXPECT_EQ(state.provinceByBand[4], (stats::TextList{"LG"}));
  EXPECT_EQ(state.euByBand[3], (stats::TextList{"F"}));
  EXPECT_TRUE(state.dxccByBand[3].empty());
}

TEST(ScoreReport, EmptyLogGivesZeroTotals) {
  ContestState state;
  stats::buildScoreReport(state);
  EXPECT_EQ(state.reportText,
            "\t\t\tZRV Contest \r\n\tQSOs\tPoints\tON Province ON Prefix EuroUnion\r\n"
            "Total\t 0\t 0\t    0\t\t 0\t 0\r\n\r\nScore: 0*(0 + 0 + 0) = 0\r\n");
}

TEST(ScoreReport, SortsBandsAsTextWithOtherBandsLast) {
  stats::BandList bands{"6m", "10m", "40m", "160m", "20m", "2m", "80m", "15m"};
  stats::sortBandList(bands);
  EXPECT_EQ(bands, (stats::BandList{"160m", "80m", "40m", "20m", "15m", "10m", "6m", "2m"}));
}

TEST(ScoreReport, RecordsOutsideBandRowsStillCountInTotals) {
  ContestState state;
  state.belgianStation = 1;
  logQso(state, "", "K", "20m");      // no call: in no band row, but in the total QSO count
  logQso(state, "VE1A", "VE", "6m");  // a band outside the contest table: its own row, no lists
  logQso(state, "W1A", "K", "20m");
  stats::buildScoreReport(state);
  EXPECT_EQ(state.reportText,
            "\t    ZRV Contest \r\n\tQSOs\tPoints\tDXCC\r\n"
            "20m\t 1\t 3\t 1\r\n"
            "6m\t 1\t 3\t 1\r\n"
            "Total\t 3\t 6\t 2\r\n"
            "\r\nScore: 6*2 = 12\r\n");
  EXPECT_EQ(state.dxccByBand[3], (stats::TextList{"K"}));
}

TEST(ScoreReport, ListsOfBandsNotMetAreKept) {
  ContestState state;
  state.belgianStation = 1;
  state.dxccByBand[0] = {"OLD"};
  logQso(state, "W1A", "K", "20m");
  stats::buildScoreReport(state);
  EXPECT_EQ(state.dxccByBand[0], (stats::TextList{"OLD"}));
}

TEST(ScoreReport, ClaimedScoreWrapsLikeThirtyTwoBitIntegers) {
  ContestState state;
  // 15,000 Belgian QSOs with distinct prefixes: 150,000 points times 15,001 multipliers.
  for (int i = 0; i < 15000; ++i) {
    const std::string call = "OT" + std::to_string(i);
    logQso(state, call, "ON", "20m", "1AN", call);
  }
  stats::buildScoreReport(state);
  EXPECT_EQ(state.claimedScore, -2044817296);
  EXPECT_NE(state.reportText.find("Score: 150000*(1 + 15000 + 0) = -2044817296\r\n"),
            std::string::npos);
}

}  // namespace
