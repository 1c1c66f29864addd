#include "tests/fuzz/fuzz_user_interface.h"

#include <array>
#include <memory>
#include <string_view>

#include "core/cabrillo/cabrillo_header_settings.h"

namespace stats_fuzz {

int FuzzUserInterface::liveWindows_ = 0;

FuzzUserInterface& FuzzUserInterface::of(stats::StatsPlugin& plugin) {
  return static_cast<FuzzUserInterface&>(plugin.ui());
}

void FuzzUserInterface::beginInput(FuzzedDataProvider& input) {
  stopMultiplierWindow();
  input_ = &input;
}

void FuzzUserInterface::edit(std::string& text) {
  static constexpr std::array<std::string_view, 10> kTexts = {
      "",     "ON4ABC", "Line one\r\nLine two", "\r\n", "a\rb\nc\r\n\r\nd",
      "<CR>", " x ",    "\"quoted\"",           "'q'",  "Great fun<CR><LF>73"};
  switch (input_->ConsumeIntegralInRange(0, 3)) {
    case 0:
      return;
    case 1:
      text = kTexts[input_->ConsumeIntegralInRange<size_t>(0, kTexts.size() - 1)];
      break;
    default:
      text = input_->ConsumeRandomLengthString(80);
  }
  if (const size_t end = text.find('\0'); end != std::string::npos) text.resize(end);
}

bool FuzzUserInterface::runSetupDialog(stats::SetupValues& values) {
  lastSetup_.reset();
  if (input_ == nullptr || !input_->ConsumeBool()) return false;
  switch (input_->ConsumeIntegralInRange(0, 3)) {
    case 0:
      values.useMultiplierWindow = 0;
      break;
    case 1:
      values.useMultiplierWindow = 1;
      break;
    case 2:
      break;
    default:
      values.useMultiplierWindow = input_->ConsumeIntegral<int>();
  }
  edit(values.province);
  edit(values.mode);
  lastSetup_ = values;
  return true;
}

bool FuzzUserInterface::runCabrilloDialog(stats::CabrilloState& header) {
  ++cabrilloDialogs_;
  lastCabrillo_ = {header, std::nullopt};
  if (input_ == nullptr || !input_->ConsumeBool()) return false;
  // Every control of the dialog, the ones that only show a field included.
  for (const stats::CabrilloHeaderField& field : stats::cabrilloHeaderFields()) {
    edit(header.*field.member);
  }
  lastCabrillo_.confirmed = header;
  return true;
}

void FuzzUserInterface::startMultiplierWindow(const stats::LiveWindowContext&) {
  if (liveWindow_) return;
  liveWindow_ = true;
  ++liveWindows_;
}

void FuzzUserInterface::stopMultiplierWindow() {
  if (!liveWindow_) return;
  liveWindow_ = false;
  --liveWindows_;
}

}  // namespace stats_fuzz

namespace stats {

std::unique_ptr<UserInterface> makePlatformUserInterface() {
  return std::make_unique<stats_fuzz::FuzzUserInterface>();
}

}  // namespace stats
