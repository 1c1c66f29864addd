// The host's running automation object (ProgID "Quelm2.Application"), reached over COM.
//
// An object lives and dies on the plug-in's window thread: connect() makes that thread a
// single-threaded apartment member, the dispatch pointer belongs to that apartment, and the
// destructor releases the pointer and leaves the apartment there. The host serves each call on its
// own thread; the window thread waits for the answer.
#pragma once

#include <oaidl.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/live/host_link.h"
#include "platform/win32/com_ptr.h"

namespace stats {

class CHostApplication final : public HostLink {
 public:
  CHostApplication() = default;
  CHostApplication(const CHostApplication&) = delete;
  CHostApplication& operator=(const CHostApplication&) = delete;

  // Attaches to the running object; never starts the host. A failure leaves one trace line.
  bool connect() override;

  std::optional<double> GetFrequency() override;
  std::optional<std::string> GetCurrentCall(int32_t selector) override;
  bool SendCommand(std::string_view command) override;

 private:
  HRESULT invoke(DISPID member, WORD kind, VARIANT* argument, VARIANT* result);

  // Declared in this order so that the pointer is released before the apartment is left.
  ComApartment apartment_;
  ComPtr<IDispatch> host_;
};

}  // namespace stats
