#include "tests/fuzz/fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace stats_fuzz {
namespace fs = std::filesystem;

namespace {

fs::path scratchParent() {
  std::error_code error;
  if (fs::is_directory("/dev/shm", error) && ::access("/dev/shm", W_OK) == 0) return "/dev/shm";
  return fs::temp_directory_path();
}

void changeDirectory(const fs::path& path) {
  if (::chdir(path.c_str()) != 0) {
    std::perror(("fuzz: cannot change to " + path.string()).c_str());
    std::abort();
  }
}

}  // namespace

ScratchFolder::ScratchFolder() : home_(fs::current_path()) {
  std::string pattern = (scratchParent() / "zrv-fuzz-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    std::perror("fuzz: cannot create a scratch folder");
    std::abort();
  }
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code error;
  fs::current_path(home_, error);
  fs::remove_all(path_, error);
}

void ScratchFolder::enter() {
  changeDirectory(path_);
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(path_, error)) {
    fs::remove_all(entry.path(), error);
  }
}

void ScratchFolder::leave() {
  changeDirectory(home_);
}

void keepArtifactsInStartDirectory(int* argc, char*** argv) {
  constexpr std::string_view kFlag = "-artifact_prefix=";
  for (int i = 1; i < *argc; ++i) {
    if (std::string_view((*argv)[i]).starts_with(kFlag)) return;
  }
  // libFuzzer keeps pointers into the argument list for the whole run: both live until exit.
  static std::string flag = std::string(kFlag) + (fs::current_path() / "").string();
  static std::vector<char*> arguments;
  arguments.assign(*argv, *argv + *argc);
  arguments.push_back(flag.data());
  arguments.push_back(nullptr);
  *argc += 1;
  *argv = arguments.data();
}

SettingsFile writeHostileSettingsFile(FuzzedDataProvider& data) {
  constexpr char kFile[] = "Plugins/ZRV.ini";
  const int kind = data.ConsumeIntegralInRange(0, 15);
  if (kind == 0) return SettingsFile::noFolder;
  if (kind == 1) {
    std::ofstream("Plugins") << "not a folder";
    return SettingsFile::folderIsFile;
  }
  fs::create_directory("Plugins");
  std::error_code error;
  switch (kind) {
    case 2:
      return SettingsFile::noFile;
    case 3:
      fs::create_directory(kFile);
      return SettingsFile::fileIsFolder;
    case 4:
      fs::create_symlink("../missing.ini", kFile, error);
      return SettingsFile::danglingLink;
    case 5:
      fs::create_symlink("ZRV.ini", kFile, error);
      return SettingsFile::linkLoop;
    default:
      break;
  }
  const std::string bytes = data.ConsumeRandomLengthString(4096);
  std::ofstream(kind == 6 ? "elsewhere.ini" : kFile, std::ios::binary) << bytes;
  switch (kind) {
    case 6:
      fs::create_symlink("../elsewhere.ini", kFile, error);
      return SettingsFile::linkToFile;
    case 7:
      fs::permissions(kFile, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                      error);
      return SettingsFile::readOnly;
    case 8:
      fs::create_hard_link(kFile, "second-name.ini", error);
      return SettingsFile::hardLinked;
    case 9: {
      // The user and group "nobody" and "nogroup" of Debian.
      constexpr uid_t kOtherUser = 65534;
      const gid_t group = data.ConsumeBool() ? ::getegid() : gid_t{65534};
      if (::chown(kFile, kOtherUser, group) != 0) return SettingsFile::bytes;
      fs::permissions(kFile, static_cast<fs::perms>(data.ConsumeIntegral<uint16_t>() & 0777),
                      error);
      return SettingsFile::foreignOwner;
    }
    default:
      return SettingsFile::bytes;
  }
}

}  // namespace stats_fuzz
