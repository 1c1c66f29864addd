#include "plugin/qso_record.h"

#include <algorithm>

#include "plugin/ole_date_time.h"

namespace stats {

bool identical(const CInfo& left, const CInfo& right) {
  return left.call == right.call && left.country == right.country &&
         left.hostText30 == right.hostText30 && left.band == right.band &&
         left.mode == right.mode && left.hostText11 == right.hostText11 &&
         left.hostText10 == right.hostText10 && left.rcvdExch == right.rcvdExch &&
         left.sentExch == right.sentExch && left.province == right.province &&
         left.euCountry == right.euCountry && left.onPrefix == right.onPrefix &&
         left.freqKHz == right.freqKHz && sameDateTime(left.time, right.time);
}

size_t identityHash(const CInfo& record) {
  size_t hash = 0;
  auto mix = [&hash](size_t value) {
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

void QsoLog::clear() {
  records_.clear();
  recordsPerIdentityHash_.clear();
}

void QsoLog::appendIfNotIdentical(const CInfo& record) {
  size_t& sameHash = recordsPerIdentityHash_[identityHash(record)];
  const bool present =
      sameHash > 0 && std::any_of(records_.begin(), records_.end(),
                                  [&](const CInfo& stored) { return identical(stored, record); });
  if (present) return;
  records_.push_back(record);
  ++sameHash;
}

void QsoLog::erase(std::vector<CInfo>::iterator position) {
  auto count = recordsPerIdentityHash_.find(identityHash(*position));
  if (count != recordsPerIdentityHash_.end() && --count->second == 0) {
    recordsPerIdentityHash_.erase(count);
  }
  records_.erase(position);
}

bool QsoLog::removeFirstIdentical(const CInfo& record) {
  auto count = recordsPerIdentityHash_.find(identityHash(record));
  if (count == recordsPerIdentityHash_.end()) return false;
  auto found = std::find_if(records_.begin(), records_.end(),
                            [&](const CInfo& stored) { return identical(stored, record); });
  if (found == records_.end()) return false;
  erase(found);
  return true;
}

bool QsoLog::removeFirstByCallModeBand(std::string_view call, std::string_view mode,
                                       std::string_view band) {
  auto found = std::find_if(records_.begin(), records_.end(), [&](const CInfo& stored) {
    return stored.call == call && stored.mode == mode && stored.band == band;
  });
  if (found == records_.end()) return false;
  erase(found);
  return true;
}

std::optional<size_t> QsoLog::findFirstByCallAndBand(std::string_view call,
                                                     std::string_view band) const {
  for (size_t position = 0; position < records_.size(); ++position) {
    if (records_[position].call == call && records_[position].band == band) return position;
  }
  return std::nullopt;
}

void addBandIfNew(BandList& bands, std::string_view band) {
  if (std::find(bands.begin(), bands.end(), band) == bands.end()) bands.emplace_back(band);
}

}  // namespace stats
