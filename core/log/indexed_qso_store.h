// The log store the plug-in keeps: records as text ids in log order, with indexes kept up to date
// on every add and remove, so that no export and no poll walks the log:
// - by identity, for the duplicate test and the first removal;
// - by call and band, a chain of the records in log order, for the repeat test, the fallback
//   removal and the live window's last QSO;
// - per band, the report's counts and every multiplier value with the number of records that
//   carry it.
// A removed record leaves a gap; the gaps are squeezed out once they outnumber the records.
#pragma once

#include <unordered_map>

#include "core/log/chunked_vector.h"
#include "core/log/qso_store.h"
#include "core/log/slot_table.h"
#include "core/log/text_pool.h"

namespace stats {

class IndexedQsoStore : public QsoStore {
 public:
  void clear() override;
  std::size_t size() const override { return liveRecords_; }
  void appendIfNotIdentical(const CInfo& record) override;
  bool removeFirstIdentical(const CInfo& record) override;
  bool removeFirstByCallModeBand(std::string_view call, std::string_view mode,
                                 std::string_view band) override;
  bool hasCallOnBand(std::string_view call, std::string_view band) const override;
  bool workedOnBand(std::string_view band, MultiplierKind kind,
                    std::string_view value) const override;
  std::optional<CInfo> lastWithCallOnBand(std::string_view call,
                                          std::string_view band) const override;
  BandTally tally(std::string_view band) const override;
  std::vector<std::string> multiplierValues(std::string_view band,
                                            MultiplierKind kind) const override;
  uint64_t multiplierVersion(std::string_view band) const override;
  void forEachRecord(const std::function<void(const CInfo&)>& visit) const override;

  static constexpr std::size_t kTextFields = 12;

 private:
  using TextIds = std::array<uint32_t, kTextFields>;

  struct StoredRecord {
    TextIds text{};
    int32_t freqKHz = 0;
    int32_t timeStatus = 0;
    double timeDays = 0.0;
    uint32_t nextSameCallBand = SlotTable::kNone;  // the next record in log order, or kNone
    bool removed = false;
  };

  struct ValueCount {
    uint32_t records = 0;   // every record on the band with the value
    uint32_t withCall = 0;  // those with a call, which the report counts
  };
  struct BandState {
    uint32_t qsos = 0;
    std::array<uint32_t, kStationClassCount> qsosByClass{};
    std::array<std::unordered_map<uint32_t, ValueCount>, kMultiplierKindCount> values;
    std::array<uint32_t, kMultiplierKindCount> distinct{};
    uint64_t version = 0;
  };

  // The record's texts as ids, or nullopt when one of them was never stored (nothing matches).
  std::optional<TextIds> findIds(const CInfo& record) const;
  TextIds internIds(const CInfo& record);
  CInfo materialise(const StoredRecord& stored) const;

  uint32_t identityHash(const TextIds& text, int32_t freqKHz, const COleDateTime& time) const;
  uint32_t callBandHash(uint32_t call, uint32_t band) const;
  uint32_t findIdentical(const TextIds& text, int32_t freqKHz, const COleDateTime& time) const;
  uint32_t chainHead(uint32_t call, uint32_t band) const;

  void link(uint32_t slot);
  void unlink(uint32_t slot);
  void count(const StoredRecord& stored, bool adding);
  void remove(uint32_t slot);
  void squeezeGaps();
  const BandState* bandState(std::string_view band) const;
  StationClass stationClass(uint32_t country);

  TextPool texts_;
  ChunkedVector<StoredRecord> records_;
  std::size_t liveRecords_ = 0;
  SlotTable byIdentity_;
  SlotTable byCallAndBand_;  // the first record of each call and band
  std::unordered_map<uint32_t, BandState> bands_;
  std::unordered_map<uint32_t, StationClass> classOfCountry_;  // the rules' class, looked up once
  uint64_t lastVersion_ = 0;  // never reset: a version once superseded is never given again
};

}  // namespace stats
