#include "cabrillo/cabrillo_header.h"

namespace stats {
namespace {

bool isWhiteSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::string ReplaceAll(std::string_view text, std::string_view searched,
                       std::string_view replacement) {
  if (searched.empty()) return std::string(text);
  std::string result;
  size_t start = 0;
  for (size_t found = text.find(searched); found != std::string_view::npos;
       found = text.find(searched, start)) {
    result.append(text.substr(start, found - start));
    result.append(replacement);
    start = found + searched.size();
  }
  result.append(text.substr(start));
  return result;
}

std::string soapboxStoredToDisplay(std::string_view stored) {
  return ReplaceAll(ReplaceAll(stored, "<CR>", "\r"), "<LF>", "\n");
}

std::string soapboxDisplayToStored(std::string_view display) {
  return ReplaceAll(ReplaceAll(display, "\r", "<CR>"), "\n", "<LF>");
}

std::string soapboxStoredToFile(std::string_view stored) {
  return ReplaceAll(ReplaceAll(stored, "<CR>", "\r\nSOAPBOX: "), "<LF>", "");
}

std::string cabrilloFileBase(std::string_view callsign) {
  const std::string replaced = ReplaceAll(ReplaceAll(callsign, "/", "_"), "\\", "_");
  size_t first = 0, last = replaced.size();
  while (first < last && isWhiteSpace(replaced[first])) ++first;
  while (last > first && isWhiteSpace(replaced[last - 1])) --last;
  return first == last ? "NOCALL" : replaced.substr(first, last - first);
}

}  // namespace stats
