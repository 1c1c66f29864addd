// Adding QSOs to the log and taking them out again.
#pragma once

#include <string_view>

#include "core/contest/contest_state.h"

namespace stats {

// What the host hands over for one QSO (the arguments the plug-in uses).
struct QsoArguments {
  std::string_view call;
  COleDateTime qsoTime{0.0, COleDateTimeNull};
  unsigned int frequencyHz = 0;
  std::string_view mode;
  std::string_view hostText10;
  std::string_view hostText11;
  std::string_view sentSerial;
  std::string_view receivedExchange;
  std::string_view callPrefix;
  std::string_view dxccPrefix;
  std::string_view hostText30;
  std::string_view band;
};

// Mode "CW" or "SSB", a received exchange and a sent serial number: otherwise the QSO is refused.
bool acceptableQso(const QsoArguments& qso);

// The record the log would hold for this QSO under the current settings (multiplier values set).
CInfo buildRecord(const QsoArguments& qso, bool belgianStation, std::string_view ownProvince);

// 1 when accepted (stored, or an identical record is stored already), 0 when refused.
int addQso(ContestState& state, const QsoArguments& qso);

// 1 when accepted (whether or not a record went), 0 when refused. Removes the first record
// identical to the one addQso would build; when none is, the first with the same call, mode and
// band, so that deleting one of two QSOs with a station on one band removes the one deleted.
int removeQso(ContestState& state, const QsoArguments& qso);

}  // namespace stats
