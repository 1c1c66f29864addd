// The host link over COM against a stand-in automation object registered in this process.

#include "platform/win32/host_application.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/automation_object.h"
#include "tests/support/trace_capture.h"

namespace {

using stats::CHostApplication;
using stats_test::AutomationObject;

constexpr int32_t kCallSelector = 5;

// The object runs on the test's thread; a link made on the same thread calls it directly.
class HostApplication : public testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(registration_.status(), S_OK); }

  // A connected link's answer for the call member when it answers `value`.
  std::optional<std::string> callFor(const VARIANT& value) {
    object_.setCurrentCall(value);
    return host_.GetCurrentCall(kCallSelector);
  }

  AutomationObject object_;
  stats_test::ActiveObjectRegistration registration_{object_};
  CHostApplication host_;  // released before the registration ends
};

TEST_F(HostApplication, ConnectedLinkReadsAndSendsThroughTheRunningObject) {
  object_.setFrequency(14025300.0);
  object_.setCurrentCall(L"ON4ABC");
  ASSERT_TRUE(host_.connect());

  EXPECT_EQ(host_.GetFrequency(), 14025300.0);
  EXPECT_EQ(host_.GetCurrentCall(kCallSelector), "ON4ABC");
  EXPECT_EQ(object_.selectors(), std::vector<int32_t>{kCallSelector});
  EXPECT_TRUE(host_.SendCommand("<SP1>"));
  EXPECT_TRUE(host_.SendCommand("14025.3"));
  EXPECT_EQ(object_.commands(), (std::vector<std::wstring>{L"<SP1>", L"14025.3"}));

  if (GetACP() != 1252) return;  // the letters below are those of Windows-1252
  object_.setCurrentCall(L"DL\u00C4X");
  EXPECT_EQ(host_.GetCurrentCall(kCallSelector), "DL\xC4X");
  EXPECT_TRUE(host_.SendCommand("\xC4"));
  EXPECT_EQ(object_.commands().back(), L"\u00C4");
}

TEST_F(HostApplication, CallThatIsNoTextReadsAsItsTextOrAsEmpty) {
  ASSERT_TRUE(host_.connect());
  VARIANT value{};
  value.vt = VT_I4;
  value.lVal = 42;
  EXPECT_EQ(callFor(value), "42");
  value.vt = VT_BSTR;
  value.bstrVal = nullptr;
  EXPECT_EQ(callFor(value), "");
  value.vt = VT_DISPATCH;
  value.pdispVal = nullptr;
  EXPECT_EQ(callFor(value), "");
  value.vt = VT_ERROR;
  value.scode = DISP_E_PARAMNOTFOUND;
  EXPECT_EQ(callFor(value), "");
}

TEST_F(HostApplication, MemberThatFailsAnswersNothing) {
  ASSERT_TRUE(host_.connect());
  object_.failMember(stats_test::kFrequencyMember, DISP_E_EXCEPTION);
  object_.failMember(stats_test::kCurrentCallMember, E_FAIL);
  object_.failMember(stats_test::kCommandMember, DISP_E_EXCEPTION);
  EXPECT_EQ(host_.GetFrequency(), std::nullopt);
  EXPECT_EQ(host_.GetCurrentCall(kCallSelector), std::nullopt);
  EXPECT_FALSE(host_.SendCommand("<SP1>"));
}

TEST_F(HostApplication, WithoutRunningObjectConnectFailsWithOneTraceAndNothingAnswers) {
  registration_.revoke();
  stats_test::TraceCapture traces;
  EXPECT_FALSE(host_.connect());
  ASSERT_EQ(traces.lines().size(), 1u);
  EXPECT_TRUE(traces.contains("0x800401E3")) << traces.lines().front();  // MK_E_UNAVAILABLE
  EXPECT_EQ(host_.GetFrequency(), std::nullopt);
  EXPECT_EQ(host_.GetCurrentCall(kCallSelector), std::nullopt);
  EXPECT_FALSE(host_.SendCommand("<SP1>"));
}

// As on the window thread: a thread of its own, calls served on the object's thread, and the
// thread has no COM left once the link is gone.
TEST_F(HostApplication, LinkOnAnotherThreadReachesTheObjectAndLeavesComAsItFoundIt) {
  object_.setFrequency(7012000.0);
  bool connected = false;
  std::optional<double> frequency;
  HRESULT initialisedAfterwards = E_FAIL;
  std::atomic<bool> finished{false};
  std::thread windowThread([&] {
    {
      CHostApplication host;
      connected = host.connect();
      frequency = host.GetFrequency();
    }
    initialisedAfterwards = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(initialisedAfterwards)) CoUninitialize();
    finished = true;
  });
  stats_test::serveCallsUntil([&] { return finished.load(); });
  windowThread.join();

  EXPECT_TRUE(connected);
  EXPECT_EQ(frequency, 7012000.0);
  EXPECT_EQ(initialisedAfterwards, S_OK);
}

}  // namespace
