#include <dlfcn.h>
#include <unistd.h>

#include <array>

#include "host/plugin_library.h"

namespace stats_host {
namespace {

class SharedObject final : public PluginLibrary {
 public:
  explicit SharedObject(void* handle) : handle_(handle) {}
  ~SharedObject() override { dlclose(handle_); }
  SharedObject(const SharedObject&) = delete;
  SharedObject& operator=(const SharedObject&) = delete;

  void* symbol(const char* name) const override { return dlsym(handle_, name); }
  void* nativeHandle() const override { return handle_; }

 private:
  void* handle_;
};

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string& error) {
  // A name without a slash would be searched for on the library path instead of taken as a file.
  const std::string file = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* reason = dlerror();
    error = reason != nullptr ? reason : "unknown error";
    return nullptr;
  }
  return std::make_unique<SharedObject>(handle);
}

const char* pluginFileName() {
  return "libStats.so";
}

std::string executablePath() {
  std::array<char, 4096> path{};
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  return length > 0 ? std::string(path.data(), static_cast<std::size_t>(length)) : std::string();
}

}  // namespace stats_host
