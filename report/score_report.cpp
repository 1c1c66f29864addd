#include "report/score_report.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <utility>

#include "plugin/multipliers.h"

namespace stats {
namespace {

// 32-bit arithmetic with two's-complement wrap instead of undefined overflow.
int32_t wrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t wrapMultiply(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// The band's sort key: "0" put in front until it is at least 20 characters long.
std::string bandSortKey(const std::string& band) {
  return band.size() >= 20 ? band : std::string(20 - band.size(), '0') + band;
}

bool keyBelow(const std::string& left, const std::string& right) {
  // std::string compares chars through char_traits<char>, which orders as unsigned char.
  return left.compare(right) < 0;
}

template <typename... Numbers>
void appendFormatted(std::string& text, const char* format, Numbers... numbers) {
  const int length = std::snprintf(nullptr, 0, format, numbers...);
  if (length <= 0) return;
  std::string line(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(line.data(), line.size(), format, numbers...);
  line.pop_back();
  text += line;
}

// Appends `value` to `seen` when new; true when it was new.
bool addDistinct(TextList& seen, const std::string& value) {
  if (std::find(seen.begin(), seen.end(), value) != seen.end()) return false;
  seen.push_back(value);
  return true;
}

struct BandCounts {
  int32_t qsos = 0, belgian = 0, europeanUnion = 0, other = 0;
  int32_t lastColumn = 0, provinces = 0, prefixes = 0;
};

BandCounts countBand(ContestState& state, const std::string& band, size_t recordCount) {
  const std::optional<size_t> index = contestBandIndex(band);
  if (index) {
    state.dxccByBand[*index].clear();
    state.provinceByBand[*index].clear();
    state.euByBand[*index].clear();
  }
  BandCounts counts;
  TextList dxccSeen, provincesSeen, prefixesSeen, euSeen;
  const auto& records = state.qsoLog.records();
  for (size_t position = 0; position < recordCount; ++position) {
    const CInfo& record = records[position];
    if (record.band != band || record.call.empty()) continue;
    counts.qsos = wrapAdd(counts.qsos, 1);
    if (record.country == kBelgiumPrefix) {
      counts.belgian = wrapAdd(counts.belgian, 1);
    } else if (isEuropeanUnion(record.country)) {
      counts.europeanUnion = wrapAdd(counts.europeanUnion, 1);
    } else {
      counts.other = wrapAdd(counts.other, 1);
    }
    if (state.belgianStation) {
      if (addDistinct(dxccSeen, record.country)) {
        if (index) state.dxccByBand[*index].push_back(record.country);
        counts.lastColumn = wrapAdd(counts.lastColumn, 1);
      }
      continue;
    }
    if (!record.province.empty() && addDistinct(provincesSeen, record.province)) {
      if (index) state.provinceByBand[*index].push_back(record.province);
      counts.provinces = wrapAdd(counts.provinces, 1);
    }
    if (!record.onPrefix.empty() && addDistinct(prefixesSeen, record.onPrefix)) {
      counts.prefixes = wrapAdd(counts.prefixes, 1);
    }
    if (!record.euCountry.empty() && addDistinct(euSeen, record.euCountry)) {
      if (index) state.euByBand[*index].push_back(record.euCountry);
      counts.lastColumn = wrapAdd(counts.lastColumn, 1);
    }
  }
  return counts;
}

int32_t bandPoints(const BandCounts& counts, bool belgianStation) {
  if (belgianStation) {
    return wrapAdd(wrapAdd(counts.belgian, wrapMultiply(2, counts.europeanUnion)),
                   wrapMultiply(3, counts.other));
  }
  return wrapAdd(wrapAdd(counts.other, wrapMultiply(3, counts.europeanUnion)),
                 wrapMultiply(10, counts.belgian));
}

}  // namespace

void sortBandList(BandList& bands) {
  // An exchange sort, largest key first; equal keys are never swapped.
  for (size_t i = 0; i + 1 < bands.size(); ++i) {
    for (size_t j = i + 1; j < bands.size(); ++j) {
      if (keyBelow(bandSortKey(bands[i]), bandSortKey(bands[j]))) std::swap(bands[i], bands[j]);
    }
  }
}

void buildScoreReport(ContestState& state) {
  const bool belgian = state.belgianStation != 0;
  std::string& text = state.reportText;
  text.clear();
  const size_t recordCount = state.qsoLog.size();
  const auto totalQsos = static_cast<int32_t>(static_cast<uint32_t>(recordCount));

  text += belgian ? "\t    ZRV Contest \r\n\tQSOs\tPoints\tDXCC\r\n"
                  : "\t\t\tZRV Contest \r\n\tQSOs\tPoints\tON Province ON Prefix EuroUnion\r\n";
  sortBandList(state.bandList);

  int32_t totalPoints = 0, totalLastColumn = 0, totalProvinces = 0, totalPrefixes = 0;
  for (const std::string& band : state.bandList) {
    const BandCounts counts = countBand(state, band, recordCount);
    const int32_t points = bandPoints(counts, belgian);
    if (belgian) {
      appendFormatted(text, "%s\t %i\t %i\t %i\r\n", band.c_str(), counts.qsos, points,
                      counts.lastColumn);
    } else {
      appendFormatted(text, "%s\t %i\t %i\t    %i\t\t %i\t %i\r\n", band.c_str(), counts.qsos,
                      points, counts.provinces, counts.prefixes, counts.lastColumn);
    }
    totalPoints = wrapAdd(totalPoints, points);
    totalLastColumn = wrapAdd(totalLastColumn, counts.lastColumn);
    totalProvinces = wrapAdd(totalProvinces, counts.provinces);
    totalPrefixes = wrapAdd(totalPrefixes, counts.prefixes);
  }

  if (belgian) {
    state.claimedScore = wrapMultiply(totalPoints, totalLastColumn);
    appendFormatted(text, "Total\t %i\t %i\t %i\r\n", totalQsos, totalPoints, totalLastColumn);
    appendFormatted(text, "\r\nScore: %i*%i = %i\r\n", totalPoints, totalLastColumn,
                    state.claimedScore);
  } else {
    const int32_t multipliers = wrapAdd(wrapAdd(totalProvinces, totalPrefixes), totalLastColumn);
    state.claimedScore = wrapMultiply(totalPoints, multipliers);
    appendFormatted(text, "Total\t %i\t %i\t    %i\t\t %i\t %i\r\n", totalQsos, totalPoints,
                    totalProvinces, totalPrefixes, totalLastColumn);
    appendFormatted(text, "\r\nScore: %i*(%i + %i + %i) = %i\r\n", totalPoints, totalProvinces,
                    totalPrefixes, totalLastColumn, state.claimedScore);
  }
}

std::string_view cabrilloModeCode(std::string_view mode) {
  if (mode == "SSB") return "PH";
  if (mode == "CW") return "CW";
  return "??";
}

}  // namespace stats
