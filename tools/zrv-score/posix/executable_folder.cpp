#include "tools/zrv-score/executable_folder.h"

#include <unistd.h>

#include <array>

namespace zrv_score {

std::string executableFolder() {
  std::array<char, 4096> path{};
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) return ".";
  std::string folder(path.data(), static_cast<std::size_t>(length));
  const std::size_t slash = folder.rfind('/');
  return slash == std::string::npos ? "." : folder.substr(0, slash);
}

}  // namespace zrv_score
