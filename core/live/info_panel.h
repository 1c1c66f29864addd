// The info panel of the live window. With no call entered, a Belgian own station sees the DXCC
// countries worked on the current band as a grid; otherwise the panel shows the band table: a
// header with the call being entered and one row per contest band (mode, time and exchange of the
// station worked before), the band the radio is on highlighted.
#pragma once

#include "core/contest/contest_state.h"
#include "core/live/canvas.h"
#include "core/live/poll.h"

namespace stats {

// Paints the panel into `item` (its top-left corner at 0, 0). The caller holds the plug-in's lock
// on `state`. The DXCC list of the current band is left sorted, as the grid shows it.
void paintInfoPanel(Canvas& canvas, const PanelRect& item, const PollState& poll,
                    ContestState& state);

}  // namespace stats
