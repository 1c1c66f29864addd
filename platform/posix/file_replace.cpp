// The Cabrillo file on POSIX systems: the finished text is renamed over the file in one step.
#include <filesystem>
#include <system_error>

#include "core/cabrillo/file_replace.h"

namespace stats {
namespace {

namespace fs = std::filesystem;

class PosixFileReplace final : public FileReplace {
 public:
  // The first of a few names that is free or holds a regular file (left by an export that was cut
  // short), never a folder, a link or a FIFO.
  std::optional<std::string> temporaryNameBeside(const std::string& fileName) const override {
    for (int attempt = 0; attempt < 10; ++attempt) {
      std::string name = fileName + (attempt == 0 ? "" : "." + std::to_string(attempt)) + ".tmp";
      std::error_code error;
      const fs::file_status status = fs::symlink_status(name, error);
      if (status.type() == fs::file_type::not_found || status.type() == fs::file_type::regular) {
        return name;
      }
    }
    return std::nullopt;
  }

  bool replace(const std::string& from, const std::string& to, std::string& reason) const override {
    std::error_code error;
    fs::rename(from, to, error);
    if (error) reason = error.message();
    return !error;
  }

  void remove(const std::string& name) const override {
    std::error_code error;
    fs::remove(name, error);
  }
};

}  // namespace

std::unique_ptr<FileReplace> makePlatformFileReplace() {
  return std::make_unique<PosixFileReplace>();
}

}  // namespace stats
