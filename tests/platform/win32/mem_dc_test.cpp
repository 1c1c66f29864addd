// The off-screen surface and the GDI canvas, drawn onto a bitmap in memory that stands in for the
// window. Windows only: these are the GDI calls themselves.

#include <gtest/gtest.h>

#include "platform/win32/gdi_canvas.h"
#include "platform/win32/info_panel_drawing.h"
#include "platform/win32/mem_dc.h"

namespace {

constexpr int kWidth = 200, kHeight = 180;
constexpr COLORREF kOld = RGB(40, 80, 120);  // what the target shows before anything is drawn
constexpr COLORREF kBackground = RGB(255, 255, 198), kHighlight = RGB(198, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0), kWhite = RGB(255, 255, 255);

// The target: a memory DC with a 200 x 180 DIB section selected, filled with kOld.
class MemDc : public testing::Test {
 protected:
  MemDc() {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    screen_ = stats::UniqueGdiObject<HBITMAP>(
        CreateDIBSection(target(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    selected_ = stats::ScopedSelection(target(), screen_.get());
    stats::GdiCanvas(target()).fillRect({0, 0, kWidth, kHeight}, {40, 80, 120});
    poll_.currentCall = "ON4ABC";
    poll_.currentBand = 3;
  }

  HDC target() const { return target_.get(); }
  COLORREF at(int x, int y) const { return GetPixel(target(), x, y); }
  bool anyPixelInRows(int top, int bottom, COLORREF color) const {
    for (int y = top; y < bottom; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (at(x, y) == color) return true;
      }
    }
    return false;
  }
  void drawPanel() {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_STATIC;
    item.hDC = target();
    item.rcItem = {0, 0, kWidth, kHeight};
    stats::drawInfoPanel(item, poll_, state_);
  }

  stats::UniqueDc target_{CreateCompatibleDC(nullptr)};
  stats::UniqueGdiObject<HBITMAP> screen_;
  stats::ScopedSelection selected_;
  stats::PollState poll_;
  stats::ContestState state_;
};

TEST_F(MemDc, DrawsTheBandTableWithTheRadiosBandHighlighted) {
  ASSERT_TRUE(selected_);
  drawPanel();
  EXPECT_EQ(at(5, 60), kBackground);
  EXPECT_EQ(at(5, 99), kBackground);
  EXPECT_EQ(at(5, 100), kHighlight);  // band 3: the fifth of seven 25-pixel lines
  EXPECT_EQ(at(kWidth - 1, 124), kHighlight);
  EXPECT_EQ(at(kWidth - 1, 125), kBackground);
  EXPECT_TRUE(anyPixelInRows(0, 25, kBlack));
  EXPECT_FALSE(anyPixelInRows(0, 25, kWhite)) << "texts are drawn without a background";
}

TEST_F(MemDc, DrawsNothingOnTheTargetUntilItEnds) {
  {
    const stats::CMemDC surface(target());
    ASSERT_NE(surface.dc(), target());
    stats::GdiCanvas(surface.dc()).fillRect({0, 0, kWidth, kHeight}, {255, 255, 198});
    EXPECT_EQ(GetPixel(surface.dc(), 5, 5), kBackground);
    EXPECT_EQ(at(5, 5), kOld);
  }
  EXPECT_EQ(at(5, 5), kBackground);
}

TEST_F(MemDc, CopiesTheTargetsClipBoxToTheSamePlace) {
  IntersectClipRect(target(), 50, 40, 150, 120);
  {
    const stats::CMemDC surface(target());
    stats::GdiCanvas canvas(surface.dc());
    canvas.fillRect({0, 0, kWidth, kHeight}, {255, 255, 198});
    canvas.fillRect({60, 50, 70, 60}, {198, 255, 255});  // in the target's coordinates
  }
  SelectClipRgn(target(), nullptr);  // GetPixel answers inside the clip region only
  EXPECT_EQ(at(60, 50), kHighlight);
  EXPECT_EQ(at(69, 59), kHighlight);
  EXPECT_EQ(at(70, 59), kBackground);
  EXPECT_EQ(at(50, 40), kBackground);
  EXPECT_EQ(at(149, 119), kBackground);
  EXPECT_EQ(at(49, 40), kOld);
  EXPECT_EQ(at(50, 39), kOld);
  EXPECT_EQ(at(150, 119), kOld);
  EXPECT_EQ(at(149, 120), kOld);
}

TEST_F(MemDc, LeavesTheTargetsObjectsAndModesAsTheyWere) {
  const HGDIOBJ bitmap = GetCurrentObject(target(), OBJ_BITMAP);
  const HGDIOBJ brush = GetCurrentObject(target(), OBJ_BRUSH);
  const HGDIOBJ font = GetCurrentObject(target(), OBJ_FONT);
  const int backgroundMode = GetBkMode(target());
  drawPanel();
  EXPECT_EQ(GetCurrentObject(target(), OBJ_BITMAP), bitmap);
  EXPECT_EQ(GetCurrentObject(target(), OBJ_BRUSH), brush);
  EXPECT_EQ(GetCurrentObject(target(), OBJ_FONT), font);
  EXPECT_EQ(GetBkMode(target()), backgroundMode);
}

TEST_F(MemDc, DeletesItsDcAndBitmapWhenItEnds) {
  HDC memory = nullptr;
  HGDIOBJ bitmap = nullptr;
  {
    const stats::CMemDC surface(target());
    memory = surface.dc();
    bitmap = GetCurrentObject(memory, OBJ_BITMAP);
    ASSERT_EQ(GetObjectType(memory), static_cast<DWORD>(OBJ_MEMDC));
    ASSERT_EQ(GetObjectType(bitmap), static_cast<DWORD>(OBJ_BITMAP));
  }
  EXPECT_EQ(GetObjectType(memory), 0u);
  EXPECT_EQ(GetObjectType(bitmap), 0u);
}

TEST_F(MemDc, SelectionPutsThePreviousObjectBack) {
  const HGDIOBJ before = GetCurrentObject(target(), OBJ_BRUSH);
  {
    const stats::ScopedSelection selection(target(), GetStockObject(BLACK_BRUSH));
    ASSERT_NE(GetCurrentObject(target(), OBJ_BRUSH), before);
  }
  EXPECT_EQ(GetCurrentObject(target(), OBJ_BRUSH), before);
}

}  // namespace
