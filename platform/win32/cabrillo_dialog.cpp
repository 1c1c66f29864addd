#include "platform/win32/cabrillo_dialog.h"

#include <windows.h>

#include "core/dialogs/combo_selection.h"
#include "platform/win32/cabrillo_dialog_controls.h"
#include "platform/win32/dialog_lists.h"
#include "platform/win32/modal_dialog.h"
#include "platform/win32/module_handle.h"
#include "platform/win32/window_text.h"
#include "resources/resource.h"

namespace stats {
namespace {

class CabrilloHeaderDialog final : public ModalDialog {
 public:
  explicit CabrilloHeaderDialog(CabrilloState& header) : header_(header) {}

 private:
  void initialise(HWND dialog) override {
    addDialogLists(dialog, statsModule(), IDD_CABRILLO);
    for (const HeaderControl& field : cabrilloHeaderControls()) {
      HWND control = GetDlgItem(dialog, field.id);
      const std::string& text = header_.*field.member;
      if (field.kind == HeaderControlKind::comboBox) {
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
    for (const HeaderControl& field : cabrilloHeaderControls()) {
      edited.*field.member = windowText(GetDlgItem(dialog, field.id));
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
