// Stats.dll as the logger meets it: the export table (plain names and the decorated C++ names a
// host may link against), calls through both, a whole contest through the exports, and the
// library's load, unload, reload and process exit.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/wine/stats_dll.h"

namespace stats_test {
namespace {

// The names in the module's export directory, read from its loaded image.
std::vector<std::string> exportedNames(HMODULE module) {
  const auto* base = reinterpret_cast<const unsigned char*>(module);
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& entry =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
  std::vector<std::string> names;
  if (entry.Size == 0) return names;
  const auto* directory =
      reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + entry.VirtualAddress);
  const auto* nameOffsets = reinterpret_cast<const DWORD*>(base + directory->AddressOfNames);
  for (DWORD index = 0; index < directory->NumberOfNames; ++index) {
    names.emplace_back(reinterpret_cast<const char*>(base + nameOffsets[index]));
  }
  return names;
}

// The arguments of a QSO that the plug-in reads; everything else is passed empty or zero.
struct Qso {
  const char* call;
  const char* band;
  const char* dxccPrefix;
  const char* callPrefix;
  const char* mode = "CW";
  const char* sentSerial = "001";
  const char* receivedExchange = "001";
  unsigned frequencyHz = 3510000;
  double day = 46300.25;
};

template <typename AddOrRemove>
int passQso(AddOrRemove function, const Qso& qso) {
  COleDateTime unused{0.0, COleDateTimeValid};
  COleDateTime time{qso.day, COleDateTimeValid};
  return function("", qso.call, &unused, &time, &unused, &unused, 0u, qso.frequencyHz, qso.mode, "",
                  "", qso.sentSerial, qso.receivedExchange, "", "", "", "", "", "", "", "",
                  qso.callPrefix, qso.dxccPrefix, 0, 0, 0, 0.0, 0.0, "", "", "", qso.band, "");
}

int startContest(decltype(&::ResetStats0) function, const char* ownDxccPrefix) {
  COleDateTime unused{0.0, COleDateTimeValid};
  return function("", 0, "ON4ZZ", &unused, &unused, "", "", "", "", "", "", "", "", "",
                  ownDxccPrefix, 0, 0, 0, 0.0, 0.0, "", "", "");
}

int checkCall(decltype(&::CheckCall0) function, const char* call, const char* callPrefix,
              const char* dxccPrefix, const char* band, char* output) {
  return function(call, 0u, 0u, "CW", "", "", "", "", "", "", "", "", callPrefix, dxccPrefix, 0, 0,
                  0, 0.0, 0.0, "", "", "", "", "", band, band, output, nullptr);
}

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

class OwnedHandle {
 public:
  explicit OwnedHandle(HANDLE handle) : handle_(handle) {}
  ~OwnedHandle() {
    if (handle_) CloseHandle(handle_);
  }
  OwnedHandle(const OwnedHandle&) = delete;
  OwnedHandle& operator=(const OwnedHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

std::string executablePath() {
  char buffer[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return std::string(buffer, length);
}

TEST(ExportTable, ListsExactlyThePlainNamesAndTheirDecoratedAliases) {
  StatsDll dll;
  std::set<std::string> expected;
  for (const ExportName& name : kExportNames) {
    expected.insert(name.plain);
    expected.insert(name.decorated);
  }
  const std::vector<std::string> names = exportedNames(dll.module());
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
  EXPECT_EQ(names.size(), expected.size()) << "a name is exported twice";
}

TEST(ExportTable, EachAliasIsTheSameFunctionAsItsPlainName) {
  StatsDll dll;
  for (const ExportName& name : kExportNames) {
    const FARPROC plain = GetProcAddress(dll.module(), name.plain);
    const FARPROC decorated = GetProcAddress(dll.module(), name.decorated);
    ASSERT_NE(plain, nullptr) << name.plain;
    EXPECT_EQ(decorated, plain) << name.decorated;
  }
  // The two exchange checks are the set count itself.
  const FARPROC numberOfSets = GetProcAddress(dll.module(), "GetNumberOfSets");
  EXPECT_EQ(GetProcAddress(dll.module(), "IsValidExchg0"), numberOfSets);
  EXPECT_EQ(GetProcAddress(dll.module(), "GetExchgCount0"), numberOfSets);
}

TEST(DecoratedAliases, AnswerAsTheEntryPointsDo) {
  ScratchDirectory scratch;
  StatsDll dll;
  const auto find = [&](const char* plain) {
    for (const ExportName& name : kExportNames) {
      if (std::string(name.plain) == plain) return dll.resolve(name.decorated);
    }
    throw std::logic_error(plain);
  };
  const auto numberOfSets = exportAs<decltype(&::GetNumberOfSets)>(find("GetNumberOfSets"));
  const auto setName = exportAs<decltype(&::GetSetName)>(find("GetSetName"));
  const auto validExchange = exportAs<decltype(&::IsValidExchg0)>(find("IsValidExchg0"));
  const auto exchangeCount = exportAs<decltype(&::GetExchgCount0)>(find("GetExchgCount0"));
  const auto resetStats = exportAs<decltype(&::ResetStats0)>(find("ResetStats0"));
  const auto addData = exportAs<decltype(&::AddData0)>(find("AddData0"));
  const auto removeData = exportAs<decltype(&::RemoveData0)>(find("RemoveData0"));
  const auto check = exportAs<decltype(&::CheckCall0)>(find("CheckCall0"));
  const auto result = exportAs<decltype(&::GetResult0)>(find("GetResult0"));

  EXPECT_EQ(numberOfSets(), 1);
  EXPECT_STREQ(setName(0), "ZRV Contest (C)");
  EXPECT_STREQ(setName(1), "");
  EXPECT_EQ(validExchange("a", "b", "c", "d", 7, 8, 9), 1);
  EXPECT_EQ(exchangeCount("a", "b", "c"), 1);

  ASSERT_EQ(startContest(resetStats, "K"), 1);
  const Qso german{"DL1AA", "20m", "DL", "DL1"};
  ASSERT_EQ(passQso(addData, german), 1);

  char output[50] = "untouched";
  EXPECT_EQ(checkCall(check, "DL1AA", "DL1", "DL", "20m", output), 0);  // repeat on 20m
  EXPECT_EQ(checkCall(check, "DL2BB", "DL2", "DL", "15m", output), 2);  // DL new on 15m
  EXPECT_STREQ(output, "");

  int exportDone = 7;
  const std::string withQso = result(&exportDone);
  EXPECT_NE(withQso.find("20m\t 1\t 3\t    0\t\t 0\t 1\r\n"), std::string::npos) << withQso;
  EXPECT_NE(withQso.find("\r\nScore: 3*(0 + 0 + 1) = 3\r\n"), std::string::npos) << withQso;
  EXPECT_EQ(exportDone, 7);

  ASSERT_EQ(passQso(removeData, german), 1);
  const std::string afterRemoval = result(&exportDone);
  EXPECT_NE(afterRemoval.find("\r\nScore: 0*(0 + 0 + 0) = 0\r\n"), std::string::npos)
      << afterRemoval;
}

// A Belgian station's contest, driven as the logger drives it: the score report of the worked
// example and the claimed score in the settings file.
TEST(HostScenario, BelgianStationWorkedExample) {
  ScratchDirectory scratch;
  StatsDll dll;
  ASSERT_EQ(startContest(dll.ResetStats0, "ON"), 1);
  const Qso qsos[] = {
      {"DL1AA", "40m", "DL", "DL1"}, {"ON4AB", "80m", "ON", "ON4"}, {"DL1AA", "80m", "DL", "DL1"},
      {"DL2BB", "80m", "DL", "DL2"}, {"K1CC", "80m", "K", "K1"},
  };
  for (const Qso& qso : qsos) ASSERT_EQ(passQso(dll.AddData0, qso), 1) << qso.call;

  int exportDone = 0;
  const std::string report = dll.GetResult0(&exportDone);
  EXPECT_EQ(report,
            "\t    ZRV Contest \r\n\tQSOs\tPoints\tDXCC\r\n"
            "80m\t 4\t 8\t 3\r\n"
            "40m\t 1\t 2\t 1\r\n"
            "Total\t 5\t 10\t 4\r\n"
            "\r\nScore: 10*4 = 40\r\n");
  EXPECT_EQ(exportDone, 0);

  const std::string settings = scratch.readFile("Plugins\\ZRV.ini");
  EXPECT_NE(settings.find("[Settings]\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("\r\nClaimed=40\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("\r\nBELGIUM=1\r\n"), std::string::npos) << settings;
}

// The same file loaded, unloaded and loaded again in one process, as a logger does when the
// operator switches contests: every load starts with an empty log, and FreeLibrary really unloads.
TEST(Lifecycle, ReloadOfTheSameFileStartsClean) {
  ScratchDirectory scratch;
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
  ScratchDirectory scratch;
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
TEST(LifecycleChild, DISABLED_ExitWithLibraryLoaded) {
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
  ScratchDirectory scratch;
  std::string commandLine = "\"" + executablePath() +
                            "\" --gtest_filter=LifecycleChild.DISABLED_ExitWithLibraryLoaded"
                            " --gtest_also_run_disabled_tests";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             scratch.path().c_str(), &startup, &process))
      << "error " << GetLastError();
  OwnedHandle thread(process.hThread);
  OwnedHandle child(process.hProcess);
  const DWORD waited = WaitForSingleObject(child.get(), 60000);
  if (waited != WAIT_OBJECT_0) TerminateProcess(child.get(), 1);
  DWORD exitCode = 0;
  GetExitCodeProcess(child.get(), &exitCode);
  ASSERT_EQ(waited, WAIT_OBJECT_0) << "the process did not end within 60 s";
  EXPECT_EQ(exitCode, kChildExitCode);
}

}  // namespace
}  // namespace stats_test
