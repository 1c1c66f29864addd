// Blanks as the host's files have them: spaces, tabs and line ends around a value.
#pragma once

#include <string_view>

namespace zrv_score {

inline bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

inline std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace zrv_score
