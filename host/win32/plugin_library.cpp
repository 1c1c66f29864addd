#include <windows.h>

#include <string>
#include <vector>

#include "host/plugin_library.h"

namespace stats_host {
namespace {

class Dll final : public PluginLibrary {
 public:
  explicit Dll(HMODULE module) : module_(module) {}
  ~Dll() override { FreeLibrary(module_); }
  Dll(const Dll&) = delete;
  Dll& operator=(const Dll&) = delete;

  void* symbol(const char* name) const override {
    return reinterpret_cast<void*>(GetProcAddress(module_, name));
  }
  void* nativeHandle() const override { return module_; }

 private:
  HMODULE module_;
};

std::wstring wide(const std::string& text) {
  const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
  if (length <= 0) return {};
  std::wstring result(static_cast<std::size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, result.data(), length);
  result.pop_back();
  return result;
}

std::string describe(DWORD code) {
  char* text = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string message = length > 0 ? std::string(text, length) : "error " + std::to_string(code);
  LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
    message.pop_back();
  }
  return message;
}

}  // namespace

std::unique_ptr<PluginLibrary> PluginLibrary::load(const std::string& path, std::string& error) {
  HMODULE module = LoadLibraryW(wide(path).c_str());
  if (module == nullptr) {
    error = describe(GetLastError());
    return nullptr;
  }
  return std::make_unique<Dll>(module);
}

const char* pluginFileName() {
  return "Stats.dll";
}

std::string executablePath() {
  // The buffer grows until the whole path fits: a test host may run from a deep build folder.
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) return std::string(path.data(), length);
    path.resize(path.size() * 2);
  }
}

}  // namespace stats_host
