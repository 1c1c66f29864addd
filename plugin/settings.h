// The plug-in's settings file: one INI file, one section, read and written key by key.
#pragma once

#include <string>
#include <string_view>

#include "plugin/profile.h"
#include "plugin/settings_keys.h"

namespace stats {

// Converts text like the C library's atoi: optional leading white space and sign, then decimal
// digits; 0 when there are none. Out-of-range values saturate instead of being undefined.
int parseLeadingInt(std::string_view text);

// Every settings access of the plug-in goes through here, in section "Settings". Values are read
// whole (no length cut) through the one `readText`. A write that fails is traced, not reported:
// the host has no way to hear of it.
class Settings {
 public:
  explicit Settings(ProfileStore& store) : store_(store) {}

  std::string readText(std::string_view key, std::string_view defaultValue = {}) const;
  int readNumber(std::string_view key) const;  // missing or not numeric: 0
  void writeText(std::string_view key, std::string_view value) const;
  void writeNumber(std::string_view key, int value) const;  // written like "%i"

 private:
  ProfileStore& store_;
};

}  // namespace stats
