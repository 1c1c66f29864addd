// Stats.dll as the logger meets it: the export table (plain names and the decorated C++ names a
// host may link against), calls through both, and a whole contest through the exports.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <type_traits>
#include <vector>

#include "tests/wine/wine_host.h"

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

TEST(Exports, ListsExactlyThePlainNamesAndTheirDecoratedAliases) {
  StatsLibrary dll;
  std::set<std::string> expected;
  for (const ExportName& name : kExportNames) {
    expected.insert(name.plain);
    expected.insert(name.decorated);
  }
  const std::vector<std::string> names = exportedNames(moduleOf(dll));
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected);
  EXPECT_EQ(names.size(), expected.size()) << "a name is exported twice";
}

TEST(Exports, EachAliasIsTheSameFunctionAsItsPlainName) {
  StatsLibrary dll;
  for (const ExportName& name : kExportNames) {
    const FARPROC plain = GetProcAddress(moduleOf(dll), name.plain);
    const FARPROC decorated = GetProcAddress(moduleOf(dll), name.decorated);
    ASSERT_NE(plain, nullptr) << name.plain;
    EXPECT_EQ(decorated, plain) << name.decorated;
  }
  // The two exchange checks are the set count itself.
  const FARPROC numberOfSets = GetProcAddress(moduleOf(dll), "GetNumberOfSets");
  EXPECT_EQ(GetProcAddress(moduleOf(dll), "IsValidExchg0"), numberOfSets);
  EXPECT_EQ(GetProcAddress(moduleOf(dll), "GetExchgCount0"), numberOfSets);
}

TEST(Exports, DecoratedAliasesAnswerAsTheEntryPointsDo) {
  ScratchFolder scratch;
  StatsLibrary dll;
  // Every entry point looked up by its decorated name alone.
  Exports decorated{};
  resolveExports(decorated, [&](const char* plain, auto& slot) {
    for (const ExportName& name : kExportNames) {
      if (std::string(name.plain) != plain) continue;
      slot = exportAs<std::remove_reference_t<decltype(slot)>>(dll.symbol(name.decorated));
    }
  });
  ASSERT_NE(decorated.GetResult0, nullptr);

  EXPECT_EQ(decorated.GetNumberOfSets(), 1);
  EXPECT_STREQ(decorated.GetSetName(0), "ZRV Contest (C)");
  EXPECT_STREQ(decorated.GetSetName(1), "");
  EXPECT_EQ(decorated.IsValidExchg0("a", "b", "c", "d", 7, 8, 9), 1);
  EXPECT_EQ(decorated.GetExchgCount0("a", "b", "c"), 1);

  ASSERT_EQ(startContest(decorated.ResetStats0, "ON4ZZ", "K"), 1);
  const Qso german{"DL1AA", "20m", "DL", "DL1"};
  ASSERT_EQ(passQso(decorated.AddData0, german), 1);

  char output[50] = "untouched";
  const auto check = decorated.CheckCall0;
  EXPECT_EQ(checkCall(check, "DL1AA", "DL1", "DL", "20m", "20m", output), 0);  // repeat on 20m
  EXPECT_EQ(checkCall(check, "DL2BB", "DL2", "DL", "15m", "15m", output), 2);  // DL new on 15m
  EXPECT_STREQ(output, "");

  int exportDone = 7;
  const std::string withQso = decorated.GetResult0(&exportDone);
  EXPECT_NE(withQso.find("20m\t 1\t 3\t    0\t\t 0\t 1\r\n"), std::string::npos) << withQso;
  EXPECT_NE(withQso.find("\r\nScore: 3*(0 + 0 + 1) = 3\r\n"), std::string::npos) << withQso;
  EXPECT_EQ(exportDone, 7);

  ASSERT_EQ(passQso(decorated.RemoveData0, german), 1);
  const std::string afterRemoval = decorated.GetResult0(&exportDone);
  EXPECT_NE(afterRemoval.find("\r\nScore: 0*(0 + 0 + 0) = 0\r\n"), std::string::npos)
      << afterRemoval;
}

}  // namespace
}  // namespace stats_test
