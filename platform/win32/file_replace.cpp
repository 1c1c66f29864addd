// The Cabrillo file on Windows. Windows has no FIFOs, and opening a folder fails, so one fixed
// name beside the file does. std::filesystem stays out of the DLL, whose size it would triple: the
// C library's rename does not replace a file, so the previous file is removed first, and only once
// the new text is complete beside it.
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/cabrillo/file_replace.h"

namespace stats {
namespace {

class WindowsFileReplace final : public FileReplace {
 public:
  std::optional<std::string> temporaryNameBeside(const std::string& fileName) const override {
    return fileName + ".tmp";
  }

  bool replace(const std::string& from, const std::string& to, std::string& reason) const override {
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    std::remove(to.c_str());
    if (std::rename(from.c_str(), to.c_str()) == 0) return true;
    reason = std::strerror(errno);
    return false;
  }

  void remove(const std::string& name) const override { std::remove(name.c_str()); }
};

}  // namespace

std::unique_ptr<FileReplace> makePlatformFileReplace() {
  return std::make_unique<WindowsFileReplace>();
}

}  // namespace stats
