// The Cabrillo header dialog (template 101): one control per header field.
#pragma once

#include "core/cabrillo/cabrillo_header.h"

namespace stats {

// Shows `header`; true when closed with OK, and every field with a control then holds that
// control's text. False, with `header` untouched, on Cancel or when the dialog cannot be shown.
bool runCabrilloHeaderDialog(CabrilloState& header);

}  // namespace stats
