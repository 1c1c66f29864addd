// The plug-in's modal windows in a run without an operator. On Windows an export run shows the
// Cabrillo header dialog at the contest start and a message box after writing the file; while an
// answerer lives, the dialog is cancelled (the header stays as the settings file has it, as in the
// Linux build, which shows no dialog) and the message is copied to standard error and closed. On
// Linux the plug-in shows neither and prints its message itself.
#pragma once

#include <memory>

namespace zrv_score {

class PluginDialogAnswerer {
 public:
  virtual ~PluginDialogAnswerer() = default;
};

std::unique_ptr<PluginDialogAnswerer> answerPluginDialogs();

}  // namespace zrv_score
