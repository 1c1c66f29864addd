// The user interface of Stats.dll: the setup and Cabrillo header dialogs and the "Output" message
// box. The live window does not exist yet: it never runs, and starting, stopping and arming its
// poll do nothing.
#include "plugin/user_interface.h"
#include "windows/cabrillo_dialog_win32.h"
#include "windows/output_message_win32.h"
#include "windows/setup_dialog_win32.h"

namespace stats {
namespace {

class Win32UserInterface final : public UserInterface {
 public:
  bool runSetupDialog(SetupValues& values) override { return runSetupDialogBox(values); }
  bool runCabrilloDialog(CabrilloState& header) override { return runCabrilloHeaderDialog(header); }
  void showOutputMessage(const std::string& text) override { showOutputMessageBox(text); }

  bool liveWindowRunning() override { return false; }
  void startMultiplierWindow() override {}
  void stopMultiplierWindow() override {}
  void armPollTimer(unsigned) override {}
};

}  // namespace

std::unique_ptr<UserInterface> makePlatformUserInterface() {
  return std::make_unique<Win32UserInterface>();
}

}  // namespace stats
