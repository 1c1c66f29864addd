// The ui seam: everything the plug-in shows to the operator. The Windows implementation uses real
// dialogs and windows; the headless one shows nothing. The contest-state lock is never held while
// one of these runs, except the live-window slot test and the timer arming, which do not block.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "core/cabrillo/cabrillo_header.h"
#include "core/contest/contest_state.h"
#include "core/settings/profile.h"

namespace stats {

// The three values of the setup dialog.
struct SetupValues {
  int useMultiplierWindow = 0;
  std::string province;
  std::string mode;
};

// What the live windows reach of the plug-in: the contest state under its lock, and the settings
// file (window positions). All three live as long as the plug-in.
struct LiveWindowContext {
  std::mutex& mutex;
  ContestState& state;
  ProfileStore& profile;
};

class UserInterface {
 public:
  virtual ~UserInterface() = default;

  // Runs the setup dialog over `values`; true when it closed with OK (values then hold the edits).
  virtual bool runSetupDialog(SetupValues& values) = 0;

  // Runs the Cabrillo header dialog over `header`; true when it closed with OK, and `header` then
  // holds the texts of the controls. False when cancelled or when it cannot be shown.
  virtual bool runCabrilloDialog(CabrilloState& header) = 0;

  // The message after an export run.
  virtual void showOutputMessage(const std::string& text) = 0;

  // The live window: whether one runs, starting and stopping its thread, arming its poll timer.
  virtual bool liveWindowRunning() = 0;
  virtual void startMultiplierWindow(const LiveWindowContext& context) = 0;
  virtual void stopMultiplierWindow() = 0;
  virtual void armPollTimer(unsigned milliseconds) = 0;
};

// The platform's user interface. Defined once per platform.
std::unique_ptr<UserInterface> makePlatformUserInterface();

}  // namespace stats
