// Texts of windows and controls as 8-bit strings in the ANSI code page, the plug-in's text form.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace stats {

// The window's text; for a drop-down combo box, the text of its edit part.
std::string windowText(HWND window);

// The entries of a combo box's list, in the order the box lists them.
std::vector<std::string> comboEntries(HWND comboBox);

}  // namespace stats
