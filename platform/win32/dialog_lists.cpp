#include "platform/win32/dialog_lists.h"

#include <cstdint>
#include <span>

#include "core/dialogs/dialog_init_data.h"
#include "resources/resource.h"

namespace stats {

bool addDialogLists(HWND dialog, HMODULE module, int templateId) {
  // Resource memory belongs to the loaded module: nothing to release.
  HRSRC found =
      FindResourceA(module, MAKEINTRESOURCEA(templateId), MAKEINTRESOURCEA(RT_DIALOG_INIT));
  if (found == nullptr) return false;
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return false;
  const auto records = parseDialogInitData(
      std::span(static_cast<const uint8_t*>(bytes), SizeofResource(module, found)));
  if (!records) return false;
  for (const DialogInitRecord& record : *records) {
    if (record.message != kDialogInitComboAddString) continue;
    const std::string text = dialogInitText(record);
    SendDlgItemMessageA(dialog, record.controlId, CB_ADDSTRING, 0,
                        reinterpret_cast<LPARAM>(text.c_str()));
  }
  return true;
}

}  // namespace stats
