#include "core/live/check_boxes.h"

#include <algorithm>

namespace stats {
namespace {

template <typename Texts>
std::optional<std::size_t> indexOf(const Texts& texts, std::string_view text) {
  const auto found = std::find(texts.begin(), texts.end(), text);
  if (found == texts.end()) return std::nullopt;
  return static_cast<std::size_t>(found - texts.begin());
}

}  // namespace

std::string_view euBoxText(std::size_t box) {
  const std::string_view prefix = kEuropeanUnionPrefixes.at(box);
  return prefix == "SY" ? "SV/A" : prefix;
}

std::optional<std::size_t> provinceBoxOf(std::string_view province) {
  return indexOf(kBelgianProvinces, province);
}

std::optional<std::size_t> euBoxOf(std::string_view dxccPrefix) {
  return indexOf(kEuropeanUnionPrefixes, dxccPrefix);
}

}  // namespace stats
