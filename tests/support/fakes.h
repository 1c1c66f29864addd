// Fakes of the platform seams for driving the core directly.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/live/poll.h"
#include "core/plugin/user_interface.h"
#include "core/settings/profile.h"

namespace stats_test {

// A store whose operations read each key through `read` when they ask for it: what an operation
// reads is what the store's `read` gives at that moment, with no copy of its own to keep.
class ReadThroughStore : public stats::ProfileStore {
 public:
  std::unique_ptr<stats::ProfileSnapshot> snapshot(std::string_view section) override {
    return std::make_unique<stats::ReadThroughSnapshot>(*this, section);
  }
};

// A settings store in memory that records every write in order.
class FakeProfile : public ReadThroughStore {
 public:
  std::string read(std::string_view, std::string_view key, std::string_view fallback) override {
    auto found = values.find(std::string(key));
    if (found != values.end()) return found->second;
    std::string result(fallback);
    while (!result.empty() && result.back() == ' ') result.pop_back();
    return result;
  }
  bool write(std::string_view, std::string_view key, std::string_view value) override {
    values[std::string(key)] = std::string(value);
    writes.emplace_back(key, value);
    return true;
  }

  std::map<std::string, std::string> values;
  std::vector<std::pair<std::string, std::string>> writes;
};

// A user interface whose dialogs answer as the test says and that records what was shown.
class FakeUserInterface : public stats::UserInterface {
 public:
  bool runSetupDialog(stats::SetupValues& values) override {
    setupShown = values;
    return onSetup ? onSetup(values) : false;
  }
  bool runCabrilloDialog(stats::CabrilloState& header) override {
    cabrilloShown = header;
    return onCabrillo ? onCabrillo(header) : false;
  }
  void showOutputMessage(const std::string& text) override { messages.push_back(text); }
  bool liveWindowRunning() override { return liveWindow; }
  void startMultiplierWindow(const stats::LiveWindowContext&) override {
    ++starts;
    liveWindow = true;
  }
  void stopMultiplierWindow() override {
    ++stops;
    liveWindow = false;
  }
  void armPollTimer(unsigned milliseconds) override { armings.push_back(milliseconds); }

  std::function<bool(stats::SetupValues&)> onSetup;
  std::function<bool(stats::CabrilloState&)> onCabrillo;
  stats::SetupValues setupShown;
  stats::CabrilloState cabrilloShown;
  std::vector<std::string> messages;
  bool liveWindow = false;
  int starts = 0;
  int stops = 0;
  std::vector<unsigned> armings;
};

// The live window's outputs with nothing behind them; a test overrides what it watches.
class QuietPollOutputs : public stats::PollOutputs {
 public:
  void cancelPollTimer() override {}
  void showCheckBoxWindows() override {}
  void setLiveWindowTitle(const std::string&) override {}
  void setProvinceWindowTitle(const std::string&) override {}
  void setEuWindowTitle(const std::string&) override {}
  void setEuBoxes(const stats::EuBoxes&) override {}
  void setProvinceBoxes(const stats::ProvinceBoxes&) override {}
  void repaintPanel() override {}
};

}  // namespace stats_test
