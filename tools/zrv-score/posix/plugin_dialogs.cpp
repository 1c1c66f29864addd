#include "tools/zrv-score/plugin_dialogs.h"

namespace zrv_score {

std::unique_ptr<PluginDialogAnswerer> answerPluginDialogs() {
  return std::make_unique<PluginDialogAnswerer>();
}

}  // namespace zrv_score
