// The user interface of Stats.dll: the setup and Cabrillo header dialogs and the "Output" message
// box. The live window does not exist yet: it never runs, and starting, stopping and arming its
// poll do nothing.
#include "plugin/user_interface.h"
#include "windows/win32/cabrillo_dialog.h"
#include "windows/win32/output_message.h"
#include "windows/win32/setup_dialog.h"

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
