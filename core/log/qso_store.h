// The plug-in's copy of the contest log, behind the questions the exports and the live window ask
// of it. The plug-in keeps an indexed store (core/log/indexed_qso_store.h) that answers each of
// them without walking the log; the test tree keeps a straightforward scanning store as the
// reference the indexed one is checked and measured against.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/log/qso_record.h"
#include "core/rules/contest_rules.h"

namespace stats {

// What the score report prints for one band: the records on it that have a call. Counts wrap
// around like 32-bit two's complement.
struct BandTally {
  int32_t qsos = 0;
  std::array<int32_t, kStationClassCount> qsosByClass{};
  // Distinct values of each kind of multiplier; an empty value only where it counts.
  std::array<int32_t, kMultiplierKindCount> multipliers{};

  int32_t multipliersOf(MultiplierKind kind) const {
    return multipliers[static_cast<std::size_t>(kind)];
  }
  bool operator==(const BandTally&) const = default;
};

class QsoStore {
 public:
  virtual ~QsoStore() = default;

  virtual void clear() = 0;
  virtual std::size_t size() const = 0;

  // Two records are identical when every text is equal byte for byte, and so are the frequencies
  // and the times (the status, and for a valid time the day count).

  // Appends a copy unless an identical record is stored already.
  virtual void appendIfNotIdentical(const CInfo& record) = 0;
  // Removes the first record identical to `record`; false when there is none.
  virtual bool removeFirstIdentical(const CInfo& record) = 0;
  // Removes the first record with this call, mode and band (exact); false when there is none.
  virtual bool removeFirstByCallModeBand(std::string_view call, std::string_view mode,
                                         std::string_view band) = 0;

  // True when some record has this call on this band.
  virtual bool hasCallOnBand(std::string_view call, std::string_view band) const = 0;
  // True when some record on the band has this value of the kind (records without a call too).
  virtual bool workedOnBand(std::string_view band, MultiplierKind kind,
                            std::string_view value) const = 0;
  // The last record in log order with this call on this band.
  virtual std::optional<CInfo> lastWithCallOnBand(std::string_view call,
                                                  std::string_view band) const = 0;

  virtual BandTally tally(std::string_view band) const = 0;
  // The values `tally` counts for this band and kind, each once, in byte order.
  virtual std::vector<std::string> multiplierValues(std::string_view band,
                                                    MultiplierKind kind) const = 0;
  // A number that changes whenever the band's multiplier values may have changed, and is never
  // given again once it has changed; 0 when the store cannot tell (ask for the values every time).
  virtual uint64_t multiplierVersion(std::string_view band) const = 0;

  // Every record, in log order.
  virtual void forEachRecord(const std::function<void(const CInfo&)>& visit) const = 0;
};

std::unique_ptr<QsoStore> makeIndexedQsoStore();

}  // namespace stats
