#include "tools/zrv-score/call_prefix.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <vector>

#include "tools/zrv-score/text.h"

namespace zrv_score {
namespace {

// Suffixes that say how or why the station operates, not where: portable, mobile, alternative
// address, license classes, low power, lighthouse and scouting events. Several of them would
// otherwise read as prefixes ("M" is England's, "JOTA" starts like Japan's "JO", "LH" is Norway's).
constexpr std::array<std::string_view, 11> kOperatingSuffixes = {
    "P", "M", "A", "E", "J", "QRP", "QRPP", "LH", "LGT", "JOTA", "YOTA"};

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool allDigits(std::string_view part) {
  return !part.empty() && std::all_of(part.begin(), part.end(), isDigit);
}

// Letters after the last digit; -1 when there is no digit.
int suffixLength(std::string_view part) {
  const std::size_t lastDigit = part.find_last_of("0123456789");
  if (lastDigit == std::string_view::npos) return -1;
  return static_cast<int>(part.size() - lastDigit - 1);
}

bool looksLikeFullCall(std::string_view part) {
  return suffixLength(part) > 0;
}

// Whether `candidate`, a part after `best`, is the better choice for the station's call: more
// letters after the last digit ("W1AW" rather than "VP2E"); the later part when even, as the
// location comes first in the usual form ("VP2E/K1A").
bool betterCall(std::string_view candidate, std::string_view best) {
  return suffixLength(candidate) >= suffixLength(best);
}

// The WPX prefix of one part: up to its last digit, or its first two letters and "0".
std::string partPrefix(std::string_view part) {
  const std::size_t lastDigit = part.find_last_of("0123456789");
  if (lastDigit == std::string_view::npos) return std::string(part.substr(0, 2)) + "0";
  return std::string(part.substr(0, lastDigit + 1));
}

}  // namespace

std::string normalizedCall(std::string_view call) {
  std::string upper(trimmed(call));
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

CallParts splitCall(std::string_view call) {
  const std::string upper = normalizedCall(call);
  CallParts result;
  std::vector<std::string_view> parts;
  std::string_view rest = upper;
  bool first = true;  // the part before the first slash
  while (true) {
    const std::size_t slash = rest.find('/');
    const std::string_view part = rest.substr(0, slash);
    if (!part.empty()) {
      if (!first && (part == "MM" || part == "AM")) {
        result.maritimeOrAir = true;
      } else if (!first && std::find(kOperatingSuffixes.begin(), kOperatingSuffixes.end(), part) !=
                               kOperatingSuffixes.end()) {
        // how the station operates: nothing to keep
      } else if (!first && allDigits(part)) {
        if (part.size() == 1) result.areaDigit = part[0];
      } else {
        parts.push_back(part);
      }
    }
    first = false;
    if (slash == std::string_view::npos) break;
    rest.remove_prefix(slash + 1);
  }
  if (parts.empty()) return result;

  std::size_t callIndex = parts.size();
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (looksLikeFullCall(parts[i]) &&
        (callIndex == parts.size() || betterCall(parts[i], parts[callIndex]))) {
      callIndex = i;
    }
  }
  if (callIndex == parts.size()) {
    result.call = parts.front();
    return result;
  }
  result.call = parts[callIndex];
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i != callIndex) {
      result.location = parts[i];
      break;
    }
  }
  return result;
}

std::string wpxPrefix(std::string_view call) {
  const CallParts parts = splitCall(call);
  if (!parts.location.empty()) return partPrefix(parts.location);
  if (parts.call.empty()) return {};
  std::string prefix = partPrefix(parts.call);
  if (parts.areaDigit != '\0') {
    while (!prefix.empty() && isDigit(prefix.back())) prefix.pop_back();
    prefix += parts.areaDigit;
  }
  return prefix;
}

}  // namespace zrv_score
