#include "tools/zrv-score/log_file.h"

#include <fstream>
#include <iterator>

namespace zrv_score {

std::optional<LogFile> readLogFile(const std::string& path, std::string& error) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    error = "cannot open " + path;
    return std::nullopt;
  }
  LogFile log;
  log.adif.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (file.bad()) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  return log;
}

}  // namespace zrv_score
