// The settings file on POSIX hosts: INI reading and writing with the rules of the Windows
// private-profile functions, on a file named the Windows way ("Plugins\ZRV.ini").
//
// How a write reaches the disk. The settings file must stay the same file: a symbolic link keeps
// pointing where it did and its target gets the new text; owner, group, mode and hard links stay;
// a file the user may not write is left alone; and a crash in the middle never leaves the file
// cut short. Two ways, chosen per write:
// - A plain file with one link, owned by the effective user: the new text goes into a temporary
//   file beside it (given the old file's mode and group), is flushed to disk and renamed over it.
//   Readers and a crash see the old text or the new one, never a mix; the file keeps its name,
//   owner, group and mode, and no other name shares it.
// - Any other file (more than one link, another owner, a group we cannot give a new file, or a
//   folder we cannot create a file in): written in place, so that every name of it sees the new
//   text and its owner stays. The room a longer text needs is taken first, so a full disk
//   changes nothing; the new text goes over the old from offset 0 in one write, is flushed, and
//   only then is the file cut to the new length: a crash never leaves it shorter than it was, at
//   worst with the new text (or its start) followed by the rest of the old one.
// A symbolic link is followed to the name it finally stands for, and the file there is written in
// one of these ways. Whether the file may be written is decided from its permission bits for the
// effective user and groups, also for root (who may open anything): a read-only settings file
// stays as it is.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/settings/ini_text.h"
#include "core/settings/profile.h"

namespace stats {
namespace {

namespace fs = std::filesystem;

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
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

// Reads to the end into `bytes`, which holds `expected` bytes' room to begin with.
bool readAll(int fd, std::string& bytes, size_t expected) {
  size_t filled = 0;
  bytes.resize(expected + 1);  // one more than told: the end shows as a read of nothing
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t count = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (count == 0) break;
    if (count < 0 && errno != EINTR) return false;
    if (count > 0) filled += static_cast<size_t>(count);
  }
  bytes.resize(filled);
  return true;
}

bool writeAllAt(int fd, std::string_view bytes, off_t offset) {
  while (!bytes.empty()) {
    const ssize_t count = ::pwrite(fd, bytes.data(), bytes.size(), offset);
    if (count < 0 && errno != EINTR) return false;
    if (count > 0) {
      bytes.remove_prefix(static_cast<size_t>(count));
      offset += count;
    }
  }
  return true;
}

// Never blocks: a FIFO or a device at the file's name opens without waiting for a writer, and is
// then turned away by its type. O_NOCTTY keeps a terminal from becoming ours.
constexpr int kOpenFlags = O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

struct LoadedFile {
  enum Kind { missing, regular, unusable } kind;
  std::string bytes;
  struct stat info {};
};

// Reads the file at `path` (following links). Anything but a regular file that can be read is
// `unusable`: a folder, a FIFO, a device, a socket, a link loop, a file we may not read.
LoadedFile loadFile(const fs::path& path, int extraFlags = 0) {
  LoadedFile file{LoadedFile::unusable, {}, {}};
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | kOpenFlags | extraFlags));
  if (!fd.valid()) {
    if (errno == ENOENT) file.kind = LoadedFile::missing;
    return file;
  }
  if (::fstat(fd.get(), &file.info) != 0 || !S_ISREG(file.info.st_mode)) return file;
  if (!readAll(fd.get(), file.bytes, static_cast<size_t>(file.info.st_size))) return file;
  file.kind = LoadedFile::regular;
  return file;
}

// The name a symbolic link at `path` finally stands for (`path` itself when it is no link); nothing
// for a loop, a chain too long, or a name that cannot be looked at.
std::optional<fs::path> followLinks(fs::path path) {
  for (int hop = 0; hop < 40; ++hop) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
      return errno == ENOENT ? std::optional(path) : std::nullopt;
    }
    if (!S_ISLNK(info.st_mode)) return path;
    std::error_code error;
    const fs::path target = fs::read_symlink(path, error);
    if (error) return std::nullopt;
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
  return std::nullopt;
}

bool inOwnGroups(gid_t group) {
  if (group == ::getegid()) return true;
  const int count = ::getgroups(0, nullptr);
  if (count <= 0) return false;
  std::vector<gid_t> groups(static_cast<size_t>(count));
  const int filled = ::getgroups(count, groups.data());
  return filled > 0 && std::ranges::find(groups.begin(), groups.begin() + filled, group) !=
                           groups.begin() + filled;
}

// The permission bits that apply to the effective user: the owner's, else the group's, else the
// others'. Root is held to them as well.
bool writableByMode(const struct stat& info) {
  if (info.st_uid == ::geteuid()) return (info.st_mode & S_IWUSR) != 0;
  if (inOwnGroups(info.st_gid)) return (info.st_mode & S_IWGRP) != 0;
  return (info.st_mode & S_IWOTH) != 0;
}

// A file beside `target` that is removed again unless it was renamed over it.
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

  bool created() const { return created_; }

  // Gives the file the mode and group of the one it replaces; false when the group cannot be set.
  bool takeOver(const struct stat& old) {
    struct stat info {};
    if (::fstat(fd_.get(), &info) != 0) return false;
    if (info.st_gid != old.st_gid && ::fchown(fd_.get(), static_cast<uid_t>(-1), old.st_gid) != 0) {
      return false;
    }
    return ::fchmod(fd_.get(), old.st_mode & 07777) == 0;
  }

  // Writes, flushes to disk and renames over `target`: readers see the old or the new file.
  bool replace(const fs::path& target, std::string_view bytes) {
    if (!fd_.valid() || !writeAllAt(fd_.get(), bytes, 0)) return false;
    if (::fsync(fd_.get()) != 0 || !fd_.close()) return false;
    renamed_ = ::rename(path_.c_str(), target.c_str()) == 0;
    return renamed_;
  }

 private:
  fs::path path_;
  FileDescriptor fd_;
  bool created_ = false;
  bool renamed_ = false;
};

// Writes the new text over the old one from offset 0, flushes it and only then cuts the file to
// its new length. `old` is the file as it was read; the file opened must still be that file.
bool writeInPlace(const fs::path& path, const struct stat& old, std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_NOFOLLOW | kOpenFlags));
  struct stat info {};
  if (!fd.valid() || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      info.st_dev != old.st_dev || info.st_ino != old.st_ino) {
    return false;
  }
  const auto length = static_cast<off_t>(bytes.size());
  // Room for a longer text is taken before any byte changes: on a full disk (or past the size the
  // process may write) the file stays exactly as it was, instead of the new text's start over the
  // old one.
  if (length > info.st_size &&
      ::posix_fallocate(fd.get(), info.st_size, length - info.st_size) != 0) {
    return false;
  }
  if (!writeAllAt(fd.get(), bytes, 0) || ::fsync(fd.get()) != 0) return false;
  if (info.st_size > length && (::ftruncate(fd.get(), length) != 0 || ::fsync(fd.get()) != 0)) {
    return false;
  }
  return fd.close();
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
    return snapshot(section)->read(key, defaultValue);
  }

  bool write(std::string_view section, std::string_view key, std::string_view value) override {
    const std::lock_guard lock(profileMutex());
    const auto path = resolve(fileName_);
    const auto target = path ? followLinks(*path) : std::nullopt;
    if (!target) return false;
    // The final name is no link now: O_NOFOLLOW turns away one put there since.
    const LoadedFile file = loadFile(*target, O_NOFOLLOW);
    if (file.kind == LoadedFile::unusable) return false;
    // Leading blanks of a value are dropped, as a read would drop them anyway.
    const auto text = iniTextWithValue(file.bytes, section, key, value);
    if (!text) return true;  // unchanged: the file is left as it is
    if (file.kind == LoadedFile::regular && !writableByMode(file.info)) return false;

    if (file.kind == LoadedFile::missing) return TemporaryFile(*target).replace(*target, *text);
    if (file.info.st_nlink == 1 && file.info.st_uid == ::geteuid()) {
      TemporaryFile temporary(*target);
      if (temporary.created() && temporary.takeOver(file.info)) {
        return temporary.replace(*target, *text);
      }
    }
    return writeInPlace(*target, file.info, *text);
  }

  // Keeps only the lines of the first section of that name: what the reads need of a large file.
  std::unique_ptr<ProfileSnapshot> snapshot(std::string_view section) override {
    std::string sectionText;
    {
      const std::lock_guard lock(profileMutex());
      const auto path = resolve(fileName_);
      const LoadedFile file = path ? loadFile(*path) : LoadedFile{LoadedFile::missing, {}, {}};
      if (file.kind == LoadedFile::regular) {
        sectionText = iniFirstSection(file.bytes, section);
      }
    }
    return makeIniSectionSnapshot(std::string(section), std::move(sectionText));
  }

  // "Plugins/ZRV.ini": the name with the separators it is resolved with here.
  std::string shownName() const override {
    std::string shown = fileName_;
    std::replace(shown.begin(), shown.end(), '\\', '/');
    return shown;
  }

 private:
  std::string fileName_;
};

}  // namespace

std::unique_ptr<ProfileStore> makePlatformProfileStore(std::string fileName) {
  return std::make_unique<PosixProfileStore>(std::move(fileName));
}

}  // namespace stats
