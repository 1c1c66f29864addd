// The fixed answers, the contest start and null pointers, all through the loaded library.
#include <string>

#include "tests/support/stats_library.h"

namespace stats_test {
namespace {

using LibraryEntryPoints = LibraryTest;

TEST_F(LibraryEntryPoints, FixedAnswersWhateverTheArguments) {
  const Exports& api = lib_.api();
  EXPECT_EQ(api.GetNumberOfSets(), 1);
  EXPECT_STREQ(api.GetSetName(0), "ZRV Contest (C)");
  EXPECT_STREQ(api.GetSetName(1), "");
  EXPECT_EQ(api.IsValidExchg0("599", "12 AN", "ON4ABC", "CW", 1, 2, 3), 1);
  EXPECT_EQ(api.IsValidExchg0(nullptr, nullptr, nullptr, nullptr, -1, 0, 0), 1);
  EXPECT_EQ(api.GetExchgCount0("599", "12 AN", "CW"), 1);
  EXPECT_EQ(api.GetExchgCount0(nullptr, nullptr, nullptr), 1);
}

// The own DXCC prefix decides the side; the Belgian side is stored in the settings file.
TEST_F(LibraryEntryPoints, ContestStartEmptiesTheLogAndOnlyOnIsBelgian) {
  ASSERT_EQ(lib_.add(Qso{}), 1);
  ASSERT_EQ(totalQsos(lib_.result()), 1);
  EXPECT_EQ(lib_.reset("K1ABC", "K"), 1);
  EXPECT_EQ(lib_.result(), kEmptyForeignReport);
  EXPECT_EQ(readSetting("BELGIUM"), std::nullopt);

  EXPECT_EQ(lib_.reset("ON4XYZ", "ON"), 1);
  EXPECT_EQ(lib_.result(), kEmptyBelgianReport);
  EXPECT_EQ(readSetting("BELGIUM"), "1");
  // A file the plug-in makes has the host's line ends.
  const std::string settings = readBytes(kSettingsFile).value_or("");
  EXPECT_NE(settings.find("[Settings]\r\n"), std::string::npos) << settings;
  EXPECT_NE(settings.find("\r\nBELGIUM=1\r\n"), std::string::npos) << settings;
}

TEST_F(LibraryEntryPoints, EveryPointerArgumentMayBeNull) {
  const Exports& api = lib_.api();
  auto reset = [&api](int exportRequest) {
    return api.ResetStats0(nullptr, exportRequest, nullptr, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr);
  };
  auto qso = [](auto function, const char* mode, const char* sent, const char* received) {
    return function(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0, 14025600, mode,
                    nullptr, nullptr, sent, received, nullptr, nullptr, nullptr, nullptr, nullptr,
                    nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr,
                    nullptr, nullptr, nullptr, nullptr);
  };
  auto check = [&api](char* output) {
    return api.CheckCall0(nullptr, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr,
                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, output, nullptr);
  };

  EXPECT_EQ(reset(0), 1);
  // A null mode, sent serial or received exchange reads as empty: the QSO is refused.
  EXPECT_EQ(qso(api.AddData0, nullptr, "001", "5"), 0);
  EXPECT_EQ(qso(api.AddData0, "CW", nullptr, "5"), 0);
  EXPECT_EQ(qso(api.AddData0, "CW", "001", nullptr), 0);
  EXPECT_EQ(qso(api.RemoveData0, nullptr, nullptr, nullptr), 0);
  EXPECT_EQ(lib_.result(nullptr), kEmptyForeignReport);

  // A QSO without call, time and band: the empty band gets a row.
  EXPECT_EQ(qso(api.AddData0, "CW", "001", "5"), 1);
  EXPECT_EQ(lib_.result(), std::string(kForeignHeader) +
                               "\t 0\t 0\t    0\t\t 0\t 0\r\n"
                               "Total\t 1\t 0\t    0\t\t 0\t 0\r\n"
                               "\r\nScore: 0*(0 + 0 + 0) = 0\r\n");
  EXPECT_EQ(qso(api.RemoveData0, "CW", "001", "5"), 1);
  EXPECT_EQ(totalQsos(lib_.result()), 0);

  char output[4] = "XY";
  EXPECT_EQ(check(nullptr), 1);
  EXPECT_EQ(check(output), 1);
  EXPECT_STREQ(output, "XY");  // a null DXCC prefix stops before the buffer is cleared
}

}  // namespace
}  // namespace stats_test
