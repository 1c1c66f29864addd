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

void QsoLog::appendIfNotIdentical(const CInfo& record) {
  const bool present = std::any_of(records_.begin(), records_.end(),
                                   [&](const CInfo& stored) { return identical(stored, record); });
  if (!present) records_.push_back(record);
}

bool QsoLog::removeFirstIdentical(const CInfo& record) {
  auto found = std::find_if(records_.begin(), records_.end(),
                            [&](const CInfo& stored) { return identical(stored, record); });
  if (found == records_.end()) return false;
  records_.erase(found);
  return true;
}

bool QsoLog::removeFirstByCallModeBand(std::string_view call, std::string_view mode,
                                       std::string_view band) {
  auto found = std::find_if(records_.begin(), records_.end(), [&](const CInfo& stored) {
    return stored.call == call && stored.mode == mode && stored.band == band;
  });
  if (found == records_.end()) return false;
  records_.erase(found);
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
