// The module handle of Stats.dll itself (not of the host's executable), where the dialog
// templates, their lists and the icons live.
#pragma once

#include <windows.h>

namespace stats {

HMODULE statsModule();

}  // namespace stats
