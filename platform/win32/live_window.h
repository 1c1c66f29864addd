// The live window (template 105): its info panel, its poll timer and the poll, and the province
// and European-Union windows the poll creates. Everything here runs on the window thread.
#pragma once

#include "core/live/host_link.h"
#include "platform/win32/live_windows.h"

namespace stats {

// Creates the live window, puts it in its slot and serves the window thread's messages (those of
// all three windows) until the live window is closed: by the operator (close box, Enter,
// Escape) or by a close request of the host's thread. The windows are left to the teardown.
void runLiveWindow(LiveWindows& windows, HostLink& host);

}  // namespace stats
