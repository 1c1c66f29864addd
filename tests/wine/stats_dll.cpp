#include "tests/wine/stats_dll.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <type_traits>
#include <vector>

namespace stats_test {
namespace {

std::string executableFolder() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) throw std::runtime_error("GetModuleFileNameA failed");
    if (length < buffer.size()) {
      std::string path(buffer.data(), length);
      return path.substr(0, path.find_last_of("\\/") + 1);
    }
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string besideTestExecutable(const std::string& name) {
  return executableFolder() + name;
}

StatsDll::StatsDll() {
  const std::string source = besideTestExecutable(STATS_DLL_NAME);
  copyPath_ = (copyFolder_.path() / "Stats.dll").string();
  if (!CopyFileA(source.c_str(), copyPath_.c_str(), TRUE)) {
    throw std::runtime_error("cannot copy " + source + " to " + copyPath_ + ": error " +
                             std::to_string(GetLastError()));
  }
  module_ = LoadLibraryA(copyPath_.c_str());
  if (!module_) {
    const DWORD error = GetLastError();
    throw std::runtime_error("LoadLibraryA(" + copyPath_ + ") failed: error " +
                             std::to_string(error));
  }
  try {
    resolveExports(*this, [this](const char* name, auto& slot) {
      slot = exportAs<std::remove_reference_t<decltype(slot)>>(resolve(name));
    });
  } catch (...) {
    FreeLibrary(module_);
    throw;
  }
}

StatsDll::~StatsDll() {
  FreeLibrary(module_);
}

FARPROC StatsDll::resolve(const char* name) const {
  const FARPROC address = GetProcAddress(module_, name);
  if (!address) {
    ADD_FAILURE() << copyPath_ << " does not export " << name;
    throw std::runtime_error(std::string("missing export ") + name);
  }
  return address;
}

}  // namespace stats_test
