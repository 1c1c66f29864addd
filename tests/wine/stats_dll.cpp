#include "tests/wine/stats_dll.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <type_traits>
#include <vector>

namespace stats_test {
namespace {

std::atomic<unsigned> uniqueCounter{0};

// A name no other scenario of this or a concurrent test process uses.
std::string uniqueSuffix() {
  return std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) + "-" +
         std::to_string(uniqueCounter.fetch_add(1));
}

std::string withSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
  return folder;
}

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

std::string temporaryFolder() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD length = GetTempPathA(sizeof buffer, buffer);
  if (length == 0 || length > MAX_PATH) throw std::runtime_error("GetTempPathA failed");
  return withSlash(std::string(buffer, length));
}

std::string currentDirectory() {
  const DWORD size = GetCurrentDirectoryA(0, nullptr);
  std::vector<char> buffer(size + 1);
  const DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data());
  return std::string(buffer.data(), length);
}

// Closes a FindFirstFileA search when it goes out of scope.
class FindHandle {
 public:
  explicit FindHandle(HANDLE handle) : handle_(handle) {}
  ~FindHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
  }
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

void removeTree(const std::string& folder) {
  const std::string prefix = withSlash(folder);
  WIN32_FIND_DATAA entry;
  {
    FindHandle search(FindFirstFileA((prefix + "*").c_str(), &entry));
    if (search.get() != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string path = prefix + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          removeTree(path);
        } else {
          SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(search.get(), &entry));
    }
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string besideTestExecutable(const std::string& name) {
  return executableFolder() + name;
}

StatsDll::StatsDll() {
  const std::string source = besideTestExecutable(STATS_DLL_NAME);
  copyPath_ = temporaryFolder() + "Stats-" + uniqueSuffix() + ".dll";
  if (!CopyFileA(source.c_str(), copyPath_.c_str(), TRUE)) {
    throw std::runtime_error("cannot copy " + source + " to " + copyPath_ + ": error " +
                             std::to_string(GetLastError()));
  }
  module_ = LoadLibraryA(copyPath_.c_str());
  if (!module_) {
    const DWORD error = GetLastError();
    DeleteFileA(copyPath_.c_str());
    throw std::runtime_error("LoadLibraryA(" + copyPath_ + ") failed: error " +
                             std::to_string(error));
  }
  try {
    resolveExports(*this, [this](const char* name, auto& slot) {
      slot = exportAs<std::remove_reference_t<decltype(slot)>>(resolve(name));
    });
  } catch (...) {
    FreeLibrary(module_);
    DeleteFileA(copyPath_.c_str());
    throw;
  }
}

StatsDll::~StatsDll() {
  FreeLibrary(module_);
  DeleteFileA(copyPath_.c_str());
}

FARPROC StatsDll::resolve(const char* name) const {
  const FARPROC address = GetProcAddress(module_, name);
  if (!address) {
    ADD_FAILURE() << copyPath_ << " does not export " << name;
    throw std::runtime_error(std::string("missing export ") + name);
  }
  return address;
}

ScratchDirectory::ScratchDirectory() : previous_(currentDirectory()) {
  const std::string base = temporaryFolder() + "stats-test-";
  for (;;) {
    path_ = base + uniqueSuffix();
    if (CreateDirectoryA(path_.c_str(), nullptr)) break;
    if (GetLastError() != ERROR_ALREADY_EXISTS) {
      throw std::runtime_error("cannot create " + path_ + ": error " +
                               std::to_string(GetLastError()));
    }
  }
  if (!SetCurrentDirectoryA(path_.c_str()) || !CreateDirectoryA("Plugins", nullptr)) {
    const DWORD error = GetLastError();
    SetCurrentDirectoryA(previous_.c_str());
    removeTree(path_);
    throw std::runtime_error("cannot prepare " + path_ + ": error " + std::to_string(error));
  }
}

ScratchDirectory::~ScratchDirectory() {
  SetCurrentDirectoryA(previous_.c_str());
  removeTree(path_);
}

std::string ScratchDirectory::readFile(const std::string& relativeName) const {
  std::ifstream file(withSlash(path_) + relativeName, std::ios::binary);
  if (!file) return {};
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

void ScratchDirectory::writeFile(const std::string& relativeName, const std::string& bytes) const {
  const std::string path = withSlash(path_) + relativeName;
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!file.flush()) throw std::runtime_error("cannot write " + path);
}

}  // namespace stats_test
