#include "core/cabrillo/cabrillo_header_settings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/rules/contest_rules.h"
#include "core/settings/settings_keys.h"

namespace stats {
namespace {

using S = CabrilloState;
using L = HeaderLoad;

constexpr std::array kFields{
    // The saved fields, in the order they are written on OK; "Claimed" is only shown.
    CabrilloHeaderField{&S::operators, L::fromKeyOrCallsign, keys::kOperators, {}, {}, true, true},
    CabrilloHeaderField{&S::name, L::fromKey, keys::kName, {}, {}, true, true},
    CabrilloHeaderField{&S::address, L::fromKey, keys::kAddress, {}, {}, true, true},
    CabrilloHeaderField{&S::addressCity, L::fromKey, keys::kAddressCity, {}, {}, true, true},
    CabrilloHeaderField{&S::addressStProv, L::fromKey, keys::kAddressStProv, {}, {}, true, true},
    CabrilloHeaderField{
        &S::addressPostalCode, L::fromKey, keys::kAddressPostalCode, {}, {}, true, true},
    CabrilloHeaderField{&S::addressCountry, L::fromKey, keys::kAddressCountry, {}, {}, true, true},
    CabrilloHeaderField{&S::claimed, L::fromKey, keys::kClaimed, {}, {}, false, false},
    CabrilloHeaderField{
        &S::categoryOperator, L::fixed, keys::kCategory, "SINGLE OPERATOR", {}, true, true},
    CabrilloHeaderField{
        &S::categoryOverlay, L::fixed, keys::kCategoryOverlay, "NONE", {}, true, true},
    CabrilloHeaderField{&S::contest, L::fixedByLeg, keys::kContest, kCabrilloContestCw,
                        kCabrilloContestSsb, true, true},
    CabrilloHeaderField{&S::email, L::fromKey, keys::kEmail, {}, {}, true, true},
    CabrilloHeaderField{&S::club, L::fromKey, keys::kClub, {}, {}, true, true},
    CabrilloHeaderField{&S::soapbox, L::soapboxFromKey, keys::kSoapBox, {}, {}, true, true},
    // Shown and edited for this export only: every load sets them afresh.
    CabrilloHeaderField{&S::ownCall, L::callsign, {}, {}, {}, false, true},
    CabrilloHeaderField{&S::categoryMode, L::fixedByLeg, {}, kModeCw, kModeSsb, false, true},
    CabrilloHeaderField{&S::categoryBand, L::fixed, {}, "ALL BANDS", {}, false, true},
    CabrilloHeaderField{&S::categoryPower, L::fixed, {}, "HIGH POWER", {}, false, true},
    CabrilloHeaderField{&S::categoryTransmitter, L::fixed, {}, "ONE", {}, false, true},
    CabrilloHeaderField{&S::location, L::fixed, {}, "DX", {}, false, true},
    CabrilloHeaderField{&S::categoryStation, L::fixed, {}, "FIXED", {}, false, true},
    CabrilloHeaderField{&S::categoryAssisted, L::fixed, {}, "NON-ASSISTED", {}, false, true},
};

// Every header value goes onto one line of the Cabrillo file, where a CR or LF in it would start a
// line of its own: each run of them becomes one blank. They can come from the host's callsign,
// from a dialog's text, or from a settings file read by profile functions that keep a lone CR
// inside a value. The soapbox marks its line breaks as "<CR><LF>" instead.
std::string oneLine(std::string_view text) {
  std::string line;
  line.reserve(text.size());
  for (size_t index = 0; index < text.size(); ++index) {
    if (text[index] != '\r' && text[index] != '\n') {
      line += text[index];
    } else if (index == 0 || (text[index - 1] != '\r' && text[index - 1] != '\n')) {
      line += ' ';
    }
  }
  return line;
}

}  // namespace

std::span<const CabrilloHeaderField> cabrilloHeaderFields() {
  return kFields;
}

int loadCabrilloHeader(CabrilloState& state, const Settings& settings, std::string_view callsign) {
  state.fileBase = cabrilloFileBase(callsign);
  // The leg is read where the first field needs it, so the keys are read in table order.
  std::optional<bool> cwLeg;
  auto isCwLeg = [&] {
    if (!cwLeg) cwLeg = settings.readText(keys::kMode) == kModeCw;
    return *cwLeg;
  };
  for (const CabrilloHeaderField& field : kFields) {
    std::string& value = state.*field.member;
    switch (field.load) {
      case L::fromKey:
        value = oneLine(settings.readText(field.key));
        break;
      case L::fromKeyOrCallsign:
        value = oneLine(settings.readText(field.key, callsign));
        break;
      case L::soapboxFromKey:
        value = soapboxStoredToDisplay(oneLine(settings.readText(field.key)));
        break;
      case L::callsign:
        value = oneLine(callsign);
        break;
      case L::fixed:
        value = field.fixedValue;
        break;
      case L::fixedByLeg:
        value = isCwLeg() ? field.fixedValue : field.fixedValueSsb;
        break;
    }
  }
  return isCwLeg() ? 1 : 0;
}

void copyCabrilloDialogResult(CabrilloState& state, const CabrilloState& edited) {
  for (const CabrilloHeaderField& field : kFields) {
    if (!field.takenFromDialog) continue;
    // The soapbox's line breaks are its own; it is put into file form later.
    const std::string& text = edited.*field.member;
    state.*field.member = field.load == L::soapboxFromKey ? text : oneLine(text);
  }
}

void saveConfirmedCabrilloHeader(CabrilloState& state, const Settings& settings) {
  state.soapbox = soapboxDisplayToStored(state.soapbox);
  for (const CabrilloHeaderField& field : kFields) {
    if (field.saved) settings.writeText(field.key, state.*field.member);
  }
  state.soapbox = soapboxStoredToFile(state.soapbox);
  state.qsoLines.clear();
}

void keepCancelledCabrilloHeader(CabrilloState& state) {
  state.soapbox = soapboxStoredToFile(soapboxDisplayToStored(state.soapbox));
}

}  // namespace stats
