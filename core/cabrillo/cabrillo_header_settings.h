// The Cabrillo header as the settings file and the header dialog see it. One row per header field
// says where the field's value comes from at an export's contest start, under which key it is
// saved when the dialog closes with OK, and whether the dialog's edit is taken back. The load and
// the save walk this one table, in its order: the order in which the keys are written (and read).
// Which control of the dialog shows each field is the Win32 dialog's business.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "core/cabrillo/cabrillo_header.h"
#include "core/settings/settings.h"

namespace stats {

enum class HeaderLoad {
  fromKey,            // the key's value; empty when absent
  fromKeyOrCallsign,  // the key's value; the own callsign when absent
  soapboxFromKey,     // the key's value, from stored into display form
  callsign,           // the own callsign
  fixed,              // `fixedValue`
  fixedByLeg,         // `fixedValue` in the CW leg, `fixedValueSsb` in the SSB leg
};

struct CabrilloHeaderField {
  std::string CabrilloState::*member;
  HeaderLoad load;
  std::string_view key;  // read by fromKey…; written on OK when `saved`
  std::string_view fixedValue;
  std::string_view fixedValueSsb;
  bool saved;            // written to `key` when the dialog closes with OK
  bool takenFromDialog;  // false: the dialog only shows the field
};

// Every field of the header but the file base name and the QSO lines, each once.
std::span<const CabrilloHeaderField> cabrilloHeaderFields();

// Fills every header field but `qsoLines` from the settings file and the fixed values; returns
// the CW-leg flag (1 when "Mode" is exactly "CW").
int loadCabrilloHeader(CabrilloState& state, const Settings& settings, std::string_view callsign);

// Takes the dialog's texts into the header: every field the dialog edits except `claimed`.
void copyCabrilloDialogResult(CabrilloState& state, const CabrilloState& edited);

// After the dialog closed with OK: saves the edited fields, puts the soapbox into file form and
// empties the QSO lines.
void saveConfirmedCabrilloHeader(CabrilloState& state, const Settings& settings);

// After the dialog was cancelled or could not be shown: nothing is saved, the soapbox is put into
// file form.
void keepCancelledCabrilloHeader(CabrilloState& state);

}  // namespace stats
