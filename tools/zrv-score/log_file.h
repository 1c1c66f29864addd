// Reading a log file as the ADIF text the reader takes: an ADIF file (.adi) as it is, without a
// UTF-8 byte-order mark; an ADX file (ADIF's XML form) turned into the same ADIF text, so that
// both give the same records and fields. Which of the two a file is, its content tells, not its
// name.
#pragma once

#include <optional>
#include <string>

namespace zrv_score {

struct LogFile {
  std::string adif;  // ADIF text: the file's bytes, or the ADX file's records written as ADIF
  bool adx = false;  // the file was ADX
};

// Nothing, with the reason in `error` (a folder, a file that cannot be opened or read, an ADX
// file that is not well-formed XML), when the file gives no log.
std::optional<LogFile> readLogFile(const std::string& path, std::string& error);

}  // namespace zrv_score
