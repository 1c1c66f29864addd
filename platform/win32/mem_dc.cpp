#include "platform/win32/mem_dc.h"

namespace stats {

CMemDC::CMemDC(HDC target) : target_(target) {
  if (GetDeviceCaps(target_, TECHNOLOGY) == DT_RASPRINTER) return;
  const int clip = GetClipBox(target_, &area_);
  const int width = area_.right - area_.left;
  const int height = area_.bottom - area_.top;
  if (clip == ERROR || clip == NULLREGION || width <= 0 || height <= 0) return;

  UniqueDc memory(CreateCompatibleDC(target_));
  if (!memory) return;
  UniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(target_, width, height));
  if (!bitmap) return;
  ScopedSelection selection(memory.get(), bitmap.get());
  if (!selection) return;
  if (!SetWindowOrgEx(memory.get(), area_.left, area_.top, nullptr)) return;

  // Only a complete off-screen surface is kept; anything less leaves dc() at the target.
  memory_ = std::move(memory);
  bitmap_ = std::move(bitmap);
  selection_ = std::move(selection);
}

CMemDC::~CMemDC() {
  if (!offScreen()) return;
  BitBlt(target_, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top,
         memory_.get(), area_.left, area_.top, SRCCOPY);
}

}  // namespace stats
