// The plug-in's settings file: one INI file, one section, read and written key by key.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "core/settings/profile.h"
#include "core/settings/settings_keys.h"

namespace stats {

// Converts text like the C library's atoi: optional leading white space and sign, then decimal
// digits; 0 when there are none. Out-of-range values saturate instead of being undefined.
int parseLeadingInt(std::string_view text);

// Every settings access of the plug-in goes through here, in section "Settings". Values are read
// whole (no length cut) through the one `readText`. A write that fails is traced, not reported:
// the host has no way to hear of it.
//
// One Settings lives for one operation of the plug-in (a contest start, a score update, the
// setup): its first read takes a snapshot of the section, which serves every later read and takes
// in the operation's own writes. Each write still goes to the file at once, in the order made, so
// the file sees the same writes as without the snapshot; the next operation reads the file anew.
class Settings {
 public:
  explicit Settings(ProfileStore& store) : store_(store) {}

  std::string readText(std::string_view key, std::string_view defaultValue = {}) const;
  int readNumber(std::string_view key) const;  // missing or not numeric: 0
  void writeText(std::string_view key, std::string_view value) const;
  void writeNumber(std::string_view key, int value) const;  // written like "%i"

 private:
  ProfileSnapshot& snapshot() const;

  ProfileStore& store_;
  mutable std::unique_ptr<ProfileSnapshot> snapshot_;  // taken at the first read
};

}  // namespace stats
