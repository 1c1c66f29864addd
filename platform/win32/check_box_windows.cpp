#include "platform/win32/check_box_windows.h"

#include <memory>

#include "core/diagnostics/diagnostics.h"
#include "platform/win32/mem_dc.h"
#include "platform/win32/window_placement.h"
#include "resources/resource.h"

namespace stats {
namespace {

constexpr COLORREF kWindowColor = RGB(255, 250, 198);
constexpr COLORREF kLabelBackground = RGB(255, 240, 198);
constexpr COLORREF kLabelText = RGB(0, 0, 0);

// One per window, alive as long as the window: what its messages need.
struct CheckBoxWindow {
  LiveWindows& windows;
  const WindowPlace& place;
  UniqueGdiObject<HBRUSH> brush;
};

INT_PTR CALLBACK checkBoxWindowProcedure(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) noexcept {
  return stopExceptions("a check-box window's message stopped", FALSE, [&]() -> INT_PTR {
    if (message == WM_INITDIALOG) {
      auto* self = reinterpret_cast<CheckBoxWindow*>(lParam);
      SetWindowLongPtrW(window, DWLP_USER, lParam);
      self->brush.reset(CreateSolidBrush(kWindowColor));
      placeWindow(window, self->windows, self->place);
      return TRUE;
    }
    auto* self = reinterpret_cast<CheckBoxWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (self == nullptr) return FALSE;
    switch (message) {
      case WM_CTLCOLORDLG:
      case WM_CTLCOLORSTATIC:
      case WM_CTLCOLORBTN: {
        if (!self->brush) return FALSE;
        const auto context = reinterpret_cast<HDC>(wParam);
        SetTextColor(context, kLabelText);
        SetBkColor(context, kLabelBackground);
        return reinterpret_cast<INT_PTR>(self->brush.get());
      }
      case WM_SETCURSOR:
        rememberWindowPosition(window, self->windows, self->place);
        return FALSE;  // the pointer's shape is set as usual
      case WM_COMMAND:
        if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
        [[fallthrough]];
      case WM_CLOSE:
        ShowWindow(window, SW_HIDE);  // gone for the rest of the run, destroyed at its end
        return TRUE;
      case WM_NCDESTROY: {
        SetWindowLongPtrW(window, DWLP_USER, 0);
        const std::unique_ptr<CheckBoxWindow> owned(self);  // the window's data goes with it
        return FALSE;
      }
      default:
        return FALSE;
    }
  });
}

// A dialog template of `module`, in memory as long as the module is loaded; null when missing.
const DLGTEMPLATE* dialogTemplate(HMODULE module, int templateId) {
  HRSRC found =
      FindResourceW(module, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5));  // RT_DIALOG
  HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
  return loaded != nullptr ? static_cast<const DLGTEMPLATE*>(LockResource(loaded)) : nullptr;
}

}  // namespace

CheckBoxWindowResources loadCheckBoxWindowResources(HMODULE module) {
  return {module, dialogTemplate(module, IDD_PROVINCE), dialogTemplate(module, IDD_EUROPEAN_UNION),
          loadWindowIcon(module, IDI_STATS), loadWindowIcon(module, IDI_EUROPEAN_UNION)};
}

HWND createCheckBoxWindow(LiveWindows& windows, LiveWindows::Slot slot,
                          const CheckBoxWindowResources& resources) {
  const bool province = slot == LiveWindows::provinceWindow;
  const DLGTEMPLATE* dialog = province ? resources.provinceTemplate : resources.euTemplate;
  auto data = std::make_unique<CheckBoxWindow>(
      CheckBoxWindow{windows, province ? kProvinceWindowPlace : kEuWindowPlace, {}});
  HWND window = dialog == nullptr ? nullptr
                                  : CreateDialogIndirectParamW(
                                        resources.module, dialog, nullptr, &checkBoxWindowProcedure,
                                        reinterpret_cast<LPARAM>(data.get()));
  if (window == nullptr) {
    traceFailure(province ? "the province window could not be created"
                          : "the European-Union window could not be created");
    return nullptr;
  }
  data.release();  // the window owns it now; freed at WM_NCDESTROY
  setWindowIcon(window, province ? resources.provinceIcon : resources.euIcon);
  return window;
}

}  // namespace stats
