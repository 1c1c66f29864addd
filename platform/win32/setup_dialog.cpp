#include "platform/win32/setup_dialog.h"

#include <windows.h>

#include "platform/win32/modal_dialog.h"
#include "platform/win32/window_text.h"
#include "resources/resource.h"

namespace stats {
namespace {

class SetupDialog final : public ModalDialog {
 public:
  explicit SetupDialog(SetupValues& values) : values_(values) {}

 private:
  void initialise(HWND dialog) override {
    CheckDlgButton(dialog, IDC_SETUP_USE_MULTIPLIER,
                   values_.useMultiplierWindow != 0 ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemTextA(dialog, IDC_SETUP_MODE, values_.mode.c_str());
    SetDlgItemTextA(dialog, IDC_SETUP_PROVINCE, values_.province.c_str());
  }

  void accept(HWND dialog) override {
    SetupValues edited;
    edited.useMultiplierWindow =
        IsDlgButtonChecked(dialog, IDC_SETUP_USE_MULTIPLIER) == BST_CHECKED ? 1 : 0;
    edited.mode = windowText(GetDlgItem(dialog, IDC_SETUP_MODE));
    edited.province = windowText(GetDlgItem(dialog, IDC_SETUP_PROVINCE));
    values_ = std::move(edited);
  }

  SetupValues& values_;
};

}  // namespace

bool runSetupDialogBox(SetupValues& values) {
  SetupDialog dialog(values);
  return dialog.run(IDD_SETUP) == IDOK;
}

}  // namespace stats
