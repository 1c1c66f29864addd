// Owners of COM's handles: an interface pointer, a BSTR (the one handle template's), a VARIANT and
// the calling thread's COM initialisation. Each is released by its owner's destructor, on the
// thread that destroys it.
#pragma once

#include <objbase.h>
#include <oleauto.h>

#include <string_view>
#include <utility>

#include "platform/win32/unique_handle.h"

namespace stats {

// One reference to a COM interface.
template <typename Interface>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { reset(); }
  ComPtr(ComPtr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      pointer_ = std::exchange(other.pointer_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;

  Interface* get() const { return pointer_; }
  Interface* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }

  // Releases the reference held and hands out the slot for a call that returns a new one.
  Interface** put() {
    reset();
    return &pointer_;
  }
  void** putVoid() { return reinterpret_cast<void**>(put()); }

  void reset() {
    if (pointer_ != nullptr) std::exchange(pointer_, nullptr)->Release();
  }

 private:
  Interface* pointer_ = nullptr;
};

// One BSTR, and one made of a text (null when there is no memory for it).
using UniqueBstr = UniqueHandle<BSTR, &SysFreeString>;
inline UniqueBstr bstrOf(std::wstring_view text) {
  return UniqueBstr(SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
}

// One VARIANT, cleared (VariantClear) at the end of its life.
class UniqueVariant {
 public:
  UniqueVariant() { VariantInit(&value_); }
  ~UniqueVariant() { VariantClear(&value_); }
  UniqueVariant(const UniqueVariant&) = delete;
  UniqueVariant& operator=(const UniqueVariant&) = delete;

  VARIANT* get() { return &value_; }
  const VARIANT* get() const { return &value_; }
  VARIANT* operator->() { return &value_; }
  const VARIANT* operator->() const { return &value_; }

 private:
  VARIANT value_;
};

// The calling thread's membership of a single-threaded apartment. Once entered, the destructor
// leaves it again, which must happen on the thread that entered; a thread that was in an
// apartment of either kind before stays in it.
class ComApartment {
 public:
  ComApartment() = default;
  ~ComApartment() {
    if (entered_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

  // CoInitializeEx's answer; once it succeeded, further calls do nothing and answer S_FALSE.
  HRESULT enter() {
    if (entered_) return S_FALSE;
    const HRESULT result = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    entered_ = SUCCEEDED(result);
    return result;
  }

 private:
  bool entered_ = false;
};

}  // namespace stats
