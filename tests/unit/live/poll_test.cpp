// The live window's poll against a fake host and recording windows.
#include "core/live/poll.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/qso_fixtures.h"

namespace {

using stats::ContestState;

// A host whose answers the test sets; it records every call it receives.
class FakeHost : public stats::HostLink {
 public:
  bool connect() override {
    calls.push_back("connect");
    return found;
  }
  std::optional<double> GetFrequency() override {
    calls.push_back("GetFrequency");
    if (failing == "GetFrequency") return std::nullopt;
    return frequency;
  }
  std::optional<std::string> GetCurrentCall(int32_t selector) override {
    calls.push_back("GetCurrentCall " + std::to_string(selector));
    if (failing == "GetCurrentCall") return std::nullopt;
    return call;
  }
  bool SendCommand(std::string_view command) override {
    calls.push_back("SendCommand " + std::string(command));
    return failing != "SendCommand " + std::string(command);
  }

  bool found = true;
  double frequency = 14'025'000;
  std::string call;
  std::string failing;  // the call that answers with an error
  std::vector<std::string> calls;
};

std::string tickedTexts(const auto& ticked, auto textOf) {
  std::string texts;
  for (std::size_t box = 0; box < ticked.size(); ++box) {
    if (ticked[box]) texts += (texts.empty() ? "" : ",") + std::string(textOf(box));
  }
  return texts;
}

// Windows that record what the poll does to them, in order.
class RecordingOutputs : public stats::PollOutputs {
 public:
  void cancelPollTimer() override { events.push_back("cancel timer"); }
  void showCheckBoxWindows() override { events.push_back("show check-box windows"); }
  void setLiveWindowTitle(const std::string& title) override { events.push_back("live: " + title); }
  void setProvinceWindowTitle(const std::string& title) override {
    events.push_back("province: " + title);
  }
  void setEuWindowTitle(const std::string& title) override { events.push_back("eu: " + title); }
  void setEuBoxes(const stats::EuBoxes& ticked) override {
    events.push_back("eu boxes: " +
                     tickedTexts(ticked, [](std::size_t box) { return stats::euBoxText(box); }));
  }
  void setProvinceBoxes(const stats::ProvinceBoxes& ticked) override {
    events.push_back("province boxes: " + tickedTexts(ticked, [](std::size_t box) {
                       return stats::kBelgianProvinces[box];
                     }));
  }
  void repaintPanel() override { events.push_back("repaint"); }

  std::vector<std::string> events;
};

class Poll : public testing::Test {
 protected:
  Poll() {
    for (std::size_t row = 0; row < state_.panelRows.size(); ++row) {
      state_.panelRows[row] = {std::string(stats::kContestBands[row]), "-", "-", "-", "-"};
    }
    state_.ownMode = "CW";
  }
  void poll() {
    outputs_.events.clear();
    host_.calls.clear();
    stats::runPoll(poll_, host_, outputs_, {mutex_, state_});
  }
  void logQso(std::string_view call, std::string_view band, double day,
              std::string_view received = "5", std::string_view mode = "CW") {
    stats::QsoArguments qso;
    qso.call = call;
    qso.band = band;
    qso.mode = mode;
    qso.sentSerial = "1";
    qso.receivedExchange = received;
    qso.dxccPrefix = "DL";
    qso.qsoTime = COleDateTime{day, COleDateTimeValid};
    ASSERT_EQ(stats::addQso(state_, qso), 1);
  }

  std::mutex mutex_;
  ContestState state_;
  stats::PollState poll_;
  FakeHost host_;
  RecordingOutputs outputs_;
};

TEST_F(Poll, FirstPollConnectsOnceAndTellsTheMode) {
  poll();
  EXPECT_EQ(host_.calls,
            (std::vector<std::string>{"connect", "GetFrequency", "SendCommand <MODE:CW>",
                                      "GetCurrentCall 5", "GetFrequency", "SendCommand <SP1>"}));
  EXPECT_EQ(outputs_.events,
            (std::vector<std::string>{"cancel timer", "show check-box windows",
                                      "live: ZRV CONTEST worked with ", "province: Province on 20m",
                                      "eu: Europe Union worked on 20m",
                                      "eu boxes: ", "province boxes: ", "repaint"}));
  poll();
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"GetCurrentCall 5", "GetFrequency"}));

  // A new run of the window thread connects again; any mode but exactly "CW" is the SSB leg.
  for (const char* mode : {"cw", "SSB", ""}) {
    stats::endPollRun(poll_);
    state_.ownMode = mode;
    poll();
    ASSERT_GE(host_.calls.size(), 3u);
    EXPECT_EQ(host_.calls[2], "SendCommand <MODE:SSB>") << mode;
  }
}

TEST_F(Poll, FrequencyGivesTheBand) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const std::vector<std::pair<double, int>> cases = {
      {1'830'000, 0},   {3'999'999, 1},  {7'000'000, 2},   {14'000'000, 3},  {14'350'000, 3},
      {21'450'000, 4},  {28'000'000, 5}, {28'999'999, 5},  {29'700'000, -1}, {13'999'999, -1},
      {50'100'000, -1}, {0, -1},         {-1'500'000, -1}, {nan, -1}};
  for (const auto& [frequency, band] : cases) {
    EXPECT_EQ(stats::bandOfFrequency(frequency), band) << frequency;
  }
  host_.frequency = 7'012'000;
  poll();
  EXPECT_EQ(poll_.currentBand, 2);
}

TEST_F(Poll, FrequencyTokenOnlyPastThreeHundredHertz) {
  struct Step {
    double frequency;
    bool sent;
  };
  for (const Step& step : {Step{14'025'000, true}, Step{14'025'300, false}, Step{14'024'700, false},
                           Step{14'025'301, true}, Step{14'025'001, false}, Step{14'025'000, true},
                           Step{14'025'000, false}}) {
    host_.frequency = step.frequency;
    poll();
    EXPECT_EQ(host_.calls.back() == "SendCommand <SP1>", step.sent) << step.frequency;
  }
}

TEST_F(Poll, RowsShowTheLastQsoWithTheCallOnEachBand) {
  const double day = 46000.0;
  logQso("DL1AA", "20m", day + 10.0 / 24, "7");
  logQso("DL1AA", "40m", day + 11.5 / 24, "12", "SSB");
  logQso("DL1AA", "20m", day + (13 + 5.0 / 60) / 24, "123");
  logQso("dl1aa", "15m", day, "9");  // another call: calls compare exactly
  logQso("DL1AA", "6m", day, "9");   // not a contest band: no row
  host_.call = "DL1AA";
  poll();
  const std::vector<std::vector<std::string>> expected = {
      {"160m", "   -", "   -", "   -", "   -"},   {"80m", "   -", "   -", "   -", "   -"},
      {"40m", "SSB", "11:30", "0012 --", "   -"}, {"20m", "CW", "13:05", "0123 --", "   -"},
      {"15m", "   -", "   -", "   -", "   -"},    {"10m", "   -", "   -", "   -", "   -"}};
  for (std::size_t row = 0; row < expected.size(); ++row) {
    EXPECT_EQ(state_.panelRows[row], expected[row]) << row;
  }
  EXPECT_EQ(outputs_.events[2], "live: ZRV CONTEST worked with DL1AA");
  EXPECT_EQ(poll_.currentCall, "DL1AA");

  host_.call = "K1AA";  // never worked: every row is reset
  poll();
  EXPECT_EQ(state_.panelRows[3], (std::vector<std::string>{"20m", "   -", "   -", "   -", "   -"}));
}

TEST_F(Poll, BelgianStationHasOnlyTheLiveWindow) {
  state_.belgianStation = 1;
  poll();
  EXPECT_EQ(outputs_.events, (std::vector<std::string>{
                                 "cancel timer", "live: ZRV   DXCC worked on 20m", "repaint"}));
  host_.call = "ON4AA";
  host_.frequency = 13'000'000;
  poll();
  EXPECT_EQ(
      outputs_.events,
      (std::vector<std::string>{"cancel timer", "live: ZRV CONTEST worked with ON4AA", "repaint"}));
}

TEST_F(Poll, BoxesTickTheMultipliersOfTheCurrentBand) {
  state_.provinceByBand[3] = {"BR", "LG", "XX"};
  state_.euByBand[3] = {"SV5", "SY", "DL", "ON"};
  poll();
  EXPECT_EQ(outputs_.events[5], "eu boxes: DL,SV5,SV/A");
  EXPECT_EQ(outputs_.events[6], "province boxes: BR,LG");

  state_.provinceByBand[3] = {"WV"};  // a box ticked before and absent now is cleared
  poll();
  EXPECT_EQ(outputs_.events[6], "province boxes: WV");

  host_.frequency = 10'100'000;  // no contest band: every box cleared
  poll();
  EXPECT_EQ(outputs_.events[3], "province: Province on ");
  EXPECT_EQ(outputs_.events[5], "eu boxes: ");
  EXPECT_EQ(outputs_.events[6], "province boxes: ");
}

// Each European-Union entity of the rules ticks a box of its own, whose text no other box shows
// (the window finds each box's control by that text).
TEST_F(Poll, EveryEuropeanUnionEntityHasABoxOfItsOwn) {
  stats::EuBoxes ticked{};
  std::set<std::string_view> texts;
  for (std::string_view prefix : stats::kEuropeanUnionPrefixes) {
    const std::optional<std::size_t> box = stats::euBoxOf(prefix);
    ASSERT_TRUE(box.has_value()) << prefix << " has no box";
    EXPECT_FALSE(std::exchange(ticked[*box], true)) << prefix << " shares a box";
    EXPECT_TRUE(texts.insert(stats::euBoxText(*box)).second) << prefix << " shares a box text";
  }
  EXPECT_EQ(stats::euBoxText(*stats::euBoxOf("SY")), "SV/A");
  EXPECT_FALSE(stats::euBoxOf("ON").has_value());
}

TEST_F(Poll, AHostCallThatFailsEndsThePollWhereItStands) {
  struct Case {
    std::string failing;
    std::vector<std::string> lastEvents;  // the poll's outputs, after the two it always makes
  };
  const std::vector<Case> cases = {
      {"SendCommand <MODE:CW>", {}},
      {"GetCurrentCall", {}},
      {"GetFrequency", {}},
      {"SendCommand <SP1>", {"live: ZRV CONTEST worked with DL1AA"}},
  };
  for (const Case& c : cases) {
    poll_ = {};
    host_.failing = c.failing;
    host_.call = "DL1AA";
    state_.panelRows[3][1] = "old";
    poll();
    std::vector<std::string> expected = {"cancel timer", "show check-box windows"};
    expected.insert(expected.end(), c.lastEvents.begin(), c.lastEvents.end());
    EXPECT_EQ(outputs_.events, expected) << c.failing;
    EXPECT_EQ(host_.calls.back().rfind(c.failing, 0), 0u) << c.failing;
  }
  // The rows were reset before the frequency failed; a failed "<SP1>" is sent again next time.
  EXPECT_EQ(state_.panelRows[3][1], "   -");
  host_.failing.clear();
  poll();
  EXPECT_EQ(host_.calls.back(), "SendCommand <SP1>");
}

TEST_F(Poll, AConnectionWhoseHostCallsFailedIsMadeAgainAtTheNextPoll) {
  for (const std::string failing : {"GetFrequency", "SendCommand <MODE:CW>"}) {
    poll_ = {};
    host_.failing = failing;
    poll();
    host_.failing.clear();
    poll();
    EXPECT_EQ(host_.calls,
              (std::vector<std::string>{"connect", "GetFrequency", "SendCommand <MODE:CW>",
                                        "GetCurrentCall 5", "GetFrequency", "SendCommand <SP1>"}))
        << failing;
  }
}

TEST_F(Poll, WithoutTheHostObjectThereIsNoCallAndNoBand) {
  host_.found = false;
  state_.euByBand[3] = {"DL"};
  poll();
  EXPECT_EQ(host_.calls, std::vector<std::string>{"connect"});
  EXPECT_EQ(outputs_.events,
            (std::vector<std::string>{"cancel timer", "show check-box windows",
                                      "live: ZRV CONTEST worked with ", "province: Province on ",
                                      "eu: Europe Union worked on ",
                                      "eu boxes: ", "province boxes: ", "repaint"}));
  EXPECT_EQ(poll_.currentBand, -1);
  poll();  // not looked for again in the same run
  EXPECT_TRUE(host_.calls.empty());
}

}  // namespace
