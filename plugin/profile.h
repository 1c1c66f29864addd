// The profile seam: one key of an INI-style settings file, read or written.
//
// Implementations follow the Windows private-profile functions on everything the plug-in meets:
// section and key names match without regard to case, a missing file or key reads as the default
// (with its trailing blanks dropped), blanks around a stored value are dropped, and a write
// creates the file and the section when missing (but not the folder) and keeps every other line.
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace stats {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // The whole stored value, or `defaultValue` without its trailing blanks when there is none.
  virtual std::string read(std::string_view section, std::string_view key,
                           std::string_view defaultValue) = 0;

  // Stores `value` under `key`; false when the file could not be written.
  virtual bool write(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// The platform's profile store for `fileName`, a name as the plug-in gives it ("Plugins\ZRV.ini"),
// resolved against the current directory. Defined once per platform.
std::unique_ptr<ProfileStore> makePlatformProfileStore(std::string fileName);

}  // namespace stats
