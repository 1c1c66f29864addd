// The setup dialog (template 104): the live-window switch, the operator's mode and province.
#pragma once

#include "core/plugin/user_interface.h"

namespace stats {

// Shows `values`; true when closed with OK, and `values` then holds what the controls show.
bool runSetupDialogBox(SetupValues& values);

}  // namespace stats
