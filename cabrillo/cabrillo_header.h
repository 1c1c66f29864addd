// The Cabrillo header record: its fields, how they are loaded from the settings file, edited in
// the header dialog and saved back, and the three forms of the soapbox text.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plugin/settings.h"

namespace stats {

class UserInterface;

struct CabrilloState {
  std::string ownCall;
  std::string name;
  std::string address;
  std::string addressCity;
  std::string addressStProv;
  std::string addressPostalCode;
  std::string addressCountry;
  std::string claimed;
  std::string contest;
  std::string email;
  std::string club;
  std::string soapbox;
  std::string operators;
  std::string categoryOperator;
  std::string categoryStation;
  std::string categoryOverlay;
  std::string categoryMode;
  std::string categoryBand;
  std::string categoryAssisted;
  std::string categoryTransmitter;
  std::string categoryPower;
  std::string location;
  std::string fileBase;
  std::vector<std::string> qsoLines;  // finished QSO lines, each ending in CR LF
};

// Every occurrence of `searched` (never empty) replaced by `replacement`, scanning left to right;
// an inserted replacement is never scanned again.
std::string ReplaceAll(std::string_view text, std::string_view searched,
                       std::string_view replacement);

// The soapbox is stored in the settings file with "<CR>"/"<LF>" for line breaks, shown in the
// dialog with real line breaks, and written to the file as one "SOAPBOX: " line per line.
std::string soapboxStoredToDisplay(std::string_view stored);
std::string soapboxDisplayToStored(std::string_view display);
std::string soapboxStoredToFile(std::string_view stored);

// The file base name for an own callsign: "/" and "\" become "_", white space is trimmed from both
// ends, and an empty result is "NOCALL".
std::string cabrilloFileBase(std::string_view callsign);

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
