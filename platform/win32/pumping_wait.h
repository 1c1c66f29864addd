// A wait of the host's thread that keeps serving that thread's messages. The plug-in's window
// thread may itself be waiting for the host's thread (a call to the host's automation object is
// served there, and so are sent messages): a wait that did not pump could wait for ever.
#pragma once

#include <windows.h>

namespace stats {

void pumpingWait(DWORD milliseconds);

}  // namespace stats
