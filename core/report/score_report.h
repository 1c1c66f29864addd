// The score report: the score table and the claimed score, printed from the store's per-band
// tallies.
#pragma once

#include "core/contest/contest_state.h"

namespace stats {

// Puts the band list in band order (160m first; unknown bands after 10m), as the report does.
void sortBandList(BandList& bands);

// Sorts `bandList`, refills the per-band multiplier lists of its contest bands where they changed,
// builds `reportText` and sets `claimedScore`. Counts wrap around like 32-bit two's complement.
void buildScoreReport(ContestState& state);

}  // namespace stats
