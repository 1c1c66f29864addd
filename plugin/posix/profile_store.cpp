// The settings file on POSIX hosts: INI reading and writing with the rules of the Windows
// private-profile functions, on a file named the Windows way ("Plugins\ZRV.ini").
#include "plugin/profile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace stats {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view trimLeadingBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  return text;
}

// Only spaces: a default ending in a tab keeps it, as with the Windows functions.
std::string_view trimTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The INI format has no way to store a line break; one written as-is would turn the rest of the
// text into lines of their own, so names and values end at their first CR or LF.
std::string_view firstLine(std::string_view text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// One matching pair of double or single quotes around the whole value goes on read.
std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The name inside a "[name]" line (up to the last ']'), or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
  line = trimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const size_t close = line.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trimBlanks(line.substr(1, close - 1));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;  // blanks around it dropped, quotes still on
};

// A "key=value" line; comments, section headers and lines without '=' are no keys.
std::optional<KeyLine> keyLine(std::string_view line) {
  line = trimBlanks(line);
  if (line.empty() || line.front() == ';' || line.front() == '[') return std::nullopt;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{trimBlanks(line.substr(0, equals)), trimBlanks(line.substr(equals + 1))};
}

// The file as lines without their line ends; a byte order mark is kept aside so that it neither
// hides a section header on the first line nor gets lost on rewrite.
struct IniFile {
  std::string bom;
  std::vector<std::string> lines;
  std::optional<mode_t> mode;  // permissions of the existing file
};

std::vector<std::string> splitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  while (!bytes.empty()) {
    const size_t end = std::min(bytes.find('\n'), bytes.size());
    std::string_view line = bytes.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
  }
  return lines;
}

std::string joinLines(const IniFile& file) {
  std::string bytes = file.bom;
  for (const std::string& line : file.lines) bytes.append(line).append("\r\n");
  return bytes;
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;

  bool valid() const { return fd_ >= 0; }
  int get() const { return fd_; }
  bool close() { return ::close(std::exchange(fd_, -1)) == 0; }
  void reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

bool readAll(int fd, std::string& bytes) {
  char buffer[8192];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count == 0) return true;
    if (count < 0 && errno != EINTR) return false;
    if (count > 0) bytes.append(buffer, static_cast<size_t>(count));
  }
}

bool writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno != EINTR) return false;
    if (count > 0) bytes.remove_prefix(static_cast<size_t>(count));
  }
  return true;
}

// A missing file loads as empty; nothing when the file exists but cannot be read, so that a
// write does not replace a file it could not see.
std::optional<IniFile> loadFile(const fs::path& path) {
  IniFile file;
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return errno == ENOENT ? std::optional(file) : std::nullopt;
  struct stat info {};
  std::string bytes;
  if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) || !readAll(fd.get(), bytes)) {
    return std::nullopt;
  }
  file.mode = info.st_mode & 07777;
  std::string_view content = bytes;
  if (content.starts_with(kUtf8Bom)) {
    file.bom = kUtf8Bom;
    content.remove_prefix(kUtf8Bom.size());
  }
  file.lines = splitLines(content);
  return file;
}

// A file beside the target that is removed again unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && !fd_.valid(); ++attempt) {
      path_ = target;
      path_ += "." + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
      // 0666 lets the umask decide, as for any newly created file.
      fd_.reset(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
      if (!fd_.valid() && errno != EEXIST) break;
    }
    created_ = fd_.valid();
  }
  ~TemporaryFile() {
    if (created_ && !renamed_) ::unlink(path_.c_str());
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;

  // Writes, flushes to disk and renames over `target`: readers see the old or the new file.
  bool replace(const fs::path& target, std::string_view bytes, std::optional<mode_t> mode) {
    if (!fd_.valid() || !writeAll(fd_.get(), bytes)) return false;
    if (mode && ::fchmod(fd_.get(), *mode) != 0) return false;
    if (::fsync(fd_.get()) != 0 || !fd_.close()) return false;
    renamed_ = ::rename(path_.c_str(), target.c_str()) == 0;
    return renamed_;
  }

 private:
  fs::path path_;
  FileDescriptor fd_{-1};
  bool created_ = false;
  bool renamed_ = false;
};

struct SectionLines {
  size_t header;
  size_t end;  // one past its last line: the next header or the end of the file
};

// The first section of that name; later ones of the same name are never used.
std::optional<SectionLines> findSection(const std::vector<std::string>& lines,
                                        std::string_view name) {
  for (size_t header = 0; header < lines.size(); ++header) {
    const auto found = sectionName(lines[header]);
    if (!found || !equalsIgnoringCase(*found, name)) continue;
    size_t end = header + 1;
    while (end < lines.size() && !sectionName(lines[end])) ++end;
    return SectionLines{header, end};
  }
  return std::nullopt;
}

// The first line of the section holding that key.
std::optional<size_t> findKey(const std::vector<std::string>& lines, SectionLines section,
                              std::string_view key) {
  for (size_t index = section.header + 1; index < section.end; ++index) {
    const auto found = keyLine(lines[index]);
    if (found && equalsIgnoringCase(found->key, key)) return index;
  }
  return std::nullopt;
}

// Sets `key=value` in the lines; false when the file already holds exactly that value.
bool setValue(std::vector<std::string>& lines, std::string_view section, std::string_view key,
              std::string_view value) {
  std::string newLine = std::string(key) + "=" + std::string(value);
  const auto found = findSection(lines, section);
  if (!found) {
    if (!lines.empty()) lines.emplace_back();  // a blank line parts it from what comes before
    lines.push_back("[" + std::string(section) + "]");
    lines.push_back(std::move(newLine));
    return true;
  }
  if (const auto index = findKey(lines, *found, key)) {
    const KeyLine stored = *keyLine(lines[*index]);
    if (stored.value == value) return false;
    // The key keeps the spelling the file has, as kernel32 does.
    lines[*index] = std::string(stored.key) + "=" + std::string(value);
    return true;
  }
  // After the section's last non-blank line: blank lines before the next section stay there.
  size_t position = found->end;
  while (position > found->header + 1 && trimBlanks(lines[position - 1]).empty()) --position;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(position), std::move(newLine));
  return true;
}

// Backslashes part folders; a relative name is taken against the current directory of the moment.
std::optional<fs::path> resolve(std::string fileName) {
  std::ranges::replace(fileName, '\\', '/');
  std::error_code error;
  fs::path path = fs::absolute(fs::path(fileName), error);
  if (error) return std::nullopt;
  return path;
}

// The Windows functions serialise all profile access of a process; so does this, which also keeps
// two stores on one file from losing each other's writes.
std::mutex& profileMutex() {
  static std::mutex mutex;
  return mutex;
}

class PosixProfileStore final : public ProfileStore {
 public:
  explicit PosixProfileStore(std::string fileName) : fileName_(std::move(fileName)) {}

  std::string read(std::string_view section, std::string_view key,
                   std::string_view defaultValue) override {
    const std::lock_guard lock(profileMutex());
    const std::string fallback(trimTrailingSpaces(defaultValue));
    const auto path = resolve(fileName_);
    const auto file = path ? loadFile(*path) : std::nullopt;
    if (!file) return fallback;
    const auto found = findSection(file->lines, trimBlanks(section));
    if (!found) return fallback;
    const auto index = findKey(file->lines, *found, trimBlanks(key));
    if (!index) return fallback;
    return std::string(unquote(keyLine(file->lines[*index])->value));
  }

  bool write(std::string_view section, std::string_view key, std::string_view value) override {
    const std::lock_guard lock(profileMutex());
    const auto path = resolve(fileName_);
    if (!path) return false;
    auto file = loadFile(*path);
    if (!file) return false;
    // Leading blanks of a value are dropped, as a read would drop them anyway.
    if (!setValue(file->lines, trimBlanks(firstLine(section)), trimBlanks(firstLine(key)),
                  trimLeadingBlanks(firstLine(value)))) {
      return true;  // unchanged: the file is left as it is
    }
    TemporaryFile temporary(*path);
    return temporary.replace(*path, joinLines(*file), file->mode);
  }

 private:
  std::string fileName_;
};

}  // namespace

std::unique_ptr<ProfileStore> makePlatformProfileStore(std::string fileName) {
  return std::make_unique<PosixProfileStore>(std::move(fileName));
}

}  // namespace stats
