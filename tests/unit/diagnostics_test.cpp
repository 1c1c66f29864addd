// Failures the host never hears of leave a trace.
#include "plugin/diagnostics.h"

#include <gtest/gtest.h>

#include "cabrillo/cabrillo_writer.h"
#include "fakes.h"
#include "plugin/settings.h"
#include "tests/support/scratch_folder.h"

namespace {

class RefusingProfile : public stats_test::FakeProfile {
 public:
  bool write(std::string_view, std::string_view, std::string_view) override { return false; }
};

TEST(Diagnostics, FailedSettingsWriteAndCabrilloFileAreTraced) {
  const stats_test::ScratchFolder scratch;
  const stats::TraceCapture traces;
  RefusingProfile profile;
  stats::Settings(profile).writeNumber("Claimed", 42);
  EXPECT_TRUE(traces.contains("could not write Claimed to Plugins\\ZRV.ini"));

  stats::CabrilloState header;
  header.fileBase = "no-such-folder/K1AA";
  header.qsoLines = {"QSO: x\r\n"};
  EXPECT_EQ(stats::WriteCabrilloFile(header, 0, 0, 0),
            "File not produced: no-such-folder/K1AA.cbr");
  EXPECT_TRUE(header.qsoLines.empty());
  EXPECT_TRUE(traces.contains("could not create no-such-folder/K1AA.cbr"));
  ASSERT_EQ(traces.lines().size(), 2u);
  EXPECT_EQ(traces.lines()[0].rfind("Stats: ", 0), 0u);
}

TEST(Diagnostics, NothingIsTracedWhenWritesSucceed) {
  const stats::TraceCapture traces;
  stats_test::FakeProfile profile;
  stats::Settings(profile).writeText("Mode", "CW");
  EXPECT_TRUE(traces.lines().empty());
}

}  // namespace
