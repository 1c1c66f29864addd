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

void addBandIfNew(BandList& bands, std::string_view band) {
  if (std::find(bands.begin(), bands.end(), band) == bands.end()) bands.emplace_back(band);
}

}  // namespace stats
