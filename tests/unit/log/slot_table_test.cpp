#include "core/log/slot_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

using stats::SlotTable;

// Hashes that crowd a few home positions, one of them the last of the table, so that probe runs
// collide, wrap around the end and get holes punched into them by deletions.
uint32_t crowdedHash(uint32_t value) {
  static constexpr uint32_t kHomes[] = {0, 1, 15, 0xFFFFFFFFu, 7, 0x10};
  return kHomes[value % std::size(kHomes)];
}

TEST(SlotTable, EveryStoredValueStaysFoundThroughGrowthAndDeletion) {
  for (const uint32_t seed : {1u, 2u, 3u}) {
    SlotTable table;
    std::vector<uint32_t> stored;
    for (uint32_t value = 0; value < 200; ++value) {
      table.insert(crowdedHash(value), value);
      stored.push_back(value);
    }
    std::mt19937 random(seed);
    std::shuffle(stored.begin(), stored.end(), random);
    auto found = [&table](uint32_t value) {
      return table.find(crowdedHash(value), [value](uint32_t v) { return v == value; }) == value;
    };
    while (!stored.empty()) {
      const uint32_t gone = stored.back();
      stored.pop_back();
      ASSERT_TRUE(table.erase(crowdedHash(gone), gone));
      ASSERT_FALSE(table.erase(crowdedHash(gone), gone));
      ASSERT_FALSE(found(gone));
      ASSERT_TRUE(std::all_of(stored.begin(), stored.end(), found)) << "seed " << seed;
      ASSERT_EQ(table.size(), stored.size());
    }
  }
}

TEST(SlotTable, ReplaceKeepsTheEntryUnderItsHash) {
  SlotTable table;
  table.insert(5, 1);
  table.insert(5, 2);
  EXPECT_TRUE(table.replace(5, 1, 9));
  EXPECT_FALSE(table.replace(6, 2, 9));
  EXPECT_EQ(table.find(5, [](uint32_t v) { return v == 9; }), 9u);
  EXPECT_EQ(table.find(5, [](uint32_t v) { return v == 1; }), SlotTable::kNone);
  EXPECT_TRUE(table.erase(5, 9));
  EXPECT_EQ(table.find(5, [](uint32_t) { return true; }), 2u);
}

}  // namespace
