// The Cabrillo 3.0 form of the plug-in's Cabrillo file: the same QSO lines, in the same order,
// under a header of Cabrillo 3.0's tags, for contest robots that want 3.0. The plug-in's own file
// (2.0) stays what the plug-in writes; this one is made from it, so the QSOs, their exchanges and
// the claimed score come from the plug-in's rules and nowhere else.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/settings/settings.h"

namespace zrv_score {

// The 3.0 file, or why there is none.
struct Cabrillo3Log {
  std::string text;   // the whole file; empty when `error` says why there is none
  std::string error;  // set when the plug-in's file could not be read (not one of its files)
  // One line per header value that 3.0 has no word for: its line was left out of `text`.
  std::vector<std::string> notes;
};

// `pluginFile`: the bytes of the file the plug-in's export wrote (CALLSIGN, CLAIMED-SCORE,
// OPERATORS, the SOAPBOX and QSO lines are taken from it). `settings`: the plug-in's settings file,
// whose header fields (the ones the header dialog keeps, and the dialog's fixed choices for the
// others) are mapped to 3.0's words; an empty field is left out. `cwLeg`: the leg exported.
// `toolVersion` goes into CREATED-BY. Lines end in CR LF, as in the plug-in's file.
Cabrillo3Log cabrillo3Log(std::string_view pluginFile, const stats::Settings& settings, bool cwLeg,
                          std::string_view toolVersion);

}  // namespace zrv_score
