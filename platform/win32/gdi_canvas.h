// The info panel's drawing surface on a Windows device context. Texts are drawn in whatever font
// and text colour the context has; the panel selects none, so they come out in the system font,
// black.
#pragma once

#include <windows.h>

#include "core/live/canvas.h"

namespace stats {

class GdiCanvas final : public Canvas {
 public:
  // `dc` is not owned and must outlive the canvas.
  explicit GdiCanvas(HDC dc) : dc_(dc) {}

  void fillRect(const PanelRect& area, Color color) override;
  void setTransparentBackground() override;
  // The bytes as they are, in the ANSI code page.
  void drawText(int x, int y, std::string_view text) override;

 private:
  HDC dc_;
};

}  // namespace stats
