// One QSO as the plug-in keeps it, and the bands of the log.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "api/stats_api.h"
#include "core/rules/contest_rules.h"

namespace stats {

struct CInfo {
  std::string call;        // worked callsign, as the host gave it
  std::string country;     // worked station's DXCC prefix
  std::string hostText30;  // carried through from the host, shown nowhere
  std::string band;
  std::string mode;
  std::string hostText11;
  std::string hostText10;
  std::string rcvdExch;   // normalised received exchange ("0012 AN", "0123 --")
  std::string sentExch;   // sent exchange built from the sent serial number
  std::string province;   // ON province multiplier, upper case
  std::string euCountry;  // European-Union country multiplier
  std::string onPrefix;   // ON prefix multiplier
  int32_t freqKHz = 0;
  COleDateTime time{0.0, COleDateTimeValid};
};

// The record's value of that multiplier kind.
const std::string& multiplierValue(const CInfo& record, MultiplierKind kind);

// Band names of accepted QSOs, each once, in the order first seen since the contest start.
using BandList = std::vector<std::string>;
void addBandIfNew(BandList& bands, std::string_view band);

}  // namespace stats
