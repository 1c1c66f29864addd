// The rules of the ZRV DX Contest, in one place: its bands, who counts which QSO points and which
// multipliers, the exchange forms, and the names under which the contest appears. A new year's
// rules change here; the accounting, the call check, the report and the Cabrillo writer read them.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace stats {

// ---- Names

// The statistics set the host lists.
inline constexpr std::string_view kSetName = "ZRV Contest (C)";
// The title line of the score report.
inline constexpr std::string_view kReportTitle = "ZRV Contest ";
// The contest's id in the Cabrillo file: one per leg.
inline constexpr std::string_view kCabrilloContestCw = "ZRV-DX-CW";
inline constexpr std::string_view kCabrilloContestSsb = "ZRV-DX-SSB";
std::string_view cabrilloContestId(bool cwLeg);

// ---- Modes and bands

inline constexpr std::string_view kModeCw = "CW";
inline constexpr std::string_view kModeSsb = "SSB";
// A QSO in any other mode (compared exactly) is not part of the contest.
bool isContestMode(std::string_view mode);

// The six contest bands with their fixed indexes 0 to 5, in band order.
inline constexpr std::size_t kContestBandCount = 6;
inline constexpr std::array<std::string_view, kContestBandCount> kContestBands = {
    "160m", "80m", "40m", "20m", "15m", "10m"};
// The index of a contest band (exact, case-sensitive), or none.
std::optional<std::size_t> contestBandIndex(std::string_view band);

// ---- Stations

// Belgium's DXCC prefix: an own station with it is on the Belgian side of the contest, and a
// worked station with it is Belgian.
inline constexpr std::string_view kBelgiumPrefix = "ON";
bool isBelgianPrefix(std::string_view dxccPrefix);

// The European-Union entities by DXCC prefix. Belgium is a class of its own, not listed here.
inline constexpr std::array<std::string_view, 48> kEuropeanUnionPrefixes = {
    "5B", "9H", "CT", "CT3", "CU", "DL",  "EA",  "EA6", "EA8", "EI", "ES", "F",
    "FG", "FY", "FM", "FR",  "G",  "GD",  "GI",  "GJ",  "GM",  "GU", "GW", "HA",
    "I",  "IS", "LX", "LY",  "LZ", "OE",  "OH",  "OH0", "OJ0", "OK", "OM", "OZ",
    "PA", "S5", "SM", "SP",  "SV", "SV5", "SV9", "SY",  "TK",  "YL", "YO", "9A"};
// True when the whole prefix is a listed one (exact, case-sensitive; no prefix match).
bool isEuropeanUnion(std::string_view dxccPrefix);

// The Belgian provinces, as the province window lists them.
inline constexpr std::array<std::string_view, 11> kBelgianProvinces = {
    "AN", "BR", "BW", "HT", "LB", "LG", "NM", "LU", "OV", "VB", "WV"};

enum class StationClass { belgian, europeanUnion, other };
inline constexpr std::size_t kStationClassCount = 3;
StationClass classifyStation(std::string_view dxccPrefix);

// ---- Points and multipliers, by the own station's side

// Points of one QSO with a station of that class.
int32_t qsoPoints(bool belgianStation, StationClass worked);

// What counts as a multiplier, once per band: a Belgian station counts DXCC entities; any other
// counts ON provinces, ON prefixes and European-Union countries.
enum class MultiplierKind { dxcc, province, onPrefix, euCountry };
inline constexpr std::size_t kMultiplierKindCount = 4;
std::span<const MultiplierKind> countedMultipliers(bool belgianStation);
bool countsMultiplier(bool belgianStation, MultiplierKind kind);

// Whether an empty value is a multiplier: an empty DXCC text is an entity of its own, while an
// empty province, prefix or EU country means the QSO has none of that kind.
bool emptyValueCounts(MultiplierKind kind);
// The value a QSO with this station would have, as far as its call tells (before the exchange):
// the DXCC entity, the European-Union country, the ON prefix; a province needs the exchange.
std::optional<std::string_view> multiplierOfCall(MultiplierKind kind, std::string_view dxccPrefix,
                                                 std::string_view callPrefix);

// ---- Exchanges

// The sent exchange: a three-digit serial gets a leading "0"; then a blank and the own province
// (Belgian own station) or "--".
std::string sentExchange(std::string_view sentSerial, bool belgianStation,
                         std::string_view ownProvince);

struct ReceivedExchange {
  std::string text;      // the normalised form the Cabrillo file shows ("0012 AN", "0123 --")
  std::string province;  // a Belgian station's province, upper case; empty for any other
};
// The received exchange as stored: a serial number padded to four digits, followed by a Belgian
// station's province or by "--".
ReceivedExchange receivedExchange(std::string_view received, std::string_view dxccPrefix);

}  // namespace stats
