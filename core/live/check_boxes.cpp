#include "core/live/check_boxes.h"

#include <algorithm>

#include "core/rules/contest_rules.h"
#include "resources/resource.h"

namespace stats {

const std::array<int, kProvinceBoxCount> kProvinceBoxIds = {
    IDC_PROVINCE_AN, IDC_PROVINCE_BR, IDC_PROVINCE_BW, IDC_PROVINCE_HT,
    IDC_PROVINCE_LB, IDC_PROVINCE_LG, IDC_PROVINCE_NM, IDC_PROVINCE_LU,
    IDC_PROVINCE_OV, IDC_PROVINCE_VB, IDC_PROVINCE_WV};

const std::array<std::string_view, kEuBoxCount> kEuBoxTexts = {
    "5B", "FY", "9A", "9H", "CT", "CT3", "CU",  "DL",   "EA",  "EA6", "EA8", "EI",
    "ES", "F",  "FG", "FM", "FR", "G",   "GD",  "GI",   "GJ",  "GM",  "GU",  "GW",
    "HA", "I",  "IS", "LX", "LY", "LZ",  "OE",  "OH",   "OH0", "OJ0", "OK",  "OM",
    "OZ", "PA", "S5", "SM", "SP", "SV",  "SV9", "SV/A", "TK",  "YL",  "YO",  "SV5"};

namespace {

template <typename Texts>
std::optional<std::size_t> indexOf(const Texts& texts, std::string_view text) {
  const auto found = std::find(texts.begin(), texts.end(), text);
  if (found == texts.end()) return std::nullopt;
  return static_cast<std::size_t>(found - texts.begin());
}

}  // namespace

std::optional<std::size_t> provinceBoxOf(std::string_view province) {
  static_assert(kBelgianProvinces.size() == kProvinceBoxCount);
  return indexOf(kBelgianProvinces, province);
}

std::optional<std::size_t> euBoxOf(std::string_view dxccPrefix) {
  if (dxccPrefix == "SY") return indexOf(kEuBoxTexts, "SV/A");
  return indexOf(kEuBoxTexts, dxccPrefix);
}

}  // namespace stats
