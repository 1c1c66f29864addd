// The user interface of the headless build: no windows and no dialogs. The setup dialog counts as
// closed without OK, the Cabrillo header dialog as one that cannot be shown, and the message
// after an export goes to standard error as one line.
#include <cstdio>

#include "core/plugin/user_interface.h"

namespace stats {
namespace {

class HeadlessUserInterface final : public UserInterface {
 public:
  bool runSetupDialog(SetupValues&) override { return false; }
  bool runCabrilloDialog(CabrilloState&) override { return false; }
  void showOutputMessage(const std::string& text) override {
    std::fprintf(stderr, "Output: %s\n", text.c_str());
    std::fflush(stderr);
  }
  bool liveWindowRunning() override { return false; }
  void startMultiplierWindow(const LiveWindowContext&) override {}
  void stopMultiplierWindow() override {}
  void armPollTimer(unsigned) override {}
};

}  // namespace

std::unique_ptr<UserInterface> makePlatformUserInterface() {
  return std::make_unique<HeadlessUserInterface>();
}

}  // namespace stats
