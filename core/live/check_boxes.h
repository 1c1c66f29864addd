// The check boxes of the province and European-Union windows, and which worked multiplier ticks
// which box.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "core/rules/contest_rules.h"

namespace stats {

// The province window's boxes, one per Belgian province of the rules, in their order.
inline constexpr std::size_t kProvinceBoxCount = kBelgianProvinces.size();
using ProvinceBoxes = std::array<bool, kProvinceBoxCount>;

// The European-Union window's boxes, one per European-Union entity of the rules, in their order.
// The platform finds each box's control by its text.
inline constexpr std::size_t kEuBoxCount = kEuropeanUnionPrefixes.size();
using EuBoxes = std::array<bool, kEuBoxCount>;
// The box's text: the entity's prefix, but "SV/A" for Mount Athos ("SY").
std::string_view euBoxText(std::size_t box);

// The box a worked province ticks: the one with its text; none for an unknown text.
std::optional<std::size_t> provinceBoxOf(std::string_view province);
// The box a worked European-Union country ticks: its entity's; none for a prefix that is no
// European-Union entity of the rules.
std::optional<std::size_t> euBoxOf(std::string_view dxccPrefix);

}  // namespace stats
