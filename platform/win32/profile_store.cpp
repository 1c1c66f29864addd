// The Windows settings file: kernel32's private-profile functions, given the file name as the
// plug-in passes it, so a relative name with a folder resolves against the current directory.
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/settings/profile.h"

namespace stats {
namespace {

class Win32ProfileStore final : public ProfileStore {
 public:
  explicit Win32ProfileStore(std::string fileName) : fileName_(std::move(fileName)) {}

  // GetPrivateProfileStringA cuts a value that does not fit and then returns size - 1, so a
  // result of size - 1 may be a cut value: read again into a buffer twice as large.
  std::string read(std::string_view section, std::string_view key,
                   std::string_view defaultValue) override {
    const std::string sectionText(section), keyText(key), defaultText(defaultValue);
    std::vector<char> buffer(256);
    for (;;) {
      const DWORD size = static_cast<DWORD>(buffer.size());
      const DWORD length =
          GetPrivateProfileStringA(sectionText.c_str(), keyText.c_str(), defaultText.c_str(),
                                   buffer.data(), size, fileName_.c_str());
      if (length + 1 < size || buffer.size() >= kLargestBuffer) {
        return std::string(buffer.data(), length);
      }
      buffer.resize(buffer.size() * 2);
    }
  }

  bool write(std::string_view section, std::string_view key, std::string_view value) override {
    const std::string sectionText(section), keyText(key), valueText(value);
    return WritePrivateProfileStringA(sectionText.c_str(), keyText.c_str(), valueText.c_str(),
                                      fileName_.c_str()) != FALSE;
  }

  // kernel32 keeps the file it read last in memory: each key is read when it is asked for.
  std::unique_ptr<ProfileSnapshot> snapshot(std::string_view section) override {
    return std::make_unique<ReadThroughSnapshot>(*this, section);
  }

 private:
  // A settings value is a line of text; past this the file is not one the plug-in wrote.
  static constexpr std::size_t kLargestBuffer = std::size_t{1} << 24;

  std::string fileName_;
};

}  // namespace

std::unique_ptr<ProfileStore> makePlatformProfileStore(std::string fileName) {
  return std::make_unique<Win32ProfileStore>(std::move(fileName));
}

}  // namespace stats
