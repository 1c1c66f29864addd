#include "report/score_report.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <utility>

#include "plugin/contest_rules.h"

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
  int32_t qsos = 0;
  std::array<int32_t, kStationClassCount> qsosByClass{};
  std::array<int32_t, kMultiplierKindCount> multipliers{};

  int32_t multipliersOf(MultiplierKind kind) const {
    return multipliers[static_cast<size_t>(kind)];
  }
};

// The per-band lists the live windows show for a kind of multiplier; ON prefixes have none.
PerBandLists* perBandLists(ContestState& state, MultiplierKind kind) {
  switch (kind) {
    case MultiplierKind::dxcc:
      return &state.dxccByBand;
    case MultiplierKind::province:
      return &state.provinceByBand;
    case MultiplierKind::euCountry:
      return &state.euByBand;
    case MultiplierKind::onPrefix:
      break;
  }
  return nullptr;
}

BandCounts countBand(ContestState& state, const std::string& band, size_t recordCount) {
  const std::optional<size_t> index = contestBandIndex(band);
  if (index) {
    state.dxccByBand[*index].clear();
    state.provinceByBand[*index].clear();
    state.euByBand[*index].clear();
  }
  const auto counted = countedMultipliers(state.belgianStation != 0);
  BandCounts counts;
  std::array<TextList, kMultiplierKindCount> seen;
  const auto& records = state.qsoLog.records();
  for (size_t position = 0; position < recordCount; ++position) {
    const CInfo& record = records[position];
    if (record.band != band || record.call.empty()) continue;
    counts.qsos = wrapAdd(counts.qsos, 1);
    int32_t& byClass = counts.qsosByClass[static_cast<size_t>(classifyStation(record.country))];
    byClass = wrapAdd(byClass, 1);
    for (const MultiplierKind kind : counted) {
      const std::string& value = multiplierValue(record, kind);
      const auto slot = static_cast<size_t>(kind);
      if ((value.empty() && !emptyValueCounts(kind)) || !addDistinct(seen[slot], value)) continue;
      PerBandLists* lists = perBandLists(state, kind);
      if (index && lists) (*lists)[*index].push_back(value);
      counts.multipliers[slot] = wrapAdd(counts.multipliers[slot], 1);
    }
  }
  return counts;
}

int32_t bandPoints(const BandCounts& counts, bool belgianStation) {
  int32_t points = 0;
  for (size_t worked = 0; worked < kStationClassCount; ++worked) {
    const int32_t each = qsoPoints(belgianStation, static_cast<StationClass>(worked));
    points = wrapAdd(points, wrapMultiply(each, counts.qsosByClass[worked]));
  }
  return points;
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

  if (belgian) {
    text.append("\t    ").append(kReportTitle).append("\r\n\tQSOs\tPoints\tDXCC\r\n");
  } else {
    text.append("\t\t\t").append(kReportTitle);
    text.append("\r\n\tQSOs\tPoints\tON Province ON Prefix EuroUnion\r\n");
  }
  sortBandList(state.bandList);

  int32_t totalPoints = 0;
  BandCounts totals;
  for (const std::string& band : state.bandList) {
    const BandCounts counts = countBand(state, band, recordCount);
    const int32_t points = bandPoints(counts, belgian);
    if (belgian) {
      appendFormatted(text, "%s\t %i\t %i\t %i\r\n", band.c_str(), counts.qsos, points,
                      counts.multipliersOf(MultiplierKind::dxcc));
    } else {
      appendFormatted(text, "%s\t %i\t %i\t    %i\t\t %i\t %i\r\n", band.c_str(), counts.qsos,
                      points, counts.multipliersOf(MultiplierKind::province),
                      counts.multipliersOf(MultiplierKind::onPrefix),
                      counts.multipliersOf(MultiplierKind::euCountry));
    }
    totalPoints = wrapAdd(totalPoints, points);
    for (size_t kind = 0; kind < kMultiplierKindCount; ++kind) {
      totals.multipliers[kind] = wrapAdd(totals.multipliers[kind], counts.multipliers[kind]);
    }
  }

  // The claimed score: points times every multiplier the own side counts.
  int32_t multipliers = 0;
  for (const MultiplierKind kind : countedMultipliers(belgian)) {
    multipliers = wrapAdd(multipliers, totals.multipliersOf(kind));
  }
  state.claimedScore = wrapMultiply(totalPoints, multipliers);
  if (belgian) {
    const int32_t dxcc = totals.multipliersOf(MultiplierKind::dxcc);
    appendFormatted(text, "Total\t %i\t %i\t %i\r\n", totalQsos, totalPoints, dxcc);
    appendFormatted(text, "\r\nScore: %i*%i = %i\r\n", totalPoints, dxcc, state.claimedScore);
  } else {
    const int32_t provinces = totals.multipliersOf(MultiplierKind::province);
    const int32_t prefixes = totals.multipliersOf(MultiplierKind::onPrefix);
    const int32_t euCountries = totals.multipliersOf(MultiplierKind::euCountry);
    appendFormatted(text, "Total\t %i\t %i\t    %i\t\t %i\t %i\r\n", totalQsos, totalPoints,
                    provinces, prefixes, euCountries);
    appendFormatted(text, "\r\nScore: %i*(%i + %i + %i) = %i\r\n", totalPoints, provinces, prefixes,
                    euCountries, state.claimedScore);
  }
}

}  // namespace stats
