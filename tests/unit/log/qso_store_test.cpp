#include <gtest/gtest.h>

#include <functional>

#include "core/log/indexed_qso_store.h"
#include "tests/model/linear_qso_store.h"

namespace {

using stats::CInfo;

// The indexed store and the scanning reference behave alike here; the differential test compares
// them on random operation sequences.
template <typename Store>
class QsoStore : public testing::Test {};
using Stores = testing::Types<stats::IndexedQsoStore, stats_model::LinearQsoStore>;
TYPED_TEST_SUITE(QsoStore, Stores);

TYPED_TEST(QsoStore, IdentityFollowsAppendsAndRemovals) {
  TypeParam log;
  CInfo record;
  record.call = "K1AA";
  record.time = COleDateTime{0.0, COleDateTimeValid};
  log.appendIfNotIdentical(record);
  record.time.m_dt = -0.0;  // the same time: still identical
  log.appendIfNotIdentical(record);
  EXPECT_EQ(log.size(), 1u);

  CInfo nullTime = record;
  nullTime.time = COleDateTime{5.0, COleDateTimeNull};
  log.appendIfNotIdentical(nullTime);
  nullTime.time.m_dt = 6.0;  // a null time's day count plays no part
  log.appendIfNotIdentical(nullTime);
  EXPECT_EQ(log.size(), 2u);

  EXPECT_TRUE(log.removeFirstIdentical(record));
  EXPECT_FALSE(log.removeFirstIdentical(record));
  log.appendIfNotIdentical(record);
  EXPECT_EQ(log.size(), 2u);
  EXPECT_EQ(stats_model::allRecords(log).back().call, "K1AA");
  log.clear();
  log.appendIfNotIdentical(record);
  EXPECT_EQ(log.size(), 1u);
}

// Two records that differ only in a field the identity hash may leave out share their hash: after
// one of them goes, the other still counts, so adding it again stores no duplicate.
TYPED_TEST(QsoStore, RemovingOneOfTwoRecordsOfAHashKeepsTheOtherCounted) {
  std::string CInfo::*const carriedFields[] = {
      &CInfo::country,  &CInfo::hostText30, &CInfo::hostText11, &CInfo::hostText10,
      &CInfo::province, &CInfo::euCountry,  &CInfo::onPrefix};
  const std::function<bool(TypeParam&, const CInfo&)> removals[] = {
      [](TypeParam& log, const CInfo& record) { return log.removeFirstIdentical(record); },
      [](TypeParam& log, const CInfo& record) {
        return log.removeFirstByCallModeBand(record.call, record.mode, record.band);
      }};
  int sharedHashes = 0;
  for (auto field : carriedFields) {
    for (const auto& remove : removals) {
      CInfo x;
      x.call = "ON4AA";
      x.band = "20m";
      x.mode = "CW";
      x.rcvdExch = "0012 AN";
      x.freqKHz = 14025;
      x.time = COleDateTime{46000.5, COleDateTimeValid};
      CInfo y = x;
      y.*field = "other";
      sharedHashes += stats_model::identityHash(x) == stats_model::identityHash(y);

      TypeParam log;
      log.appendIfNotIdentical(x);
      log.appendIfNotIdentical(y);
      ASSERT_EQ(log.size(), 2u);
      ASSERT_TRUE(remove(log, x));
      log.appendIfNotIdentical(y);
      ASSERT_EQ(log.size(), 1u) << "a second copy of a stored record";
      EXPECT_EQ(stats_model::allRecords(log)[0].*field, "other");
      log.appendIfNotIdentical(x);
      log.appendIfNotIdentical(x);
      EXPECT_EQ(log.size(), 2u);
      EXPECT_TRUE(log.removeFirstIdentical(y));
      EXPECT_TRUE(log.removeFirstIdentical(x));
      EXPECT_EQ(log.size(), 0u);
    }
  }
  // Records of different hashes never share a count: the case needs a field the hash leaves out.
  EXPECT_GT(sharedHashes, 0) << "every field is hashed: the shared count goes untested";
}

}  // namespace
