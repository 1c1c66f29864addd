// What the fuzz targets of the plug-in share: a scratch folder to run in, since the plug-in works
// relative to the current directory (the settings file "Plugins\ZRV.ini", the Cabrillo file), and
// the hostile settings file written there before an input.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <filesystem>

namespace stats_fuzz {

// Each input runs inside the folder; between inputs the process is back in the directory it was
// started in, where libFuzzer keeps its corpus.
class ScratchFolder {
 public:
  // A new folder under /dev/shm when there is one (the settings store syncs every write to disk),
  // else under the system's temporary folder. Removed again when the process ends normally.
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  // Empties the folder and makes it the current directory.
  void enter();
  // Back to the directory the process started in.
  void leave();

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
  std::filesystem::path home_;
};

// libFuzzer writes crash and timeout inputs to the current directory unless -artifact_prefix says
// otherwise; since a crash happens inside the scratch folder, this adds -artifact_prefix naming
// the start directory when the command line has none. Call from LLVMFuzzerInitialize, which runs
// before libFuzzer reads its flags.
void keepArtifactsInStartDirectory(int* argc, char*** argv);

// What stands at "Plugins/ZRV.ini" in the current directory.
enum class SettingsFile {
  noFolder,      // nothing at all
  folderIsFile,  // "Plugins" is a file
  noFile,        // the folder without the file
  fileIsFolder,  // a folder in the file's place
  danglingLink,  // a symbolic link to a file that does not exist
  linkLoop,      // a symbolic link to itself
  bytes,         // a file of any bytes
  linkToFile,    // a symbolic link to a file of any bytes elsewhere
  readOnly,      // a file of any bytes without write permission
  hardLinked,    // a file of any bytes with a second name
  foreignOwner,  // a file of any bytes of another user, in the group of this process or another
                 // (when the process may give files away, as root may), with any permissions
};

// Puts what the input says at "Plugins/ZRV.ini" in an empty current directory.
SettingsFile writeHostileSettingsFile(FuzzedDataProvider& data);

}  // namespace stats_fuzz
