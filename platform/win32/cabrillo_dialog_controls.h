// Which control of the Cabrillo header dialog shows each field of the header.
#pragma once

#include <span>
#include <string>

#include "core/cabrillo/cabrillo_header.h"

namespace stats {

enum class HeaderControlKind {
  edit,      // shows the field's text
  comboBox,  // drop-down box: selects the first list entry the text begins with, else shows it
};

struct HeaderControl {
  std::string CabrilloState::*member;
  int id;
  HeaderControlKind kind;
};

// One control per field the header dialog shows, each field once.
std::span<const HeaderControl> cabrilloHeaderControls();

}  // namespace stats
