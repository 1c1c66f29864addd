#include "host/plugin_library.h"

#include <type_traits>

namespace stats_host {

bool PluginLibrary::resolve(Exports& exports, std::string& missing) const {
  missing.clear();
  resolveExports(exports, [&](const char* name, auto& slot) {
    // Through void(*)(): a data pointer to a function pointer without -Wcast-function-type.
    using Slot = std::remove_reference_t<decltype(slot)>;
    slot = reinterpret_cast<Slot>(reinterpret_cast<void (*)()>(symbol(name)));
    if (slot == nullptr && missing.empty()) missing = name;
  });
  return missing.empty();
}

std::string executableFolder() {
  const std::string path = executablePath();
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? "." : path.substr(0, separator);
}

}  // namespace stats_host
