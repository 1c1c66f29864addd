// A folder of a test's own under the system's temporary folder, removed with all it holds at the
// end of its life. By default it stands in for the host's program folder: it holds an empty
// "Plugins" folder and is the current directory while it lives, so that "Plugins\ZRV.ini" and
// the ".cbr" files land inside it; the previous current directory comes back at the end.
//
// Shared by the unit tests (native and under Wine), the library tests, the benchmark, the Wine
// tests of the DLL and the settings-script runner; header-only and std::filesystem only.
#pragma once

#include <atomic>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace stats_test {

// The bytes of a file; nothing when it cannot be opened.
inline std::optional<std::string> readBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Writes `bytes` as the whole file; throws when that fails.
inline void writeBytes(const std::filesystem::path& file, std::string_view bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

struct ScratchOptions {
  bool pluginsFolder = true;  // an empty "Plugins" folder inside
  bool makeCurrent = true;    // the current directory while the folder lives
};

class ScratchFolder {
 public:
  explicit ScratchFolder(ScratchOptions options = {}) : path_(makeUniqueFolder()) {
    try {
      if (options.pluginsFolder) std::filesystem::create_directory(path_ / "Plugins");
      if (options.makeCurrent) {
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
      }
    } catch (...) {
      release();
      throw;
    }
  }
  ~ScratchFolder() { release(); }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }

  // A file inside the folder, named relative to it: its bytes ("" when missing), or written anew.
  std::string readFile(const std::filesystem::path& name) const {
    return readBytes(path_ / name).value_or("");
  }
  void writeFile(const std::filesystem::path& name, std::string_view bytes) const {
    writeBytes(path_ / name, bytes);
  }

 private:
  // Unique among the scratch folders of this process (a counter) and of processes running at the
  // same time (the process id); a folder left behind by an ended process is stepped over.
  static std::filesystem::path makeUniqueFolder() {
    static std::atomic<unsigned> counter{0};
#ifdef _WIN32
    const int processId = _getpid();
#else
    const int processId = static_cast<int>(::getpid());
#endif
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 1000; ++attempt) {
      std::filesystem::path candidate =
          base / ("stats-test-" + std::to_string(processId) + "-" + std::to_string(counter++));
      if (std::filesystem::create_directory(candidate)) return candidate;
    }
    throw std::runtime_error("no unused scratch folder name under " + base.string());
  }

  void release() noexcept {
    std::error_code ignored;
    if (!previous_.empty()) std::filesystem::current_path(previous_, ignored);
    std::filesystem::remove_all(path_, ignored);
  }

  std::filesystem::path path_;
  std::filesystem::path previous_;
};

}  // namespace stats_test
