// The score report: a recount of the whole log into the score table and the claimed score.
#pragma once

#include "plugin/contest_state.h"

namespace stats {

// Puts the band list in band order (160m first; unknown bands after 10m), as the report does.
void sortBandList(BandList& bands);

// Recounts the log: sorts `bandList`, refills the per-band multiplier lists of the bands it meets,
// builds `reportText` and sets `claimedScore`. Counts wrap around like 32-bit two's complement.
void buildScoreReport(ContestState& state);

}  // namespace stats
