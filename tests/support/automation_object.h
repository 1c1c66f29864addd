// A stand-in for the host's automation object, for tests on Windows (and under Wine): a
// hand-written IDispatch with the three members the plug-in calls, and its registration as the
// running object of the ProgID "Quelm2.Application".
//
// The object and its registration belong to the thread that creates them, which must be a
// single-threaded apartment member (the registration makes it one). Calls from other threads are
// served on that thread, and only while it pumps messages (serveCallsUntil).
#pragma once

#include <windows.h>

#include <oaidl.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/com_ptr.h"

namespace stats_test {

// The members, by dispatch id.
constexpr DISPID kFrequencyMember = 2;    // property get: the frequency in Hz, as VT_R8
constexpr DISPID kCurrentCallMember = 8;  // method (VT_I4 selector): the call being entered
constexpr DISPID kCommandMember = 16;     // method (VT_BSTR command): nothing

// The test owns the object (on its stack or in a unique_ptr); the reference count is kept but
// never deletes it. It must outlive its registration and every reference handed out.
class AutomationObject final : public IDispatch {
 public:
  AutomationObject();
  AutomationObject(const AutomationObject&) = delete;
  AutomationObject& operator=(const AutomationObject&) = delete;

  void setFrequency(double hertz) { frequency_ = hertz; }
  // What the call member answers: a BSTR of `text` (initially ""), or a copy of any variant.
  void setCurrentCall(std::wstring_view text);
  void setCurrentCall(const VARIANT& value);
  // From now on the member answers `error` instead (S_OK: answers again). DISP_E_EXCEPTION comes
  // with an EXCEPINFO whose strings the caller frees.
  void failMember(DISPID member, HRESULT error) { failures_[member] = error; }

  // What the members were given, in the order they were called (arguments of wrong types are
  // refused with DISP_E_TYPEMISMATCH and not recorded).
  const std::vector<int32_t>& selectors() const { return selectors_; }
  const std::vector<std::wstring>& commands() const { return commands_; }
  // Drops what was recorded so far (a long test keeps its records from growing).
  void forgetCalls() {
    selectors_.clear();
    commands_.clear();
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID interfaceId, void** object) noexcept override;
  ULONG STDMETHODCALLTYPE AddRef() noexcept override;
  ULONG STDMETHODCALLTYPE Release() noexcept override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) noexcept override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale,
                                        ITypeInfo** typeInfo) noexcept override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID interfaceId, LPOLESTR* names, UINT count,
                                          LCID locale, DISPID* ids) noexcept override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID interfaceId, LCID locale, WORD kind,
                                   DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) noexcept override;

 private:
  HRESULT answer(DISPID member, WORD kind, const DISPPARAMS& parameters, VARIANT* result);

  std::atomic<ULONG> references_{0};
  double frequency_ = 0.0;
  stats::UniqueVariant currentCall_;
  std::map<DISPID, HRESULT> failures_;
  std::vector<int32_t> selectors_;
  std::vector<std::wstring> commands_;
};

// The object registered under the ProgID (HKEY_CLASSES_ROOT\Quelm2.Application\CLSID) and in the
// running object table, for as long as this lives. Test processes sharing a Wine prefix take
// turns: a registration waits until no other process holds one.
class ActiveObjectRegistration {
 public:
  explicit ActiveObjectRegistration(AutomationObject& object);
  ~ActiveObjectRegistration();
  ActiveObjectRegistration(const ActiveObjectRegistration&) = delete;
  ActiveObjectRegistration& operator=(const ActiveObjectRegistration&) = delete;

  // S_OK when the object is the running object of the ProgID; otherwise what failed.
  HRESULT status() const { return status_; }
  // The object stops being the running object; the ProgID stays registered.
  void revoke();

 private:
  struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
  };

  AutomationObject& object_;
  stats::ComApartment apartment_;
  std::unique_ptr<void, HandleCloser> turn_;  // the mutex the test processes take turns on
  bool ownsTurn_ = false;
  bool wroteProgId_ = false;
  DWORD cookie_ = 0;
  HRESULT status_ = E_FAIL;
};

// Dispatches this thread's messages, and with them COM calls from other threads to objects of
// this thread, until `done` answers true.
void serveCallsUntil(const std::function<bool()>& done);

}  // namespace stats_test
