#include "platform/win32/modal_dialog.h"

#include <string>

#include "core/diagnostics/diagnostics.h"
#include "platform/win32/module_handle.h"

namespace stats {
namespace {

// What a dialog procedure stopped, named by the dialog's title: the dialog cannot tell anyone else.
template <typename Work>
bool stopDialogExceptions(HWND dialog, const char* stage, Work&& work) noexcept {
  const auto stopped = [dialog, stage] {
    char title[128] = {};
    GetWindowTextA(dialog, title, sizeof title);
    return std::string(title) + ": dialog stopped " + stage;
  };
  return stopExceptions(stopped, false, [&] {
    work();
    return true;
  });
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
      if (!stopDialogExceptions(dialog, "while filling its controls",
                                [&] { self->initialise(dialog); })) {
        EndDialog(dialog, -1);  // a dialog that cannot be filled counts as not shown
      }
      return TRUE;  // focus on the first tab stop
    }
    case WM_COMMAND: {
      auto* self = reinterpret_cast<ModalDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
      const WORD command = LOWORD(wParam);
      if (command == IDOK && self != nullptr) {
        // Nothing is taken over when taking the values fails.
        const bool taken =
            stopDialogExceptions(dialog, "while taking its values", [&] { self->accept(dialog); });
        EndDialog(dialog, taken ? IDOK : IDCANCEL);
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
