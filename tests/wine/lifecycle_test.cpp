// The library's load, unload and reload in one process, side-by-side copies, and the end of a
// process that still has it loaded.
#include <gtest/gtest.h>

#include <string>

#include "tests/wine/stats_dll.h"

namespace stats_test {
namespace {

// A library loaded by path for the lifecycle tests, freed when it goes out of scope.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::string& path) : module_(LoadLibraryA(path.c_str())) {}
  ~LoadedLibrary() { unload(); }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  HMODULE get() const { return module_; }
  bool unload() {
    const bool freed = module_ && FreeLibrary(module_);
    module_ = nullptr;
    return freed;
  }
  template <typename Function>
  Function entry(const char* name) const {
    return module_ ? exportAs<Function>(GetProcAddress(module_, name)) : nullptr;
  }

 private:
  HMODULE module_;
};

// The same file loaded, unloaded and loaded again in one process, as a logger does when the
// operator switches contests: every load starts with an empty log, and FreeLibrary really unloads.
TEST(Lifecycle, ReloadOfTheSameFileStartsClean) {
  ScratchFolder scratch;
  const std::string path = besideTestExecutable(STATS_DLL_NAME);
  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    LoadedLibrary library(path);
    ASSERT_NE(library.get(), nullptr) << path << ": error " << GetLastError();
    const auto addData = library.entry<decltype(&::AddData0)>("AddData0");
    const auto result = library.entry<decltype(&::GetResult0)>("GetResult0");
    ASSERT_TRUE(addData && result);
    int exportDone = 0;
    EXPECT_NE(std::string(result(&exportDone)).find("Total\t 0\t"), std::string::npos);
    EXPECT_EQ(passQso(addData, {"DL1AA", "20m", "DL", "DL1"}), 1);
    EXPECT_NE(std::string(result(&exportDone)).find("Total\t 1\t"), std::string::npos);
    EXPECT_TRUE(library.unload());
    EXPECT_EQ(GetModuleHandleA(path.c_str()), nullptr) << "still loaded after FreeLibrary";
  }
}

TEST(Lifecycle, PrivateCopiesLoadSideBySide) {
  ScratchFolder scratch;
  StatsDll first;
  StatsDll second;
  ASSERT_NE(first.module(), second.module());
  int exportDone = 0;
  ASSERT_EQ(passQso(first.AddData0, {"DL1AA", "20m", "DL", "DL1"}), 1);
  EXPECT_NE(std::string(first.GetResult0(&exportDone)).find("Total\t 1\t"), std::string::npos);
  EXPECT_NE(std::string(second.GetResult0(&exportDone)).find("Total\t 0\t"), std::string::npos);
}

constexpr UINT kChildExitCode = 0x5A;

// Run only as the child of the test below: ends the process with the library loaded and a contest
// in progress, so the library is detached by process termination.
TEST(Lifecycle, DISABLED_ChildExitsWithTheLibraryLoaded) {
  LoadedLibrary library(besideTestExecutable(STATS_DLL_NAME));
  const auto resetStats = library.entry<decltype(&::ResetStats0)>("ResetStats0");
  const auto addData = library.entry<decltype(&::AddData0)>("AddData0");
  ASSERT_TRUE(resetStats && addData);
  startContest(resetStats, "DL");
  passQso(addData, {"ON4AB", "80m", "ON", "ON4", "CW", "001", "12AN"});
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
