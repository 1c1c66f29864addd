// The Cabrillo 2.0 file: one QSO line per record, then the header, the lines and the trailer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "api/stats_api.h"
#include "core/cabrillo/cabrillo_header.h"
#include "core/cabrillo/file_replace.h"

namespace stats {

// The Cabrillo mode code of a record's mode: "PH", "CW" or "??".
std::string_view cabrilloModeCode(std::string_view mode);

// Formats one QSO line from the record's values and appends it to the header's QSO lines.
void AddCabrilloQso(CabrilloState& cabrillo, int cwMode, std::string_view call, int32_t freqKHz,
                    std::string_view modeCode, const COleDateTime& time, std::string_view sentExch,
                    std::string_view rcvdExch);

// The whole file as bytes: header lines, QSO lines, trailer.
std::string cabrilloFileText(const CabrilloState& cabrillo, int cwMode, int belgianStation,
                             int32_t claimedScore);

// Writes `fileBase`.cbr in the current directory, whole or not at all (through `files`), empties
// the QSO lines and returns the message for the operator: "File produced: " and the file name, or
// "File not produced: " and the file name when it could not be written completely (the failure is
// traced).
std::string WriteCabrilloFile(CabrilloState& cabrillo, int cwMode, int belgianStation,
                              int32_t claimedScore, const FileReplace& files);

}  // namespace stats
