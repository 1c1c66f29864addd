// The file system's part in writing the Cabrillo file whole or not at all: a name beside the file
// for the text being written, and the step that puts the finished text in the file's place. How
// that is done safely differs per platform (what a name may hold, whether a rename replaces), so
// each platform makes its own.
#pragma once

#include <memory>
#include <optional>
#include <string>

namespace stats {

class FileReplace {
 public:
  virtual ~FileReplace() = default;

  // A name beside `fileName` for the text being written; nothing when none can be used.
  virtual std::optional<std::string> temporaryNameBeside(const std::string& fileName) const = 0;
  // Puts the file `from` in the place of `to`, whatever stood there; false with the system's
  // reason in `reason`.
  virtual bool replace(const std::string& from, const std::string& to,
                       std::string& reason) const = 0;
  // Removes the file if it is there.
  virtual void remove(const std::string& name) const = 0;
};

// The platform's way. Defined per platform.
std::unique_ptr<FileReplace> makePlatformFileReplace();

}  // namespace stats
