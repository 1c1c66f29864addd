// The settings file's text as the Windows private-profile functions read and edit it: lines,
// sections and keys, what is trimmed and unquoted, where a new key or section goes and how the
// line ends come out. Portable: the stores that keep the text in a file do the I/O around it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings/profile.h"

namespace stats {

// The text with `key=value` set in `section`, every line end CR LF, a byte order mark kept in
// front; nothing when it already holds exactly that value. Section, key and value are taken as a
// write takes them: without line breaks or what follows a NUL, and without surrounding blanks
// (the value keeps its trailing ones).
std::optional<std::string> iniTextWithValue(std::string_view text, std::string_view section,
                                            std::string_view key, std::string_view value);

// The lines of the first section of that name, its header line included, each ended by CR LF;
// empty when there is none.
std::string iniFirstSection(std::string_view text, std::string_view section);

// A snapshot of one section made of its lines (as iniFirstSection gives them); the operation's own
// writes are applied to them as to the file.
std::unique_ptr<ProfileSnapshot> makeIniSectionSnapshot(std::string section, std::string lines);

}  // namespace stats
