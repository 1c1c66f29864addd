// The host's automation object as the live window's poll uses it: three members, each of which
// the host may answer with an error. The Windows implementation reaches the running object over
// COM on the window thread; tests hand the poll a fake.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stats {

class HostLink {
 public:
  virtual ~HostLink() = default;

  // Looks for the host's running automation object; false when there is none (the host is not
  // running, or not registered). Called once per run of the window thread, on that thread.
  virtual bool connect() = 0;

  // The radio frequency in Hz; nothing when the host answered with an error.
  virtual std::optional<double> GetFrequency() = 0;
  // The call being entered, in the plug-in's 8-bit text; nothing on an error.
  virtual std::optional<std::string> GetCurrentCall(int32_t selector) = 0;
  // Hands the host a command token; false on an error.
  virtual bool SendCommand(std::string_view command) = 0;
};

}  // namespace stats
