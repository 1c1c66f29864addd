// Runs a settings-file script through the POSIX store and writes its transcript:
//   profile_script_native SCRIPT TRANSCRIPT
// The script runs in a fresh temporary folder with an empty Plugins folder, like the plug-in's
// program folder.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/profile_script/profile_script.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SCRIPT TRANSCRIPT\n", argv[0]);
    return 2;
  }
  try {
    std::ifstream scriptFile(argv[1], std::ios::binary);
    if (!scriptFile) throw std::runtime_error(std::string("cannot read ") + argv[1]);
    std::ostringstream script;
    script << scriptFile.rdbuf();
    const fs::path transcriptPath = fs::absolute(argv[2]);

    const fs::path previous = fs::current_path();
    const fs::path scratch =
        fs::temp_directory_path() / ("profile-script-" + std::to_string(::getpid()));
    fs::remove_all(scratch);
    fs::create_directories(scratch / "Plugins");
    fs::current_path(scratch);
    std::string transcript;
    try {
      transcript = profile_script::run(script.str(), stats::makePlatformProfileStore);
    } catch (...) {
      fs::current_path(previous);
      fs::remove_all(scratch);
      throw;
    }
    fs::current_path(previous);
    fs::remove_all(scratch);

    std::ofstream out(transcriptPath, std::ios::binary | std::ios::trunc);
    out << transcript;
    if (!out.flush()) throw std::runtime_error("cannot write " + transcriptPath.string());
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", argv[0], error.what());
    return 1;
  }
}
