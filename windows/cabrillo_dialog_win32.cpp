#include "windows/cabrillo_dialog_win32.h"

#include <windows.h>

#include "resources/resource.h"
#include "windows/cabrillo_dialog_fields.h"
#include "windows/combo_selection.h"
#include "windows/dialog_lists_win32.h"
#include "windows/modal_dialog_win32.h"
#include "windows/module_handle_win32.h"
#include "windows/window_text_win32.h"

namespace stats {
namespace {

class CabrilloHeaderDialog final : public ModalDialog {
 public:
  explicit CabrilloHeaderDialog(CabrilloState& header) : header_(header) {}

 private:
  void initialise(HWND dialog) override {
    addDialogLists(dialog, statsModule(), IDD_CABRILLO);
    for (const CabrilloControlBinding& binding : cabrilloControlBindings()) {
      HWND control = GetDlgItem(dialog, binding.controlId);
      const std::string& text = header_.*binding.field;
      if (binding.kind == CabrilloControlKind::comboBox) {
        const ComboSelection selection = selectComboEntry(comboEntries(control), text);
        if (selection.selectedIndex) {
          SendMessageA(control, CB_SETCURSEL, *selection.selectedIndex, 0);
        } else {
          SetWindowTextA(control, selection.shownText.c_str());
        }
      } else {
        SetWindowTextA(control, text.c_str());
      }
    }
  }

  void accept(HWND dialog) override {
    CabrilloState edited = header_;
    for (const CabrilloControlBinding& binding : cabrilloControlBindings()) {
      edited.*binding.field = windowText(GetDlgItem(dialog, binding.controlId));
    }
    header_ = std::move(edited);
  }

  CabrilloState& header_;
};

}  // namespace

bool runCabrilloHeaderDialog(CabrilloState& header) {
  CabrilloHeaderDialog dialog(header);
  return dialog.run(IDD_CABRILLO) == IDOK;
}

}  // namespace stats
