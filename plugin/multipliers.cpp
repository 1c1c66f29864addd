#include "plugin/multipliers.h"

#include <algorithm>

namespace stats {
namespace {

constexpr std::array<std::string_view, 48> kEuropeanUnion = {
    "5B", "9H", "CT", "CT3", "CU", "DL",  "EA",  "EA6", "EA8", "EI", "ES", "F",
    "FG", "FY", "FM", "FR",  "G",  "GD",  "GI",  "GJ",  "GM",  "GU", "GW", "HA",
    "I",  "IS", "LX", "LY",  "LZ", "OE",  "OH",  "OH0", "OJ0", "OK", "OM", "OZ",
    "PA", "S5", "SM", "SP",  "SV", "SV5", "SV9", "SY",  "TK",  "YL", "YO", "9A"};

}  // namespace

std::optional<size_t> contestBandIndex(std::string_view band) {
  for (size_t index = 0; index < kContestBands.size(); ++index) {
    if (kContestBands[index] == band) return index;
  }
  return std::nullopt;
}

bool isEuropeanUnion(std::string_view dxccPrefix) {
  return std::find(kEuropeanUnion.begin(), kEuropeanUnion.end(), dxccPrefix) !=
         kEuropeanUnion.end();
}

}  // namespace stats
