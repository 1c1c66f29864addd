#include "plugin/call_check.h"

#include <algorithm>

#include "plugin/multipliers.h"

namespace stats {
namespace {

char asciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string_view textOrEmpty(const char* text) {
  return text ? std::string_view(text) : "";
}

template <typename Predicate>
bool anyRecordOnBand(const ContestState& state, std::string_view band, Predicate predicate) {
  const auto& records = state.qsoLog.records();
  return std::any_of(records.begin(), records.end(),
                     [&](const CInfo& record) { return record.band == band && predicate(record); });
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
  if (state.qsoLog.findFirstByCallAndBand(arguments.call, band)) return kRepeat;

  if (state.belgianStation) {
    // A Belgian station counts DXCC entities.
    const std::string_view dxcc = textOrEmpty(arguments.dxccPrefix);
    if (dxcc.empty()) return kNewMultiplier;
    return anyRecordOnBand(state, band, [&](const CInfo& r) { return r.country == dxcc; })
               ? kNotNew
               : kNewMultiplier;
  }

  if (arguments.dxccPrefix == nullptr) return kNotNew;
  const std::string_view dxcc(arguments.dxccPrefix);
  int result = kNotNew;
  if (isEuropeanUnion(dxcc)) {
    result = anyRecordOnBand(state, band, [&](const CInfo& r) { return r.euCountry == dxcc; })
                 ? kNotNew
                 : kNewMultiplier;
  }
  if (dxcc == kBelgiumPrefix) {
    const std::string_view prefix = textOrEmpty(arguments.callPrefix);
    result = anyRecordOnBand(state, band, [&](const CInfo& r) { return r.onPrefix == prefix; })
                 ? kNotNew
                 : kNewMultiplier;
  }
  if (arguments.outputText != nullptr) arguments.outputText[0] = '\0';
  return result;
}

}  // namespace stats
