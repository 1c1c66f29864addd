// Off-screen drawing for windows that paint often: everything goes into a bitmap first and reaches
// the window in one block transfer, so the window never shows a half-painted state. Also the owners
// of the GDI handles involved.
#pragma once

#include <windows.h>

#include <utility>

namespace stats {

// A GDI object this code created (a brush, a bitmap), deleted with the owner.
template <typename Handle>
class UniqueGdiObject {
 public:
  UniqueGdiObject() = default;
  explicit UniqueGdiObject(Handle handle) : handle_(handle) {}
  ~UniqueGdiObject() { reset(); }
  UniqueGdiObject(UniqueGdiObject&& other) noexcept
      : handle_(std::exchange(other.handle_, nullptr)) {}
  UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
    if (this != &other) {
      reset();
      handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
  }
  UniqueGdiObject(const UniqueGdiObject&) = delete;
  UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void reset() {
    if (handle_ != nullptr) DeleteObject(std::exchange(handle_, nullptr));
  }

 private:
  Handle handle_ = nullptr;
};

// A device context this code created (CreateCompatibleDC), deleted with the owner.
class UniqueDc {
 public:
  UniqueDc() = default;
  explicit UniqueDc(HDC dc) : dc_(dc) {}
  ~UniqueDc() { reset(); }
  UniqueDc(UniqueDc&& other) noexcept : dc_(std::exchange(other.dc_, nullptr)) {}
  UniqueDc& operator=(UniqueDc&& other) noexcept {
    if (this != &other) {
      reset();
      dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
  }
  UniqueDc(const UniqueDc&) = delete;
  UniqueDc& operator=(const UniqueDc&) = delete;

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  void reset() {
    if (dc_ != nullptr) DeleteDC(std::exchange(dc_, nullptr));
  }

 private:
  HDC dc_ = nullptr;
};

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
