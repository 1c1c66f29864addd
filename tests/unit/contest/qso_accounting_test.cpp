#include "core/contest/qso_accounting.h"

#include <gtest/gtest.h>

#include "core/rules/contest_rules.h"
#include "tests/model/linear_qso_store.h"

namespace {

using stats::ContestState;
using stats::QsoArguments;

QsoArguments qso(std::string_view call, std::string_view received, std::string_view dxcc,
                 std::string_view band = "20m", std::string_view mode = "CW",
                 std::string_view sent = "001") {
  QsoArguments arguments;
  arguments.call = call;
  arguments.qsoTime = COleDateTime{46000.5, COleDateTimeValid};
  arguments.frequencyHz = 14025600;
  arguments.mode = mode;
  arguments.sentSerial = sent;
  arguments.receivedExchange = received;
  arguments.callPrefix = call.substr(0, 3);
  arguments.dxccPrefix = dxcc;
  arguments.band = band;
  return arguments;
}

stats::CInfo onlyRecord(const ContestState& state) {
  EXPECT_EQ(state.qsoLog->size(), 1u);
  return stats_model::allRecords(*state.qsoLog).front();
}

TEST(QsoAccounting, RefusesOtherModesAndEmptyExchanges) {
  ContestState state;
  for (std::string_view mode : {"PH", "cw", "", "SSB "}) {
    EXPECT_EQ(stats::addQso(state, qso("DL1AA", "5", "DL", "20m", mode)), 0) << mode;
    EXPECT_EQ(stats::removeQso(state, qso("DL1AA", "5", "DL", "20m", mode)), 0) << mode;
  }
  EXPECT_EQ(stats::addQso(state, qso("DL1AA", "", "DL")), 0);
  EXPECT_EQ(stats::addQso(state, qso("DL1AA", "5", "DL", "20m", "SSB", "")), 0);
  EXPECT_EQ(state.qsoLog->size(), 0u);
  EXPECT_TRUE(state.bandList.empty());
}

TEST(QsoAccounting, NormalisesReceivedExchanges) {
  struct Case {
    std::string_view received, dxcc, stored, province;
  };
  const Case cases[] = {
      {"5", "DL", "0005 --", ""},
      {"12", "K", "0012 --", ""},
      {"123", "DL", "0123 --", ""},
      {"12345", "K", "12345 --", ""},
      {"AN", "ON", "AN", ""},
      {"12an", "ON", "0012 an", "AN"},
      {"5 LG", "ON", "0005 LG", "LG"},
      {"1AN", "ON", "0001 AN", "AN"},
      {"1234AN", "ON", "1234 AN", "AN"},
      {"12 AN", "ON", "0012 AN", "AN"},
      {"123 AN", "ON", "0123 AN", "AN"},
      {"1234 AN", "ON", "1234 AN", "AN"},
      {"123456LG", "ON", "123456LG", "LG"},
      {"12AN", "DL", "12AN", ""},
      {"A", "ON", "000A --", ""},
      {"12A", "ON", "012A --", ""},
  };
  for (const Case& example : cases) {
    ContestState state;
    ASSERT_EQ(stats::addQso(state, qso("ON4XX", example.received, example.dxcc)), 1);
    const stats::CInfo& record = onlyRecord(state);
    EXPECT_EQ(record.rcvdExch, example.stored) << example.received;
    EXPECT_EQ(record.province, example.province) << example.received;
    EXPECT_EQ(record.onPrefix, example.province.empty() ? "" : "ON4") << example.received;
  }
}

TEST(QsoAccounting, BuildsSentExchangeFromSerialAndOwnSide) {
  EXPECT_EQ(stats::sentExchange("007", false, "AN"), "0007 --");
  EXPECT_EQ(stats::sentExchange("1234", false, "AN"), "1234 --");
  EXPECT_EQ(stats::sentExchange("7", false, ""), "7 --");
  EXPECT_EQ(stats::sentExchange("012", true, "LG"), "0012 LG");
  EXPECT_EQ(stats::sentExchange("12", true, ""), "12 ");
}

TEST(QsoAccounting, TagsEuropeanUnionOnlyForForeignOwnStation) {
  ContestState foreign;
  stats::addQso(foreign, qso("DL1AA", "123", "DL"));
  EXPECT_EQ(onlyRecord(foreign).euCountry, "DL");
  EXPECT_EQ(onlyRecord(foreign).rcvdExch, "0123 --");
  EXPECT_EQ(onlyRecord(foreign).freqKHz, 14025);

  ContestState belgian;
  belgian.belgianStation = 1;
  stats::addQso(belgian, qso("DL1AA", "123", "DL"));
  EXPECT_EQ(onlyRecord(belgian).euCountry, "");
  stats::addQso(belgian, qso("ON4AA", "12AN", "ON"));
  EXPECT_EQ(stats_model::allRecords(*belgian.qsoLog)[1].province, "AN");
}

TEST(QsoAccounting, StoresIdenticalQsoOnceButListsItsBand) {
  ContestState state;
  EXPECT_EQ(stats::addQso(state, qso("DL1AA", "5", "DL")), 1);
  EXPECT_EQ(stats::addQso(state, qso("DL1AA", "5", "DL")), 1);
  EXPECT_EQ(state.qsoLog->size(), 1u);

  QsoArguments later = qso("DL1AA", "5", "DL");
  later.qsoTime.m_dt += 0.01;
  stats::addQso(state, later);
  EXPECT_EQ(state.qsoLog->size(), 2u);

  state.qsoLog->clear();
  stats::addQso(state, qso("DL1AA", "5", "DL", "40m"));
  state.bandList.clear();
  stats::addQso(state, qso("DL1AA", "5", "DL", "40m"));
  EXPECT_EQ(state.bandList, stats::BandList{"40m"});
  EXPECT_EQ(state.qsoLog->size(), 1u);
}

TEST(QsoAccounting, RemovesTheDeletedQsoOrElseTheFirstWithCallModeAndBand) {
  ContestState state;
  QsoArguments first = qso("DL1AA", "5", "DL");
  QsoArguments second = qso("DL1AA", "9", "DL");
  stats::addQso(state, first);
  stats::addQso(state, second);
  stats::addQso(state, qso("DL1AA", "7", "DL", "40m"));

  // Deleting the second QSO removes that one, not the earlier one with the same call.
  EXPECT_EQ(stats::removeQso(state, second), 1);
  ASSERT_EQ(state.qsoLog->size(), 2u);
  EXPECT_EQ(stats_model::allRecords(*state.qsoLog)[0].rcvdExch, "0005 --");

  // With no identical record, the first of the same call, mode and band goes.
  stats::addQso(state, second);
  EXPECT_EQ(stats::removeQso(state, qso("DL1AA", "77", "DL")), 1);
  ASSERT_EQ(state.qsoLog->size(), 2u);
  EXPECT_EQ(stats_model::allRecords(*state.qsoLog)[0].band, "40m");
  EXPECT_EQ(stats_model::allRecords(*state.qsoLog)[1].rcvdExch, "0009 --");

  // Case matters, and an unknown QSO changes nothing; the band stays listed.
  EXPECT_EQ(stats::removeQso(state, qso("dl1aa", "9", "DL")), 1);
  EXPECT_EQ(stats::removeQso(state, qso("DL1AA", "9", "DL", "20m", "SSB")), 1);
  EXPECT_EQ(state.qsoLog->size(), 2u);
  stats::removeQso(state, qso("DL1AA", "7", "DL", "40m"));
  stats::removeQso(state, second);
  EXPECT_EQ(state.qsoLog->size(), 0u);
  EXPECT_EQ(state.bandList, (stats::BandList{"20m", "40m"}));
}

}  // namespace
