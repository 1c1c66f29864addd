#include "core/log/qso_record.h"

#include <algorithm>

namespace stats {

void addBandIfNew(BandList& bands, std::string_view band) {
  if (std::find(bands.begin(), bands.end(), band) == bands.end()) bands.emplace_back(band);
}

const std::string& multiplierValue(const CInfo& record, MultiplierKind kind) {
  switch (kind) {
    case MultiplierKind::dxcc:
      return record.country;
    case MultiplierKind::province:
      return record.province;
    case MultiplierKind::onPrefix:
      return record.onPrefix;
    case MultiplierKind::euCountry:
      break;
  }
  return record.euCountry;
}

}  // namespace stats
