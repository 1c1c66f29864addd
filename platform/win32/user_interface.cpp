// The user interface of Stats.dll: the setup and Cabrillo header dialogs, the "Output" message
// box and the live windows on their own thread.
#include "core/plugin/user_interface.h"
#include "platform/win32/cabrillo_dialog.h"
#include "platform/win32/live_window.h"
#include "platform/win32/live_windows.h"
#include "platform/win32/output_message.h"
#include "platform/win32/setup_dialog.h"

namespace stats {
namespace {

class Win32UserInterface final : public UserInterface {
 public:
  bool runSetupDialog(SetupValues& values) override { return runSetupDialogBox(values); }
  bool runCabrilloDialog(CabrilloState& header) override { return runCabrilloHeaderDialog(header); }
  void showOutputMessage(const std::string& text) override { showOutputMessageBox(text); }

  bool liveWindowRunning() override { return liveWindows_.running(); }
  void startMultiplierWindow(const LiveWindowContext& context) override {
    liveWindows_.StartMultiplierWindow(context);
  }
  void stopMultiplierWindow() override { liveWindows_.StopMultiplierWindow(); }
  void armPollTimer(unsigned milliseconds) override { liveWindows_.armPollTimer(milliseconds); }

 private:
  LiveWindows liveWindows_{runLiveWindow};
};

}  // namespace

std::unique_ptr<UserInterface> makePlatformUserInterface() {
  return std::make_unique<Win32UserInterface>();
}

}  // namespace stats
