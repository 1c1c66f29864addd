// The plug-in library, loaded by path: libStats.so on Linux, Stats.dll on Windows. The command-line
// host reaches the plug-in only through the entry points it looks up here, as the logger does.
#pragma once

#include <memory>
#include <string>

namespace zrv_score {

class PluginLibrary {
 public:
  // Null with `error` set when the file cannot be loaded.
  static std::unique_ptr<PluginLibrary> load(const std::string& path, std::string& error);
  virtual ~PluginLibrary() = default;
  // The entry point's address, or null.
  virtual void* symbol(const char* name) const = 0;
};

// The plug-in's file name on this platform, and where the tool looks for it first: beside its own
// executable.
const char* libraryFileName();
std::string executableFolder();

}  // namespace zrv_score
