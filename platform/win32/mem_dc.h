// Off-screen drawing for windows that paint often: everything goes into a bitmap first and reaches
// the window in one block transfer, so the window never shows a half-painted state. Also the owners
// of the GDI handles involved.
#pragma once

#include <windows.h>

#include <utility>

#include "platform/win32/unique_handle.h"

namespace stats {

// A GDI object this code created (a brush, a bitmap).
template <typename Handle>
using UniqueGdiObject = UniqueHandle<Handle, &DeleteObject>;
// A device context this code created (CreateCompatibleDC).
using UniqueDc = UniqueHandle<HDC, &DeleteDC>;

// An object selected into a device context; the one it replaced is selected back with the owner.
class ScopedSelection {
 public:
  ScopedSelection() = default;
  ScopedSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {
    if (previous_ == nullptr || previous_ == HGDI_ERROR) dc_ = nullptr;
  }
  ~ScopedSelection() { reset(); }
  ScopedSelection(ScopedSelection&& other) noexcept
      : dc_(std::exchange(other.dc_, nullptr)), previous_(other.previous_) {}
  ScopedSelection& operator=(ScopedSelection&& other) noexcept {
    if (this != &other) {
      reset();
      dc_ = std::exchange(other.dc_, nullptr);
      previous_ = other.previous_;
    }
    return *this;
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

  explicit operator bool() const { return dc_ != nullptr; }
  void reset() {
    if (dc_ != nullptr) SelectObject(std::exchange(dc_, nullptr), previous_);
  }

 private:
  HDC dc_ = nullptr;
  HGDIOBJ previous_ = nullptr;
};

// Drawing into dc() lands in an off-screen bitmap the size of the target's clip box, in the
// target's own coordinates; the destructor copies that area to the same place on the target.
// A printer is drawn on directly, and so is any target the bitmap cannot be made for.
class CMemDC {
 public:
  // `target` is not owned and must outlive this object.
  explicit CMemDC(HDC target);
  ~CMemDC();
  CMemDC(const CMemDC&) = delete;
  CMemDC& operator=(const CMemDC&) = delete;

  HDC dc() const { return offScreen() ? memory_.get() : target_; }

 private:
  bool offScreen() const { return static_cast<bool>(selection_); }

  HDC target_;
  RECT area_{};
  // Released in reverse order: the bitmap is selected out before it and the memory DC are deleted.
  UniqueDc memory_;
  UniqueGdiObject<HBITMAP> bitmap_;
  ScopedSelection selection_;
};

}  // namespace stats
