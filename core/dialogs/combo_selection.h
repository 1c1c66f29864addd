// What a drop-down combo box shows for a text when its dialog opens: the first list entry that
// begins with the text (compared without regard to case) is selected and shown; when none does,
// nothing is selected and the edit part shows the text unchanged.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stats {

struct ComboSelection {
  std::optional<size_t> selectedIndex;  // the entry chosen, if any
  std::string shownText;                // what the edit part shows
};

// True when `entry` begins with `prefix`, letters A-Z compared without regard to case.
bool beginsWithIgnoringCase(std::string_view entry, std::string_view prefix);

// The selection for `text` among `entries`, in the order the box lists them.
ComboSelection selectComboEntry(const std::vector<std::string>& entries, std::string_view text);

}  // namespace stats
