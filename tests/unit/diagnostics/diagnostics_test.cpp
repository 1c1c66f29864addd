// Failures the host never hears of leave a trace.
#include "core/diagnostics/diagnostics.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>

#include "core/cabrillo/cabrillo_writer.h"
#include "core/settings/settings.h"
#include "tests/support/fakes.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/trace_capture.h"

namespace {

class RefusingProfile : public stats_test::FakeProfile {
 public:
  bool write(std::string_view, std::string_view, std::string_view) override { return false; }
};

TEST(Diagnostics, FailedSettingsWriteAndCabrilloFileAreTraced) {
  const stats_test::ScratchFolder scratch;
  const stats_test::TraceCapture traces;
  RefusingProfile profile;
  stats::Settings(profile).writeNumber("Claimed", 42);
  EXPECT_TRUE(traces.contains("could not write Claimed to Plugins\\ZRV.ini"));

  stats::CabrilloState header;
  header.fileBase = "no-such-folder/K1AA";
  header.qsoLines = {"QSO: x\r\n"};
  EXPECT_EQ(stats::WriteCabrilloFile(header, 0, 0, 0, *stats::makePlatformFileReplace()),
            "File not produced: no-such-folder/K1AA.cbr");
  EXPECT_TRUE(header.qsoLines.empty());
  EXPECT_TRUE(traces.contains("could not create no-such-folder/K1AA.cbr"));
  ASSERT_EQ(traces.lines().size(), 2u);
  EXPECT_EQ(traces.lines()[0].rfind("Stats: ", 0), 0u);
}

// The one exception boundary: what it stopped, traced; the fallback returned in its place.
TEST(Diagnostics, TheExceptionBoundaryTracesWhatItStopped) {
  const stats_test::TraceCapture traces;
  EXPECT_EQ(stats::stopExceptions("AddData0: stopped", 7, [] { return 1; }), 1);
  EXPECT_TRUE(traces.lines().empty());
  EXPECT_EQ(stats::stopExceptions("AddData0: stopped", 7,
                                  []() -> int { throw std::runtime_error("disk full"); }),
            7);
  EXPECT_EQ(stats::stopExceptions([] { return std::string("Setup: dialog stopped"); }, false,
                                  []() -> bool { throw 42; }),
            false);
  EXPECT_EQ(stats::stopExceptions([]() -> std::string { throw std::bad_alloc(); }, 0,
                                  []() -> int { throw std::logic_error("bad"); }),
            0);
  EXPECT_EQ(traces.lines(),
            (std::vector<std::string>{"Stats: AddData0: stopped by an exception: disk full",
                                      "Stats: Setup: dialog stopped by an unknown exception",
                                      "Stats: code stopped by an exception: std::bad_alloc"}));
}

TEST(Diagnostics, NothingIsTracedWhenWritesSucceed) {
  const stats_test::TraceCapture traces;
  stats_test::FakeProfile profile;
  stats::Settings(profile).writeText("Mode", "CW");
  EXPECT_TRUE(traces.lines().empty());
}

// The installed writer gets each whole line, also from another thread; while a capture lives the
// lines go to it instead, and at its end the writer installed before it gets them again.
std::vector<std::string> writtenLines;
void keepLine(const std::string& line) {
  writtenLines.push_back(line);
}

TEST(Diagnostics, WriterGetsEveryLineAndCaptureHandsItBack) {
  writtenLines.clear();
  const stats::TraceWriter before = stats::setTraceWriter(&keepLine);
  std::thread([] { stats::traceFailure("first"); }).join();
  {
    const stats_test::TraceCapture traces;
    stats::traceFailure("second");
    EXPECT_EQ(traces.lines(), std::vector<std::string>{"Stats: second"});
  }
  stats::traceFailure("third");
  EXPECT_EQ(stats::setTraceWriter(before), &keepLine);
  stats::traceFailure("dropped or elsewhere");
  EXPECT_EQ(writtenLines, (std::vector<std::string>{"Stats: first\n", "Stats: third\n"}));
}

}  // namespace
