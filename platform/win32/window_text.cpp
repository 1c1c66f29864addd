#include "platform/win32/window_text.h"

#include <cstring>

namespace stats {

std::string windowText(HWND window) {
  const int length = GetWindowTextLengthA(window);
  if (length <= 0) return {};
  std::string text(static_cast<size_t>(length) + 1, '\0');
  const int copied = GetWindowTextA(window, text.data(), length + 1);
  text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
  return text;
}

std::vector<std::string> comboEntries(HWND comboBox) {
  std::vector<std::string> entries;
  const LRESULT count = SendMessageA(comboBox, CB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT length = SendMessageA(comboBox, CB_GETLBTEXTLEN, index, 0);
    if (length < 0) break;
    // The length may count more bytes than the text has; the text ends at its NUL.
    std::string entry(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(comboBox, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(std::strlen(entry.c_str()));
    entries.push_back(std::move(entry));
  }
  return entries;
}

}  // namespace stats
