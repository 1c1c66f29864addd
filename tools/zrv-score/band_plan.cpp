#include "tools/zrv-score/band_plan.h"

#include <array>
#include <limits>

namespace zrv_score {
namespace {

struct BandEdges {
  std::string_view band;
  std::uint64_t lowHz, highHz;
};

// The amateur allocations of the contest bands, edges included.
constexpr std::array<BandEdges, 6> kContestBandEdges = {{{"160m", 1800000, 2000000},
                                                         {"80m", 3500000, 4000000},
                                                         {"40m", 7000000, 7300000},
                                                         {"20m", 14000000, 14350000},
                                                         {"15m", 21000000, 21450000},
                                                         {"10m", 28000000, 29700000}}};

// FREQ read as MHz, kHz and Hz: millionths of a MHz are Hz, of a kHz thousandths of a Hz.
constexpr std::array<std::uint64_t, 3> kMillionthsPerHz = {1, 1000, 1000000};

char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

unsigned int asHz(std::uint64_t hz) {
  return hz > std::numeric_limits<unsigned int>::max() ? std::numeric_limits<unsigned int>::max()
                                                       : static_cast<unsigned int>(hz);
}

// Rounded half up, as a frequency written with more digits than a Hz is read.
std::uint64_t hzOf(std::uint64_t millionths, std::uint64_t perHz) {
  return millionths / perHz + (millionths % perHz * 2 >= perHz ? 1 : 0);
}

}  // namespace

std::string contestBandOf(std::uint64_t hz) {
  for (const BandEdges& edges : kContestBandEdges) {
    if (hz >= edges.lowHz && hz <= edges.highHz) return std::string(edges.band);
  }
  return {};
}

unsigned int bandEdgeHz(std::string_view band) {
  for (const BandEdges& edges : kContestBandEdges) {
    if (edges.band == band) return static_cast<unsigned int>(edges.lowHz);
  }
  return 0;
}

bool isContestBand(std::string_view band) {
  return bandEdgeHz(band) != 0;
}

std::optional<std::uint64_t> frequencyMillionths(std::string_view text) {
  const std::size_t point = text.find('.');
  std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  for (const std::string_view digits : {whole, fraction}) {
    for (const char c : digits) {
      if (c < '0' || c > '9') return std::nullopt;
    }
  }
  while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
  // Twelve digits before the point (a THz in Hz) is more than any unit makes of a radio
  // frequency, and keeps the value far from overflowing.
  if (whole.size() > 12) return std::nullopt;
  std::uint64_t value = 0;
  for (const char c : whole) value = value * 10 + static_cast<unsigned>(c - '0');
  for (std::size_t i = 0; i < 6; ++i) {
    value = value * 10 + (i < fraction.size() ? static_cast<unsigned>(fraction[i] - '0') : 0);
  }
  if (fraction.size() > 6 && fraction[6] >= '5') ++value;
  return value;
}

BandAndFrequency bandAndFrequency(std::string_view band,
                                  std::optional<std::uint64_t> frequencyMillionths) {
  BandAndFrequency result;
  for (const char c : band) result.band += asciiLower(c);
  const bool contestBand = isContestBand(result.band);
  if (!frequencyMillionths) {
    if (contestBand) {
      result.hz = bandEdgeHz(result.band);
      result.source = FrequencySource::bandEdge;
    }
    return result;
  }
  for (std::size_t unit = 0; unit < kMillionthsPerHz.size(); ++unit) {
    const std::uint64_t hz = hzOf(*frequencyMillionths, kMillionthsPerHz[unit]);
    const std::string bandOfFrequency = contestBandOf(hz);
    if (bandOfFrequency.empty() || (!result.band.empty() && bandOfFrequency != result.band)) {
      continue;
    }
    result.band = bandOfFrequency;
    result.hz = asHz(hz);
    result.source = unit == 0 ? FrequencySource::freq : FrequencySource::converted;
    return result;
  }
  if (contestBand) {
    result.hz = bandEdgeHz(result.band);
    result.source = FrequencySource::overruled;
  } else {
    // Outside the contest's bands: kept as MHz for what the record says, but never handed over.
    result.hz = asHz(*frequencyMillionths);
  }
  return result;
}

}  // namespace zrv_score
