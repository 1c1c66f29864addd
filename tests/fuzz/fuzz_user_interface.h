// The user interface of the exports fuzz target, in place of the headless one: the setup and the
// Cabrillo header dialogs close with OK or are cancelled as the input says, with values and
// header texts taken from it (any bytes, line breaks included, up to the first NUL as a dialog's
// control holds them). The live window is a flag that its start sets and its stop clears, as the
// Windows build's window slot is. The message after an export is kept, not shown.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <optional>
#include <string>

#include "core/plugin/stats_plugin.h"
#include "core/plugin/user_interface.h"

namespace stats_fuzz {

class FuzzUserInterface final : public stats::UserInterface {
 public:
  // The user interface of a plug-in of the fuzz build.
  static FuzzUserInterface& of(stats::StatsPlugin& plugin);

  // Live windows started and not stopped, of every instance: the live window's thread of a
  // plug-in whose interface went away without stopping it would still run.
  static int liveWindowsRunning() { return liveWindows_; }

  // The dialogs answer from `input` until `endInput`, and are cancelled outside. A live window
  // left by the input before is closed, so that an input runs alike on its own.
  void beginInput(FuzzedDataProvider& input);
  void endInput() { input_ = nullptr; }

  // What the last Cabrillo header dialog was shown, and the texts it closed with when OK.
  struct CabrilloDialog {
    stats::CabrilloState shown;
    std::optional<stats::CabrilloState> confirmed;
  };
  // The values the last setup dialog closed with, when that was OK.
  const std::optional<stats::SetupValues>& lastSetup() const { return lastSetup_; }
  // Cabrillo header dialogs shown since the start, and the last of them.
  int cabrilloDialogs() const { return cabrilloDialogs_; }
  const CabrilloDialog& lastCabrilloDialog() const { return lastCabrillo_; }
  // The message after the last export.
  const std::string& lastMessage() const { return lastMessage_; }

  bool runSetupDialog(stats::SetupValues& values) override;
  bool runCabrilloDialog(stats::CabrilloState& header) override;
  void showOutputMessage(const std::string& text) override { lastMessage_ = text; }
  bool liveWindowRunning() override { return liveWindow_; }
  void startMultiplierWindow(const stats::LiveWindowContext&) override;
  void stopMultiplierWindow() override;
  void armPollTimer(unsigned) override {}

 private:
  // A control's text after the operator's edit: kept, or any bytes, or one of a few with line
  // breaks, quotes or blanks at the ends.
  void edit(std::string& text);

  static int liveWindows_;
  FuzzedDataProvider* input_ = nullptr;
  bool liveWindow_ = false;
  std::optional<stats::SetupValues> lastSetup_;
  int cabrilloDialogs_ = 0;
  CabrilloDialog lastCabrillo_;
  std::string lastMessage_;
};

}  // namespace stats_fuzz
