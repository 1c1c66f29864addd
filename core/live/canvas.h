// A drawing surface as the info panel paints it: solid fills, texts at points in the surface's
// default font and colour, and a transparent text background. The Windows implementation draws
// into an off-screen bitmap; tests record the calls.
#pragma once

#include <cstdint>
#include <string_view>

namespace stats {

struct Color {
  uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Color&, const Color&) = default;
};

// Left and top inside, right and bottom outside, as window rectangles are.
struct PanelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  friend bool operator==(const PanelRect&, const PanelRect&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void fillRect(const PanelRect& area, Color color) = 0;
  // Texts are drawn from here on without filling their background.
  virtual void setTransparentBackground() = 0;
  virtual void drawText(int x, int y, std::string_view text) = 0;
};

}  // namespace stats
