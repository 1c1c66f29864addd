#include "core/settings/settings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/fakes.h"
#include "tests/support/scratch_folder.h"

namespace {

// Numbers are read as the C library's atoi reads them, except that a value past the int range
// saturates where atoi's result would be undefined.
TEST(Settings, NumbersAreReadLikeAtoiAndSaturate) {
  const struct {
    const char* text;
    int value;
  } cases[] = {
      {"42", 42},
      {"+42", 42},
      {"-42", -42},
      {"  \t\n\v\f\r7", 7},
      {"12abc", 12},
      {"3 4", 3},
      {"0x10", 0},
      {"", 0},
      {"abc", 0},
      {"- 5", 0},
      {"+-5", 0},
      {"\t+", 0},
      {"0000000000000000000042", 42},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"+99999999999999999999999", INT_MAX},
      {"18446744073709551617", INT_MAX},  // 2^64 + 1: 1 in 64-bit arithmetic that wraps
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"-99999999999999999999999", INT_MIN},
      {"-18446744073709551617", INT_MIN},
  };
  stats_test::FakeProfile profile;
  const stats::Settings settings(profile);
  EXPECT_EQ(settings.readNumber("Claimed"), 0);
  for (const auto& example : cases) {
    EXPECT_EQ(stats::parseLeadingInt(example.text), example.value) << '"' << example.text << '"';
    profile.values["Claimed"] = example.text;
    EXPECT_EQ(settings.readNumber("Claimed"), example.value) << '"' << example.text << '"';
  }
}

// The platform's store on the scratch folder's settings file, counting what reaches it.
class CountingStore final : public stats::ProfileStore {
 public:
  std::string read(std::string_view section, std::string_view key,
                   std::string_view defaultValue) override {
    ++reads;
    return store_->read(section, key, defaultValue);
  }
  bool write(std::string_view section, std::string_view key, std::string_view value) override {
    writes.push_back(std::string(key) + "=" + std::string(value));
    return store_->write(section, key, value);
  }
  std::unique_ptr<stats::ProfileSnapshot> snapshot(std::string_view section) override {
    ++snapshots;
    return store_->snapshot(section);
  }

  int reads = 0;
  int snapshots = 0;
  std::vector<std::string> writes;

 private:
  std::unique_ptr<stats::ProfileStore> store_ = stats::makePlatformProfileStore("Plugins\\ZRV.ini");
};

// One operation's Settings asks the store for the section once, however many keys it reads; its
// writes go to the file one by one, in the order made; a read after its own write gives what the
// file now says, as a fresh read of the file would; and the next operation sees what others
// changed in the file meanwhile.
TEST(Settings, OneSnapshotPerOperationThatTakesInItsOwnWrites) {
  const stats_test::ScratchFolder scratch;
  scratch.writeFile("Plugins/ZRV.ini", "[Settings]\r\nmode = CW\r\nStart=1\r\n");
  CountingStore store;
  {
    const stats::Settings operation(store);
    EXPECT_EQ(operation.readText(stats::keys::kMode), "CW");
    EXPECT_EQ(operation.readNumber(stats::keys::kStart), 1);
    EXPECT_EQ(operation.readText(stats::keys::kProvince, "none"), "none");
    const char* written[] = {"SSB", "  lead", "'quoted'", "\"a b\" ", "tab\t", "", "cut\rhere"};
    for (const char* value : written) {
      operation.writeText(stats::keys::kMode, value);
      operation.writeText(stats::keys::kProvince, value);
      EXPECT_EQ(operation.readText(stats::keys::kMode),
                stats::Settings(store).readText(stats::keys::kMode))
          << value;
      EXPECT_EQ(operation.readText(stats::keys::kProvince, "none"),
                stats::Settings(store).readText(stats::keys::kProvince, "none"))
          << value;
    }
    operation.writeNumber(stats::keys::kStart, 0);
    EXPECT_EQ(operation.readNumber(stats::keys::kStart), 0);
  }
  EXPECT_EQ(store.reads, 0);
  EXPECT_EQ(store.snapshots, 1 + 2 * 7);  // the operation's own and one per fresh read
  EXPECT_EQ(store.writes.size(), 2u * 7 + 1);
  EXPECT_EQ(store.writes.front(), "Mode=SSB");
  EXPECT_EQ(store.writes.back(), "Start=0");

  scratch.writeFile("Plugins/ZRV.ini", "[Settings]\r\nMode=CW\r\n");
  // A store that keeps files by their time stamp (Wine's kernel32) must see the change too.
  std::filesystem::last_write_time(
      scratch.path() / "Plugins/ZRV.ini",
      std::filesystem::file_time_type::clock::now() + std::chrono::hours(1));
  EXPECT_EQ(stats::Settings(store).readText(stats::keys::kMode), "CW");
}

}  // namespace
