#include "plugin/qso_record.h"

#include <algorithm>

namespace stats {

void addBandIfNew(BandList& bands, std::string_view band) {
  if (std::find(bands.begin(), bands.end(), band) == bands.end()) bands.emplace_back(band);
}

}  // namespace stats
