#include "core/report/score_report.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <utility>

#include "core/rules/contest_rules.h"

namespace stats {
namespace {

// 32-bit arithmetic with two's-complement wrap instead of undefined overflow.
int32_t wrapAdd(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}
int32_t wrapMultiply(int32_t a, int32_t b) {
  return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// The band's sort key is the name with "0" put in front until it is at least 20 characters long;
// compared here without building it. std::string orders chars as unsigned char, and so does this.
int compareSortKeys(std::string_view left, std::string_view right) {
  constexpr std::size_t kKeyLength = 20;
  const std::size_t leftPadding = kKeyLength - std::min(left.size(), kKeyLength);
  const std::size_t rightPadding = kKeyLength - std::min(right.size(), kKeyLength);
  const std::size_t length = std::max(leftPadding + left.size(), rightPadding + right.size());
  for (std::size_t i = 0; i < length; ++i) {
    auto at = [i](std::string_view text, std::size_t padding) -> int {
      if (i < padding) return '0';
      if (i - padding < text.size()) return static_cast<unsigned char>(text[i - padding]);
      return -1;  // past the end: the shorter key sorts first
    };
    const int a = at(left, leftPadding), b = at(right, rightPadding);
    if (a != b) return a < b ? -1 : 1;
  }
  return 0;
}

bool keyBelow(std::string_view left, std::string_view right) {
  return compareSortKeys(left, right) < 0;
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

// Refills a contest band's lists with the values its side counts, unless they hold them already.
void refreshPerBandLists(ContestState& state, std::string_view band, std::size_t index) {
  const bool belgian = state.belgianStation != 0;
  const ContestState::ListSource source{state.qsoLog->multiplierVersion(band), belgian};
  if (source.version != 0 && state.listSources[index] == source) return;
  state.listSources[index] = source;
  state.dxccByBand[index].clear();
  state.provinceByBand[index].clear();
  state.euByBand[index].clear();
  for (const MultiplierKind kind : countedMultipliers(belgian)) {
    if (PerBandLists* lists = perBandLists(state, kind)) {
      (*lists)[index] = state.qsoLog->multiplierValues(band, kind);
    }
  }
}

int32_t bandPoints(const BandTally& counts, bool belgianStation) {
  int32_t points = 0;
  for (size_t worked = 0; worked < kStationClassCount; ++worked) {
    const int32_t each = qsoPoints(belgianStation, static_cast<StationClass>(worked));
    points = wrapAdd(points, wrapMultiply(each, counts.qsosByClass[worked]));
  }
  return points;
}

// True when no exchange is left to do: sorting would leave the list as it is.
bool bandListSorted(const BandList& bands) {
  for (size_t i = 0; i + 1 < bands.size(); ++i) {
    if (keyBelow(bands[i], bands[i + 1])) return false;
  }
  return true;
}

}  // namespace

void sortBandList(BandList& bands) {
  // An exchange sort, largest key first; equal keys are never swapped.
  for (size_t i = 0; i + 1 < bands.size(); ++i) {
    for (size_t j = i + 1; j < bands.size(); ++j) {
      if (keyBelow(bands[i], bands[j])) std::swap(bands[i], bands[j]);
    }
  }
}

void buildScoreReport(ContestState& state) {
  const bool belgian = state.belgianStation != 0;
  std::string& text = state.reportText;
  text.clear();
  const auto totalQsos = static_cast<int32_t>(static_cast<uint32_t>(state.qsoLog->size()));

  if (belgian) {
    text.append("\t    ").append(kReportTitle).append("\r\n\tQSOs\tPoints\tDXCC\r\n");
  } else {
    text.append("\t\t\t").append(kReportTitle);
    text.append("\r\n\tQSOs\tPoints\tON Province ON Prefix EuroUnion\r\n");
  }
  if (!bandListSorted(state.bandList)) sortBandList(state.bandList);

  int32_t totalPoints = 0;
  BandTally totals;
  for (const std::string& band : state.bandList) {
    if (const auto index = contestBandIndex(band)) refreshPerBandLists(state, band, *index);
    const BandTally counts = state.qsoLog->tally(band);
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
