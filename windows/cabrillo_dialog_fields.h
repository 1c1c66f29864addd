// Which control of the Cabrillo header dialog (template 101) shows and edits which header field.
#pragma once

#include <span>
#include <string>

#include "cabrillo/cabrillo_header.h"

namespace stats {

enum class CabrilloControlKind {
  edit,      // shows the field's text
  comboBox,  // drop-down box: selects the first list entry the text begins with, else shows it
};

struct CabrilloControlBinding {
  int controlId;
  std::string CabrilloState::*field;
  CabrilloControlKind kind;
};

// One binding per control of the dialog, from top to bottom. Every field but `fileBase` and the
// QSO lines has exactly one control.
std::span<const CabrilloControlBinding> cabrilloControlBindings();

}  // namespace stats
