#include "tests/support/automation_object.h"

namespace stats_test {

namespace {

// The class id the ProgID names while a registration lives: {3DF3FA3D-CAB4-49A6-A088-7BE0F77F2FB6}.
constexpr CLSID kClassId = {
    0x3df3fa3d, 0xcab4, 0x49a6, {0xa0, 0x88, 0x7b, 0xe0, 0xf7, 0x7f, 0x2f, 0xb6}};
constexpr const wchar_t* kProgIdKey = L"Quelm2.Application";
constexpr const wchar_t* kClassIdKey = L"Quelm2.Application\\CLSID";
constexpr const wchar_t* kTurnMutex = L"Local\\stats-test-automation-object";

// In a fresh Wine prefix the running object table answers "RPC server unavailable" until Wine's
// RPC service is up, which can take some tens of seconds.
constexpr HRESULT kRpcServiceStarting = HRESULT_FROM_WIN32(RPC_S_SERVER_UNAVAILABLE);
constexpr ULONGLONG kRpcServiceWaitMs = 60000;
constexpr DWORD kTurnWaitMs = 120000;

HRESULT writeProgId() {
  wchar_t classId[40];
  if (StringFromGUID2(kClassId, classId, 40) == 0) return E_UNEXPECTED;
  HKEY key = nullptr;
  LONG error = RegCreateKeyExW(HKEY_CLASSES_ROOT, kClassIdKey, 0, nullptr, 0, KEY_SET_VALUE,
                               nullptr, &key, nullptr);
  if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
  const DWORD bytes = static_cast<DWORD>((wcslen(classId) + 1) * sizeof(wchar_t));
  error = RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(classId), bytes);
  RegCloseKey(key);
  return HRESULT_FROM_WIN32(error);
}

// A method called with exactly one positional argument of exactly this type: no conversions, so
// that a test sees what the caller really sent.
HRESULT checkArgument(WORD kind, const DISPPARAMS& parameters, VARTYPE type) {
  if ((kind & DISPATCH_METHOD) == 0) return DISP_E_MEMBERNOTFOUND;
  if (parameters.cArgs != 1 || parameters.cNamedArgs != 0) return DISP_E_BADPARAMCOUNT;
  return parameters.rgvarg[0].vt == type ? S_OK : DISP_E_TYPEMISMATCH;
}

}  // namespace

AutomationObject::AutomationObject() {
  setCurrentCall(L"");
}

void AutomationObject::setCurrentCall(std::wstring_view text) {
  stats::UniqueBstr bstr = stats::bstrOf(text);
  VariantClear(currentCall_.get());
  currentCall_->vt = VT_BSTR;
  currentCall_->bstrVal = bstr.release();
}

void AutomationObject::setCurrentCall(const VARIANT& value) {
  VariantCopy(currentCall_.get(), const_cast<VARIANT*>(&value));
}

HRESULT AutomationObject::QueryInterface(REFIID interfaceId, void** object) noexcept {
  if (object == nullptr) return E_POINTER;
  if (IsEqualIID(interfaceId, IID_IUnknown) || IsEqualIID(interfaceId, IID_IDispatch)) {
    *object = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG AutomationObject::AddRef() noexcept {
  return ++references_;
}
ULONG AutomationObject::Release() noexcept {
  return --references_;
}

HRESULT AutomationObject::GetTypeInfoCount(UINT* count) noexcept {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}

HRESULT AutomationObject::GetTypeInfo(UINT, LCID, ITypeInfo** typeInfo) noexcept {
  if (typeInfo != nullptr) *typeInfo = nullptr;
  return DISP_E_BADINDEX;
}

HRESULT AutomationObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) noexcept {
  return E_NOTIMPL;
}

HRESULT AutomationObject::Invoke(DISPID member, REFIID interfaceId, LCID, WORD kind,
                                 DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                 UINT* argumentError) noexcept {
  if (!IsEqualIID(interfaceId, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (parameters == nullptr) return E_INVALIDARG;
  if (const auto failure = failures_.find(member);
      failure != failures_.end() && failure->second != S_OK) {
    if (failure->second == DISP_E_EXCEPTION && exception != nullptr) {
      *exception = EXCEPINFO{};
      exception->scode = E_FAIL;
      exception->bstrDescription = SysAllocString(L"the test made this member fail");
    }
    return failure->second;
  }
  if (argumentError != nullptr) *argumentError = 0;
  try {
    return answer(member, kind, *parameters, result);
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

HRESULT AutomationObject::answer(DISPID member, WORD kind, const DISPPARAMS& parameters,
                                 VARIANT* result) {
  switch (member) {
    case kFrequencyMember:
      if ((kind & DISPATCH_PROPERTYGET) == 0) return DISP_E_MEMBERNOTFOUND;
      if (parameters.cArgs != 0) return DISP_E_BADPARAMCOUNT;
      if (result != nullptr) {
        VariantClear(result);
        result->vt = VT_R8;
        result->dblVal = frequency_;
      }
      return S_OK;
    case kCurrentCallMember:
      if (const HRESULT refused = checkArgument(kind, parameters, VT_I4); FAILED(refused)) {
        return refused;
      }
      selectors_.push_back(parameters.rgvarg[0].lVal);
      return result != nullptr ? VariantCopy(result, currentCall_.get()) : S_OK;
    case kCommandMember: {
      if (const HRESULT refused = checkArgument(kind, parameters, VT_BSTR); FAILED(refused)) {
        return refused;
      }
      const BSTR command = parameters.rgvarg[0].bstrVal;
      commands_.push_back(command != nullptr ? std::wstring(command, SysStringLen(command))
                                             : std::wstring());
      return S_OK;
    }
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

ActiveObjectRegistration::ActiveObjectRegistration(AutomationObject& object) : object_(object) {
  status_ = apartment_.enter();
  if (FAILED(status_)) return;
  turn_.reset(CreateMutexW(nullptr, FALSE, kTurnMutex));
  if (!turn_) {
    status_ = HRESULT_FROM_WIN32(GetLastError());
    return;
  }
  const DWORD waited = WaitForSingleObject(turn_.get(), kTurnWaitMs);
  ownsTurn_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
  if (!ownsTurn_) {
    status_ = HRESULT_FROM_WIN32(WAIT_TIMEOUT);
    return;
  }
  status_ = writeProgId();
  if (FAILED(status_)) return;
  wroteProgId_ = true;
  const ULONGLONG deadline = GetTickCount64() + kRpcServiceWaitMs;
  for (;;) {
    status_ = RegisterActiveObject(&object_, kClassId, ACTIVEOBJECT_STRONG, &cookie_);
    if (status_ != kRpcServiceStarting || GetTickCount64() > deadline) break;
    Sleep(250);
  }
  if (SUCCEEDED(status_)) {
    status_ = S_OK;
  } else {
    cookie_ = 0;
  }
}

ActiveObjectRegistration::~ActiveObjectRegistration() {
  revoke();
  if (wroteProgId_) {
    RegDeleteKeyW(HKEY_CLASSES_ROOT, kClassIdKey);
    RegDeleteKeyW(HKEY_CLASSES_ROOT, kProgIdKey);
  }
  if (ownsTurn_) ReleaseMutex(turn_.get());
}

void ActiveObjectRegistration::revoke() {
  if (cookie_ == 0) return;
  RevokeActiveObject(cookie_, nullptr);
  cookie_ = 0;
  CoDisconnectObject(&object_, 0);
}

void serveCallsUntil(const std::function<bool()>& done) {
  while (!done()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

}  // namespace stats_test
