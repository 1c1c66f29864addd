// Fills the combo boxes of a dialog with the lists stored beside its template.
#pragma once

#include <windows.h>

namespace stats {

// Adds the texts of the list resource (type 240, same id as the template) of `module` to the
// combo boxes of `dialog`. False when the resource is missing or malformed; the boxes then keep
// empty lists.
bool addDialogLists(HWND dialog, HMODULE module, int templateId);

}  // namespace stats
