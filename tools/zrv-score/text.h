// Small text rules of the host's files: blanks (spaces, tabs and line ends around a value) and
// names compared without case.
#pragma once

#include <cstddef>
#include <string_view>

namespace zrv_score {

inline bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// ASCII letters compared without case: field names, modes, the header's words.
inline bool equalsIgnoringCase(std::string_view left, std::string_view right) {
  const auto upper = [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  };
  if (left.size() != right.size()) return false;
  for (std::size_t i = 0; i < left.size(); ++i) {
    if (upper(left[i]) != upper(right[i])) return false;
  }
  return true;
}

inline std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace zrv_score
