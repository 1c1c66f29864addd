#include "platform/win32/modal_dialog.h"

#include <exception>
#include <string>

#include "core/diagnostics/diagnostics.h"
#include "platform/win32/module_handle.h"

namespace stats {
namespace {

// What a dialog procedure stopped: traced, since the dialog cannot tell anyone else.
void traceDialogException(HWND dialog, const char* stage) noexcept {
  try {
    std::string what = "dialog stopped " + std::string(stage) + " by ";
    try {
      throw;
    } catch (const std::exception& error) {
      what += std::string("an exception: ") + error.what();
    } catch (...) {
      what += "an unknown exception";
    }
    char title[128] = {};
    GetWindowTextA(dialog, title, sizeof title);
    traceFailure(std::string(title) + ": " + what);
  } catch (...) {
    // No memory left to describe it.
  }
}

}  // namespace

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
        traceDialogException(dialog, "while filling its controls");
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
          traceDialogException(dialog, "while taking its values");
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
