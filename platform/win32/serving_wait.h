// A wait of the host's thread inside an entry point (the contest start, the unload), which serves
// only what the plug-in's window thread may be waiting for there: the calls it makes to the host's
// automation object, which COM delivers in the host's apartment, and messages sent to this thread.
// The host's own keyboard, mouse and timer messages stay queued for the host's loop, so none of
// the host's code runs inside the entry point (during an unload, under the loader's lock).
#pragma once

#include <windows.h>

namespace stats {

void servingWait(DWORD milliseconds);

}  // namespace stats
