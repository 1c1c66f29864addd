// The library's load, unload and reload in one process, side-by-side copies, and the end of a
// process that still has it loaded.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/wine_host.h"

namespace stats_test {
namespace {

// The same file loaded, unloaded and loaded again in one process, as a logger does when the
// operator switches contests: every load starts with an empty log, and FreeLibrary really unloads.
TEST(Lifecycle, ReloadOfTheSameFileStartsClean) {
  ScratchFolder scratch;
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    LoadedLibrary loaded;
    ASSERT_NE(loaded.library, nullptr) << loaded.path << ": " << loaded.error;
    int exportDone = 0;
    EXPECT_NE(std::string(loaded.api.GetResult0(&exportDone)).find("Total\t 0\t"),
              std::string::npos);
    EXPECT_EQ(passQso(loaded.api.AddData0, {"DL1AA", "20m", "DL", "DL1"}), 1);
    EXPECT_NE(std::string(loaded.api.GetResult0(&exportDone)).find("Total\t 1\t"),
              std::string::npos);
    loaded.library.reset();  // FreeLibrary
    EXPECT_EQ(GetModuleHandleA(loaded.path.c_str()), nullptr) << "still loaded after FreeLibrary";
  }
}

TEST(Lifecycle, PrivateCopiesLoadSideBySide) {
  ScratchFolder scratch;
  StatsLibrary first;
  StatsLibrary second;
  ASSERT_NE(moduleOf(first), moduleOf(second));
  int exportDone = 0;
  ASSERT_EQ(first.add({"DL1AA", "20m", "DL", "DL1"}), 1);
  EXPECT_NE(std::string(first.api().GetResult0(&exportDone)).find("Total\t 1\t"),
            std::string::npos);
  EXPECT_NE(std::string(second.api().GetResult0(&exportDone)).find("Total\t 0\t"),
            std::string::npos);
}

constexpr UINT kChildExitCode = 0x5A;

// Run only as the child of the test below: ends the process with the library loaded and a contest
// in progress, so the library is detached by process termination.
TEST(Lifecycle, DISABLED_ChildExitsWithTheLibraryLoaded) {
  LoadedLibrary loaded;
  ASSERT_NE(loaded.library, nullptr);
  startContest(loaded.api.ResetStats0, "ON4ZZ", "DL");
  passQso(loaded.api.AddData0, {"ON4AB", "80m", "ON", "ON4", "CW", "001", "12AN"});
  // Ends here, before `library` would free the module.
  ExitProcess(kChildExitCode);
}

TEST(Lifecycle, ProcessExitWithTheLibraryLoadedEnds) {
  ScratchFolder scratch;
  const auto exitCode =
      runChildTest("Lifecycle.DISABLED_ChildExitsWithTheLibraryLoaded", scratch.path(), 60000);
  ASSERT_TRUE(exitCode.has_value()) << "the process did not end within 60 s";
  EXPECT_EQ(*exitCode, kChildExitCode);
}

}  // namespace
}  // namespace stats_test
