// The cross-check's verdicts on a small contest: each row is one QSO line of one log and the
// verdict it must get.
#include "tools/zrv-score/cross_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "tools/zrv-score/check_policy.h"

namespace {

using zrv_score::Outcome;

struct Row {
  const char* log;     // whose log the line is in
  const char* call;    // the call logged
  int minute;          // after 12:00 on the log's own clock
  const char* sent;    // serial, then province or ""
  const char* copied;  // serial and province received
  Outcome outcome;
  const char* detail = "";
  int frequencyKHz = 14025;
  bool xQso = false;
};

zrv_score::SubmittedExchange exchange(const std::string& text) {
  const std::size_t blank = text.find(' ');
  if (blank == std::string::npos) return {text, ""};
  return {text.substr(0, blank), text.substr(blank + 1)};
}

// DL1AA, ON4BB, OK1EE and F5CC send logs, F5CC's clock five minutes fast; OE1DD and W1XX send
// none.
const Row kContest[] = {
    {"DL1AA", "ON4BB", 0, "1", "1 AN", Outcome::good},
    {"ON4BB", "DL1AA", 2, "1 AN", "1", Outcome::good},  // two minutes apart: within the window
    {"DL1AA", "F5CC", 2, "2", "13", Outcome::bustedExchange, "12"},
    {"F5CC", "DL1AA", 7, "12", "2", Outcome::good},
    {"DL1AA", "ON4BD", 10, "3", "2 AN", Outcome::bustedCall, "ON4BB", 7025},
    {"ON4BB", "DL1AA", 10, "2 AN", "3", Outcome::good, "", 7025},  // DL1AA busted its call
    {"DL1AA", "F5CC", 20, "4", "14", Outcome::nil, "", 7025},
    {"DL1AA", "OE1DD", 30, "5", "1", Outcome::unique},
    {"DL1AA", "W1XX", 31, "6", "5", Outcome::unchecked},
    {"F5CC", "W1XX", 37, "13", "9", Outcome::unchecked},
    {"DL1AA", "ON4BB", 40, "7", "1 AN", Outcome::dupe},
    {"F5CC", "ON4BB", 45, "14", "3 AN", Outcome::good},
    {"ON4BB", "F5CC", 40, "3 AN", "14", Outcome::good},
    {"F5CC", "OK1EE", 50, "15", "1", Outcome::good},
    {"OK1EE", "F5CC", 45, "1", "15", Outcome::good},
    {"OK1EE", "ON4BB", 50, "2", "4 AN", Outcome::good},
    {"ON4BB", "OK1EE", 50, "4 AN", "2", Outcome::good},
    {"OK1EE", "DL1AA", 51, "3", "8", Outcome::good},
    {"DL1AA", "OK1EE", 51, "8", "3", Outcome::good},
    {"F5CC", "DL1AA", 65, "16", "8", Outcome::nil, "", 21025},
    {"OK1EE", "ON4BB", 60, "5", "7 AN", Outcome::good, "", 21025},
    {"ON4BB", "OK1EE", 60, "7 AN", "5", Outcome::good, "", 21025},
    {"OK1EE", "ON4BB", 80, "4", "6 AN", Outcome::nil, "", 7025},  // four minutes apart
    {"ON4BB", "OK1EE", 84, "6 AN", "4", Outcome::nil, "", 7025},
    {"ON4BB", "F5CC", 52, "5 AN", "99", Outcome::xQso, "", 21025, true},
};

TEST(CrossCheck, EveryLineGetsItsVerdict) {
  std::vector<zrv_score::SubmittedLog> logs;
  std::map<std::string, std::size_t> logOf;
  for (const Row& row : kContest) {
    if (logOf.emplace(row.log, logs.size()).second) logs.push_back({row.log, {}, {}, {}});
    constexpr int64_t k2024_06_01_1200 = 19875 * 1440 + 720;
    logs[logOf[row.log]].qsos.push_back({0, row.xQso, row.frequencyKHz,
                                         k2024_06_01_1200 + row.minute, "CW", exchange(row.sent),
                                         row.call, exchange(row.copied)});
  }
  const std::vector<zrv_score::CheckedLog> checked = zrv_score::crossCheck(logs, 3);
  std::map<std::string, std::size_t> next;
  for (const Row& row : kContest) {
    const zrv_score::Verdict& verdict = checked[logOf[row.log]].verdicts[next[row.log]++];
    EXPECT_EQ(zrv_score::outcomeName(verdict.outcome), zrv_score::outcomeName(row.outcome))
        << row.log << " " << row.call << " at " << row.minute;
    EXPECT_EQ(verdict.detail, row.detail) << row.log << " " << row.call << " at " << row.minute;
  }
  EXPECT_EQ(checked[logOf["F5CC"]].clockOffsetMinutes, 5);
  EXPECT_EQ(checked[logOf["DL1AA"]].clockOffsetMinutes, 0);
}

// The default policy: a row for every verdict, only good and unchecked QSOs kept, no penalty.
TEST(CrossCheck, ThePolicyKeepsGoodAndUncheckedQsosOnly) {
  std::string kept;
  for (int outcome = 0; outcome <= static_cast<int>(Outcome::xQso); ++outcome) {
    const auto rows =
        std::count_if(std::begin(zrv_score::kCheckPolicy), std::end(zrv_score::kCheckPolicy),
                      [&](const zrv_score::VerdictPolicy& row) {
                        return static_cast<int>(row.outcome) == outcome;
                      });
    const zrv_score::VerdictPolicy policy = zrv_score::policyOf(static_cast<Outcome>(outcome));
    EXPECT_EQ(rows, 1) << zrv_score::outcomeName(policy.outcome);
    EXPECT_EQ(policy.penaltyPoints, 0);
    if (policy.kept) kept += std::string(zrv_score::outcomeName(policy.outcome)) + " ";
  }
  EXPECT_EQ(kept, "good unchecked ");
}

TEST(CrossCheck, CloseCallsAreOneKeyingErrorApart) {
  for (const auto& [left, right] : {std::pair{"ON4BB", "ON4BD"},
                                    {"ON4BB", "ON4B"},
                                    {"ON4BB", "ON4BBB"},
                                    {"DL1AB", "DL1BA"},
                                    {"DL1AA", "DL1AA/P"},
                                    {"DL1AA", "OE/DL1AA"}}) {
    EXPECT_TRUE(zrv_score::closeCalls(left, right)) << left << " " << right;
    EXPECT_TRUE(zrv_score::closeCalls(right, left)) << right << " " << left;
  }
  for (const auto& [left, right] :
       {std::pair{"ON4BB", "ON4BB"}, {"ON4BB", "ON4DD"}, {"DL1ABC", "DL1CBA"}, {"ON4BB", "ON4"}}) {
    EXPECT_FALSE(zrv_score::closeCalls(left, right)) << left << " " << right;
  }
}

}  // namespace
