#include "windows/modal_dialog_win32.h"

#include "windows/module_handle_win32.h"

namespace stats {

INT_PTR ModalDialog::run(int templateId) {
  // The wide variant keeps the template's texts as they are (the setup dialog's button is
  // Cyrillic); the controls are still filled and read as ANSI text.
  return DialogBoxParamW(statsModule(), MAKEINTRESOURCEW(templateId), nullptr, &procedure,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK ModalDialog::procedure(HWND dialog, UINT message, WPARAM wParam,
                                        LPARAM lParam) noexcept {
  switch (message) {
    case WM_INITDIALOG: {
      auto* self = reinterpret_cast<ModalDialog*>(lParam);
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      try {
        self->initialise(dialog);
      } catch (...) {
        EndDialog(dialog, -1);  // a dialog that cannot be filled counts as not shown
      }
      return TRUE;  // focus on the first tab stop
    }
    case WM_COMMAND: {
      auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
      const WORD command = LOWORD(wParam);
      if (command == IDOK && self != nullptr) {
        try {
          self->accept(dialog);
          EndDialog(dialog, IDOK);
        } catch (...) {
          EndDialog(dialog, IDCANCEL);  // nothing was taken over
        }
        return TRUE;
      }
      if (command == IDCANCEL) {  // Cancel button, Escape, close box
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      return FALSE;
    }
    default:
      return FALSE;
  }
}

}  // namespace stats
