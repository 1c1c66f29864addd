#include "tools/zrv-score/executable_folder.h"

#include <windows.h>

namespace zrv_score {

std::string executableFolder() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return ".";
  std::string folder(path, length);
  const std::size_t separator = folder.find_last_of("\\/");
  return separator == std::string::npos ? "." : folder.substr(0, separator);
}

}  // namespace zrv_score
