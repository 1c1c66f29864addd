// A small script of settings-file reads and writes, run against a platform's ProfileStore. The
// same script runs natively through the POSIX store and under Wine through kernel32, and the two
// transcripts must agree: that is how the POSIX store is held to the Windows functions.
//
// Script lines (empty lines and lines starting with '#' are skipped), fields parted by '|', each
// field with the escapes \\ \| \r \n \t \s (blank) and \xHH:
//   store|NAME                   use the store for file NAME (initially "Plugins\ZRV.ini")
//   rawfile|BYTES                replace the store's file with BYTES
//   read|SECTION|KEY|DEFAULT     read one key
//   write|SECTION|KEY|VALUE      write one key
//   long|SECTION|KEY|COUNT       write a value of COUNT characters
//   dump                         the store's file, byte for byte
//   meaning                      the store's file without its layout: its lines trimmed, blank
//                                lines dropped, no blanks around '=' or inside "[ ]"
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "core/settings/profile.h"

namespace profile_script {

using StoreFactory = std::function<std::unique_ptr<stats::ProfileStore>(std::string)>;

// Runs `script` in the current directory; one transcript line per command with its outcome.
// Throws std::runtime_error on a line it does not understand.
std::string run(std::string_view script, const StoreFactory& openStore);

// Bytes as one printable line: the escapes of the script language, quoted.
std::string printable(std::string_view bytes);

}  // namespace profile_script
