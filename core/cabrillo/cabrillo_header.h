// The Cabrillo header record, the three forms of its soapbox text and the file's base name. How
// the header is loaded from the settings file and saved back is in
// core/cabrillo/cabrillo_header_settings.h.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace stats {

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

// The file base name for an own callsign: white space is trimmed from both ends, then every
// character Windows does not allow in a file name ("/", "\", ":", "*", "?", """, "<", ">", "|",
// control characters and NUL) becomes "_", and a Windows device name (CON, NUL, COM1, ... before
// any dot) gets a "_" after it; an empty result is "NOCALL".
std::string cabrilloFileBase(std::string_view callsign);

}  // namespace stats
