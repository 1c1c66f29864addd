// The check boxes of the province and European-Union windows, and which worked multiplier ticks
// which box.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace stats {

// The province window's boxes in the order of their flags (the Belgian provinces of the rules).
inline constexpr std::size_t kProvinceBoxCount = 11;
using ProvinceBoxes = std::array<bool, kProvinceBoxCount>;
extern const std::array<int, kProvinceBoxCount> kProvinceBoxIds;

// The European-Union window's boxes in the order of their control ids, 1016 to 1063.
inline constexpr std::size_t kEuBoxCount = 48;
using EuBoxes = std::array<bool, kEuBoxCount>;
inline constexpr int kFirstEuBoxId = 1016;
extern const std::array<std::string_view, kEuBoxCount> kEuBoxTexts;

// The box a worked province ticks: the one with its text; none for an unknown text.
std::optional<std::size_t> provinceBoxOf(std::string_view province);
// The box a worked European-Union country ticks: the one with its text, and "SV/A" for Mount Athos
// ("SY"), the one entity whose box carries another text; none for an unknown text.
std::optional<std::size_t> euBoxOf(std::string_view dxccPrefix);

}  // namespace stats
