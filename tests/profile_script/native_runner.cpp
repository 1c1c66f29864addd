// Runs a settings-file script through the POSIX store and writes its transcript:
//   profile_script_native SCRIPT TRANSCRIPT
// The script runs in a fresh temporary folder with an empty Plugins folder, like the plug-in's
// program folder.
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "tests/profile_script/profile_script.h"
#include "tests/support/scratch_folder.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SCRIPT TRANSCRIPT\n", argv[0]);
    return 2;
  }
  try {
    const auto script = stats_test::readBytes(argv[1]);
    if (!script) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    const fs::path transcriptPath = fs::absolute(argv[2]);

    std::string transcript;
    {
      const stats_test::ScratchFolder scratch;
      transcript = profile_script::run(*script, stats::makePlatformProfileStore);
    }
    stats_test::writeBytes(transcriptPath, transcript);
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
    return 1;
  }
}
