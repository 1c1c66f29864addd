#include "platform/win32/info_panel_drawing.h"

#include "core/live/info_panel.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/mem_dc.h"

namespace stats {

void drawInfoPanel(const DRAWITEMSTRUCT& item, const PollState& poll, ContestState& state) {
  const CMemDC surface(item.hDC);
  GdiCanvas canvas(surface.dc());
  const RECT& r = item.rcItem;
  paintInfoPanel(canvas, PanelRect{r.left, r.top, r.right, r.bottom}, poll, state);
}

}  // namespace stats
