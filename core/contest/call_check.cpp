#include "core/contest/call_check.h"

#include <algorithm>

#include "core/rules/contest_rules.h"

namespace stats {
namespace {

char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view textOrEmpty(const char* text) {
  return text ? std::string_view(text) : "";
}

}  // namespace

bool bandsDiffer(const char* band, const char* secondBand) {
  if (band == nullptr || secondBand == nullptr) return false;
  const std::string_view first(band), second(secondBand);
  return !std::equal(first.begin(), first.end(), second.begin(), second.end(),
                     [](char a, char b) { return asciiLower(a) == asciiLower(b); });
}

int checkCall(const ContestState& state, const CallCheckArguments& arguments) {
  const std::string_view band = textOrEmpty(arguments.band);
  if (state.qsoLog->hasCallOnBand(arguments.call, band)) return kRepeat;

  const bool belgian = state.belgianStation != 0;
  const std::string_view dxcc = textOrEmpty(arguments.dxccPrefix);
  // A Belgian station counts entities: one the host could not name is taken as new. Any other
  // station gets no answer but "not new" for a call the host gave no DXCC prefix at all.
  if (belgian && dxcc.empty()) return kNewMultiplier;
  if (!belgian && arguments.dxccPrefix == nullptr) return kNotNew;

  int result = kNotNew;
  for (const MultiplierKind kind : countedMultipliers(belgian)) {
    const auto value = multiplierOfCall(kind, dxcc, textOrEmpty(arguments.callPrefix));
    if (value && !state.qsoLog->workedOnBand(band, kind, *value)) result = kNewMultiplier;
  }
  if (!belgian && arguments.outputText != nullptr) arguments.outputText[0] = '\0';
  return result;
}

}  // namespace stats
