#include "platform/win32/host_application.h"

#include <windows.h>

#include <cstdio>

#include "core/diagnostics/diagnostics.h"

namespace stats {

namespace {

constexpr const wchar_t* kHostProgId = L"Quelm2.Application";

// The host's members, by dispatch id.
constexpr DISPID kFrequency = 2;
constexpr DISPID kCurrentCall = 8;
constexpr DISPID kCommand = 16;

void traceHresult(const char* what, HRESULT result) noexcept {
  char line[128];
  std::snprintf(line, sizeof line, "%s: 0x%08lX", what,
                static_cast<unsigned long>(static_cast<ULONG>(result)));
  traceFailure(line);
}

// What the host may hand back with DISP_E_EXCEPTION.
struct ExceptionInfo {
  EXCEPINFO info{};
  ~ExceptionInfo() {
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
};

std::string ansiText(BSTR text) {
  const int length = static_cast<int>(SysStringLen(text));
  if (length == 0) return {};
  const int size = WideCharToMultiByte(CP_ACP, 0, text, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string ansi(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, length, ansi.data(), size, nullptr, nullptr);
  return ansi;
}

std::wstring wideText(std::string_view ansi) {
  if (ansi.empty()) return {};
  const int length = static_cast<int>(ansi.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::wstring wide(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, wide.data(), size);
  return wide;
}

}  // namespace

bool CHostApplication::connect() {
  host_.reset();
  CLSID classId{};
  HRESULT result = CLSIDFromProgID(kHostProgId, &classId);
  if (FAILED(result)) {
    traceHresult("host automation class not registered", result);
    return false;
  }
  // A thread that is already in an apartment stays there; COM works from either kind.
  apartment_.enter();
  ComPtr<IUnknown> running;
  result = GetActiveObject(classId, nullptr, running.put());
  if (FAILED(result)) {
    traceHresult("host automation object not found", result);
    return false;
  }
  result = running->QueryInterface(IID_IDispatch, host_.putVoid());
  if (FAILED(result) || !host_) {
    host_.reset();
    traceHresult("host automation object has no IDispatch", result);
    return false;
  }
  return true;
}

HRESULT CHostApplication::invoke(DISPID member, WORD kind, VARIANT* argument, VARIANT* result) {
  if (!host_) return E_POINTER;
  DISPPARAMS parameters{argument, nullptr, argument != nullptr ? 1u : 0u, 0};
  ExceptionInfo exception;
  UINT argumentError = 0;
  return host_->Invoke(member, IID_NULL, LOCALE_USER_DEFAULT, kind, &parameters, result,
                       &exception.info, &argumentError);
}

std::optional<double> CHostApplication::GetFrequency() {
  UniqueVariant result;
  if (FAILED(invoke(kFrequency, DISPATCH_PROPERTYGET, nullptr, result.get()))) return std::nullopt;
  UniqueVariant hertz;
  if (FAILED(VariantChangeType(hertz.get(), result.get(), 0, VT_R8))) return std::nullopt;
  return hertz->dblVal;
}

std::optional<std::string> CHostApplication::GetCurrentCall(int32_t selector) {
  UniqueVariant argument;
  argument->vt = VT_I4;
  argument->lVal = selector;
  UniqueVariant result;
  if (FAILED(invoke(kCurrentCall, DISPATCH_METHOD, argument.get(), result.get()))) {
    return std::nullopt;
  }
  // Whatever is not text is read as the text it converts to, or as no text at all.
  const VARIANT* text = result.get();
  UniqueVariant converted;
  if (text->vt != VT_BSTR) {
    if (FAILED(VariantChangeType(converted.get(), result.get(), 0, VT_BSTR))) return std::string();
    text = converted.get();
  }
  return ansiText(text->bstrVal);
}

bool CHostApplication::SendCommand(std::string_view command) {
  UniqueBstr text = bstrOf(wideText(command));
  if (text.get() == nullptr) return false;
  UniqueVariant argument;
  argument->vt = VT_BSTR;
  argument->bstrVal = text.release();
  UniqueVariant ignored;
  return SUCCEEDED(invoke(kCommand, DISPATCH_METHOD, argument.get(), ignored.get()));
}

}  // namespace stats
