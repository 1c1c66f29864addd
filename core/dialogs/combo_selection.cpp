#include "core/dialogs/combo_selection.h"

namespace stats {
namespace {

char foldCase(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool beginsWithIgnoringCase(std::string_view entry, std::string_view prefix) {
  if (prefix.size() > entry.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (foldCase(entry[i]) != foldCase(prefix[i])) return false;
  }
  return true;
}

ComboSelection selectComboEntry(const std::vector<std::string>& entries, std::string_view text) {
  for (size_t index = 0; index < entries.size(); ++index) {
    if (beginsWithIgnoringCase(entries[index], text)) return {index, entries[index]};
  }
  return {std::nullopt, std::string(text)};
}

}  // namespace stats
