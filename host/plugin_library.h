// A build of the plug-in loaded by path (libStats.so with dlopen, Stats.dll with LoadLibraryW) and
// reached only through its ten entry points, as the logger reaches it. Used by every host of the
// plug-in: zrv-score, the benchmark and the test hosts. Unloaded when the object goes.
#pragma once

#include <memory>
#include <string>

#include "api/stats_exports.h"

namespace stats_host {

class PluginLibrary {
 public:
  // Null, with the system's reason in `error`, when the file cannot be loaded.
  static std::unique_ptr<PluginLibrary> load(const std::string& path, std::string& error);
  virtual ~PluginLibrary() = default;

  // The entry point's address, or null.
  virtual void* symbol(const char* name) const = 0;
  // The system's handle of the loaded file (the HMODULE on Windows).
  virtual void* nativeHandle() const = 0;

  // Fills every entry point; false, with `missing` naming the first the file lacks.
  bool resolve(Exports& exports, std::string& missing) const;
};

// The plug-in's file name on this platform: "libStats.so" or "Stats.dll".
const char* pluginFileName();

// The running executable's file; empty when the system cannot tell. Defined per platform.
std::string executablePath();
// Its folder, where a host looks for the plug-in built beside it; "." when the system cannot tell.
std::string executableFolder();

}  // namespace stats_host
