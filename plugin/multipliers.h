// The contest's bands and how a worked station is classified for multipliers.
#pragma once

#include <array>
#include <optional>
#include <string_view>

namespace stats {

// The six contest bands with their fixed indexes 0 to 5.
inline constexpr std::array<std::string_view, 6> kContestBands = {"160m", "80m", "40m",
                                                                  "20m",  "15m", "10m"};

// The index of a contest band (exact, case-sensitive), or none.
std::optional<size_t> contestBandIndex(std::string_view band);

// True when the DXCC prefix is one of the European-Union entities (whole, case-sensitive match).
bool isEuropeanUnion(std::string_view dxccPrefix);

// Belgium's own DXCC prefix: Belgian stations are a class of their own.
inline constexpr std::string_view kBelgiumPrefix = "ON";

}  // namespace stats
