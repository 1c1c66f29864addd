#include "tests/model/linear_qso_store.h"

#include <algorithm>

#include "core/log/ole_date_time.h"

namespace stats_model {

using stats::CInfo;
using stats::MultiplierKind;

namespace {

int32_t wrapIncrement(int32_t value) {
  return static_cast<int32_t>(static_cast<uint32_t>(value) + 1u);
}

// Calls `visit` for the first record of each distinct counted value of the kind on the band.
template <typename Visit>
void forEachDistinctValue(const std::vector<CInfo>& records, std::string_view band,
                          MultiplierKind kind, Visit visit) {
  std::vector<std::string> seen;
  for (const CInfo& record : records) {
    if (record.band != band || record.call.empty()) continue;
    const std::string& value = stats::multiplierValue(record, kind);
    if (value.empty() && !stats::emptyValueCounts(kind)) continue;
    if (std::find(seen.begin(), seen.end(), value) != seen.end()) continue;
    seen.push_back(value);
    visit(value);
  }
}

}  // namespace

bool identical(const CInfo& left, const CInfo& right) {
  return left.call == right.call && left.country == right.country &&
         left.hostText30 == right.hostText30 && left.band == right.band &&
         left.mode == right.mode && left.hostText11 == right.hostText11 &&
         left.hostText10 == right.hostText10 && left.rcvdExch == right.rcvdExch &&
         left.sentExch == right.sentExch && left.province == right.province &&
         left.euCountry == right.euCountry && left.onPrefix == right.onPrefix &&
         left.freqKHz == right.freqKHz && stats::sameDateTime(left.time, right.time);
}

std::size_t identityHash(const CInfo& record) {
  std::size_t hash = 0;
  auto mix = [&hash](std::size_t value) {
    hash ^= value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
  };
  for (const std::string* text :
       {&record.call, &record.band, &record.mode, &record.rcvdExch, &record.sentExch}) {
    mix(std::hash<std::string>{}(*text));
  }
  mix(std::hash<int32_t>{}(record.freqKHz));
  mix(std::hash<int32_t>{}(record.time.m_status));
  // Only a valid time's day count takes part in identity; 0.0 and -0.0 are the same time.
  if (record.time.m_status == COleDateTimeValid && record.time.m_dt != 0.0) {
    mix(std::hash<double>{}(record.time.m_dt));
  }
  return hash;
}

std::vector<CInfo> allRecords(const stats::QsoStore& log) {
  std::vector<CInfo> all;
  all.reserve(log.size());
  log.forEachRecord([&all](const CInfo& record) { all.push_back(record); });
  return all;
}

void LinearQsoStore::clear() {
  records_.clear();
  recordsPerIdentityHash_.clear();
}

void LinearQsoStore::appendIfNotIdentical(const CInfo& record) {
  std::size_t& sameHash = recordsPerIdentityHash_[identityHash(record)];
  const bool present =
      sameHash > 0 && std::any_of(records_.begin(), records_.end(),
                                  [&](const CInfo& stored) { return identical(stored, record); });
  if (present) return;
  records_.push_back(record);
  ++sameHash;
}

void LinearQsoStore::erase(std::vector<CInfo>::iterator position) {
  auto count = recordsPerIdentityHash_.find(identityHash(*position));
  if (count != recordsPerIdentityHash_.end() && --count->second == 0) {
    recordsPerIdentityHash_.erase(count);
  }
  records_.erase(position);
}

bool LinearQsoStore::removeFirstIdentical(const CInfo& record) {
  auto found = std::find_if(records_.begin(), records_.end(),
                            [&](const CInfo& stored) { return identical(stored, record); });
  if (found == records_.end()) return false;
  erase(found);
  return true;
}

bool LinearQsoStore::removeFirstByCallModeBand(std::string_view call, std::string_view mode,
                                               std::string_view band) {
  auto found = std::find_if(records_.begin(), records_.end(), [&](const CInfo& stored) {
    return stored.call == call && stored.mode == mode && stored.band == band;
  });
  if (found == records_.end()) return false;
  erase(found);
  return true;
}

bool LinearQsoStore::hasCallOnBand(std::string_view call, std::string_view band) const {
  return std::any_of(records_.begin(), records_.end(), [&](const CInfo& record) {
    return record.call == call && record.band == band;
  });
}

bool LinearQsoStore::workedOnBand(std::string_view band, MultiplierKind kind,
                                  std::string_view value) const {
  return std::any_of(records_.begin(), records_.end(), [&](const CInfo& record) {
    return record.band == band && stats::multiplierValue(record, kind) == value;
  });
}

std::optional<CInfo> LinearQsoStore::lastWithCallOnBand(std::string_view call,
                                                        std::string_view band) const {
  std::optional<CInfo> last;
  for (const CInfo& record : records_) {
    if (record.call == call && record.band == band) last = record;
  }
  return last;
}

stats::BandTally LinearQsoStore::tally(std::string_view band) const {
  stats::BandTally counts;
  for (const CInfo& record : records_) {
    if (record.band != band || record.call.empty()) continue;
    counts.qsos = wrapIncrement(counts.qsos);
    int32_t& byClass =
        counts.qsosByClass[static_cast<std::size_t>(stats::classifyStation(record.country))];
    byClass = wrapIncrement(byClass);
  }
  for (std::size_t kind = 0; kind < stats::kMultiplierKindCount; ++kind) {
    forEachDistinctValue(records_, band, static_cast<MultiplierKind>(kind),
                         [&](const std::string&) {
                           counts.multipliers[kind] = wrapIncrement(counts.multipliers[kind]);
                         });
  }
  return counts;
}

std::vector<std::string> LinearQsoStore::multiplierValues(std::string_view band,
                                                          MultiplierKind kind) const {
  std::vector<std::string> values;
  forEachDistinctValue(records_, band, kind,
                       [&](const std::string& value) { values.push_back(value); });
  std::sort(values.begin(), values.end());
  return values;
}

void LinearQsoStore::forEachRecord(const std::function<void(const CInfo&)>& visit) const {
  for (const CInfo& record : records_) visit(record);
}

std::unique_ptr<stats::QsoStore> makeLinearQsoStore() {
  return std::make_unique<LinearQsoStore>();
}

}  // namespace stats_model
