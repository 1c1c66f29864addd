// The Cabrillo 2.0 file: one QSO line per record, then the header, the lines and the trailer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "plugin/contest_state.h"
#include "plugin/settings.h"

namespace stats {

// Formats one QSO line from the record's values and appends it to the header's QSO lines.
void AddCabrilloQso(CabrilloState& cabrillo, int cwMode, std::string_view call, int32_t freqKHz,
                    std::string_view modeCode, const COleDateTime& time, std::string_view sentExch,
                    std::string_view rcvdExch);

// The whole file as bytes: header lines, QSO lines, trailer.
std::string cabrilloFileText(const CabrilloState& cabrillo, int cwMode, int belgianStation,
                             int32_t claimedScore);

// Reloads the Belgian flag from the settings, writes `fileBase`.cbr in the current directory,
// empties the QSO lines and returns the message for the operator: "File produced: " and the file
// name, or "File not produced: " and the file name when it could not be written completely.
std::string WriteCabrilloFile(ContestState& state, const Settings& settings);

}  // namespace stats
