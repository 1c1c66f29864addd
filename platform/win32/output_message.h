// The "Output" message box that reports the Cabrillo export to the operator.
#pragma once

#include <string>

namespace stats {

// An information box with one OK button, owned by the calling thread's active window; returns
// when the operator closes it.
void showOutputMessageBox(const std::string& text);

}  // namespace stats
