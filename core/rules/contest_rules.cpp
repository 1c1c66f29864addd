#include "core/rules/contest_rules.h"

#include <algorithm>

namespace stats {
namespace {

// Points per QSO by the worked station's class (belgian, europeanUnion, other).
constexpr std::array<int32_t, kStationClassCount> kBelgianSidePoints = {1, 2, 3};
constexpr std::array<int32_t, kStationClassCount> kForeignSidePoints = {10, 3, 1};

constexpr std::array kBelgianSideMultipliers = {MultiplierKind::dxcc};
constexpr std::array kForeignSideMultipliers = {MultiplierKind::province, MultiplierKind::onPrefix,
                                                MultiplierKind::euCountry};

bool isAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char asciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string zeros(std::size_t count) {
  return std::string(count, '0');
}

// A Belgian exchange (serial number and province): the serial padded to four digits, one blank,
// the province as received. Lengths with no four-digit form are kept as received.
std::string normaliseBelgianExchange(std::string_view received) {
  const std::size_t length = received.size();
  const std::string_view province = received.substr(length - 2);
  if (received[length - 3] == ' ') {
    if (length >= 4 && length <= 6) return zeros(7 - length) + std::string(received);
    return std::string(received);
  }
  if (length >= 3 && length <= 6) {
    const std::string_view serial = received.substr(0, length - 2);
    return zeros(6 - length) + std::string(serial) + " " + std::string(province);
  }
  return std::string(received);  // a serial of five or more digits written together
}

// A serial number without province, padded to four digits and followed by " --".
std::string normaliseSerialOnly(std::string_view received) {
  const std::size_t length = received.size();
  return zeros(length < 4 ? 4 - length : 0) + std::string(received) + " --";
}

}  // namespace

std::string_view cabrilloContestId(bool cwLeg) {
  return cwLeg ? kCabrilloContestCw : kCabrilloContestSsb;
}

bool isContestMode(std::string_view mode) {
  return mode == kModeSsb || mode == kModeCw;
}

std::optional<std::size_t> contestBandIndex(std::string_view band) {
  for (std::size_t index = 0; index < kContestBands.size(); ++index) {
    if (kContestBands[index] == band) return index;
  }
  return std::nullopt;
}

bool isBelgianPrefix(std::string_view dxccPrefix) {
  return dxccPrefix == kBelgiumPrefix;
}

bool isEuropeanUnion(std::string_view dxccPrefix) {
  return std::find(kEuropeanUnionPrefixes.begin(), kEuropeanUnionPrefixes.end(), dxccPrefix) !=
         kEuropeanUnionPrefixes.end();
}

StationClass classifyStation(std::string_view dxccPrefix) {
  if (isBelgianPrefix(dxccPrefix)) return StationClass::belgian;
  if (isEuropeanUnion(dxccPrefix)) return StationClass::europeanUnion;
  return StationClass::other;
}

int32_t qsoPoints(bool belgianStation, StationClass worked) {
  const auto& points = belgianStation ? kBelgianSidePoints : kForeignSidePoints;
  return points[static_cast<std::size_t>(worked)];
}

std::span<const MultiplierKind> countedMultipliers(bool belgianStation) {
  if (belgianStation) return kBelgianSideMultipliers;
  return kForeignSideMultipliers;
}

bool countsMultiplier(bool belgianStation, MultiplierKind kind) {
  const auto counted = countedMultipliers(belgianStation);
  return std::find(counted.begin(), counted.end(), kind) != counted.end();
}

bool emptyValueCounts(MultiplierKind kind) {
  return kind == MultiplierKind::dxcc;
}

std::optional<std::string_view> multiplierOfCall(MultiplierKind kind, std::string_view dxccPrefix,
                                                 std::string_view callPrefix) {
  switch (kind) {
    case MultiplierKind::dxcc:
      return dxccPrefix;
    case MultiplierKind::province:
      return std::nullopt;
    case MultiplierKind::onPrefix:
      if (isBelgianPrefix(dxccPrefix)) return callPrefix;
      return std::nullopt;
    case MultiplierKind::euCountry:
      break;
  }
  if (isEuropeanUnion(dxccPrefix)) return dxccPrefix;
  return std::nullopt;
}

std::string sentExchange(std::string_view sentSerial, bool belgianStation,
                         std::string_view ownProvince) {
  std::string sent =
      sentSerial.size() == 3 ? "0" + std::string(sentSerial) : std::string(sentSerial);
  sent += ' ';
  sent += belgianStation ? ownProvince : std::string_view("--");
  return sent;
}

ReceivedExchange receivedExchange(std::string_view received, std::string_view dxccPrefix) {
  const std::size_t length = received.size();
  if (length < 2 || !isAsciiLetter(received[length - 1]) || !isAsciiLetter(received[length - 2])) {
    return {normaliseSerialOnly(received), {}};
  }
  // Two letters alone, or from a station outside Belgium, are kept as received.
  if (length == 2 || !isBelgianPrefix(dxccPrefix)) return {std::string(received), {}};
  return {normaliseBelgianExchange(received),
          {asciiUpper(received[length - 2]), asciiUpper(received[length - 1])}};
}

}  // namespace stats
