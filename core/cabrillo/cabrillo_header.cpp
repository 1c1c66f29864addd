#include "core/cabrillo/cabrillo_header.h"

namespace stats {
namespace {

bool isWhiteSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// Windows takes none of these in a file name: control characters, the folder separators, ':' of
// drive letters and alternate data streams, the wildcards and the shell's redirection and quote
// characters.
bool isAllowedInFileName(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte >= 32 && std::string_view("/\\:*?\"<>|").find(c) == std::string_view::npos;
}

// The length of the name's part before its first dot, without trailing spaces, when that part is
// one of the device names Windows opens instead of a file whatever the extension ("CON.cbr" is
// the console): CON, PRN, AUX, NUL, COM0 to COM9, LPT0 to LPT9, in any letter case. Else 0.
size_t deviceNameLength(std::string_view base) {
  std::string_view stem = base.substr(0, base.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  std::string upper(stem);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  const bool device =
      upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL" ||
      (upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
       upper[3] >= '0' && upper[3] <= '9');
  return device ? stem.size() : 0;
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
  size_t first = 0, last = callsign.size();
  while (first < last && isWhiteSpace(callsign[first])) ++first;
  while (last > first && isWhiteSpace(callsign[last - 1])) --last;
  if (first == last) return "NOCALL";
  std::string base(callsign.substr(first, last - first));
  for (char& c : base) {
    if (!isAllowedInFileName(c)) c = '_';
  }
  if (const size_t device = deviceNameLength(base)) base.insert(device, "_");
  return base;
}

}  // namespace stats
