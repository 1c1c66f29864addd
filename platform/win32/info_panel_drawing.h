// The live window's info panel as its owner-draw handler paints it.
#pragma once

#include <windows.h>

#include "core/contest/contest_state.h"
#include "core/live/poll.h"

namespace stats {

// Paints the panel into the item's rectangle off-screen and then onto item.hDC in one transfer.
// The caller holds the plug-in's lock on `state`.
void drawInfoPanel(const DRAWITEMSTRUCT& item, const PollState& poll, ContestState& state);

}  // namespace stats
