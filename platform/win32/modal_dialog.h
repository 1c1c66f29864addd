// A modal dialog built from a template of Stats.dll, run on the calling thread without an owner
// window. Subclasses fill the controls when it opens and read them when OK is pressed; Cancel,
// Escape and the close box end it without reading. No exception leaves the dialog procedure.
#pragma once

#include <windows.h>

namespace stats {

class ModalDialog {
 public:
  virtual ~ModalDialog() = default;

  // IDOK, IDCANCEL, or -1 when the dialog could not be created or filled.
  INT_PTR run(int templateId);

 protected:
  virtual void initialise(HWND dialog) = 0;  // fill the controls
  virtual void accept(HWND dialog) = 0;      // read the controls back (OK)

 private:
  static INT_PTR CALLBACK procedure(HWND dialog, UINT message, WPARAM wParam,
                                    LPARAM lParam) noexcept;
};

}  // namespace stats
