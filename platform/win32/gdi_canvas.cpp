#include "platform/win32/gdi_canvas.h"

#include "platform/win32/mem_dc.h"

namespace stats {

void GdiCanvas::fillRect(const PanelRect& area, Color color) {
  // FillRect takes the brush without selecting it, so the brush can go right after.
  const UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(color.red, color.green, color.blue)));
  if (!brush) return;
  const RECT rect{area.left, area.top, area.right, area.bottom};
  FillRect(dc_, &rect, brush.get());
}

void GdiCanvas::setTransparentBackground() {
  SetBkMode(dc_, TRANSPARENT);
}

void GdiCanvas::drawText(int x, int y, std::string_view text) {
  if (text.empty()) return;
  TextOutA(dc_, x, y, text.data(), static_cast<int>(text.size()));
}

}  // namespace stats
