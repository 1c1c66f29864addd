#include "tools/zrv-score/log_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string_view>
#include <system_error>

#include "tools/zrv-score/adx_to_adif.h"
#include "tools/zrv-score/text.h"

namespace zrv_score {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// ADX starts, after blanks, with the XML declaration or the ADX root itself. An ADI file may
// start with '<' too (a record with no header, <CALL:4>...), so the name must end where a tag's
// name ends: <ADX_X:1> or <ADX:3> is an ADI field, <?xml-stylesheet a processing instruction.
bool isAdx(std::string_view bytes) {
  const std::size_t start = bytes.find_first_not_of(" \t\r\n");
  if (start == std::string_view::npos) return false;
  const std::string_view text = bytes.substr(start);
  const auto startsWithName = [&](std::string_view opening, bool alsoEndsAtTagEnd) {
    if (text.size() <= opening.size() || !text.starts_with(opening)) return false;
    const char after = text[opening.size()];
    return isBlank(after) || (alsoEndsAtTagEnd && (after == '>' || after == '/'));
  };
  return startsWithName("<?xml", false) || startsWithName("<ADX", true);
}

}  // namespace

std::optional<LogFile> readLogFile(const std::string& path, std::string& error) {
  std::error_code ignored;
  if (std::filesystem::is_directory(path, ignored)) {
    error = path + " is a folder, not a log file";
    return std::nullopt;
  }
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
  if (log.adif.starts_with(kUtf8ByteOrderMark)) log.adif.erase(0, kUtf8ByteOrderMark.size());
  log.adx = isAdx(log.adif);
  if (!log.adx) return log;

  std::optional<std::string> adif = adxToAdif(log.adif, error);
  if (!adif) {
    error = path + ": " + error;
    return std::nullopt;
  }
  log.adif = std::move(*adif);
  return log;
}

}  // namespace zrv_score
