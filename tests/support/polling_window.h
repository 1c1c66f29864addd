// The live window's thread for tests of the core, without a window: it polls a host link and
// paints the info panel onto a recording canvas, taking the plug-in's lock as the Windows window
// thread does (runPoll takes it itself, the paint runs under it), until it is stopped.
#pragma once

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <utility>

#include "core/live/host_link.h"
#include "core/live/info_panel.h"
#include "core/live/poll.h"
#include "tests/support/fakes.h"

namespace stats_test {

// The texts a paint drew, by position.
class RecordingCanvas final : public stats::Canvas {
 public:
  void fillRect(const stats::PanelRect&, stats::Color) override {}
  void setTransparentBackground() override {}
  void drawText(int x, int y, std::string_view text) override { texts[{x, y}] = text; }

  std::map<std::pair<int, int>, std::string> texts;
};

class PollingWindowThread {
 public:
  static constexpr stats::PanelRect kPanel{0, 0, 320, 175};  // 25 pixels a line

  // `makeHost` gives each run of the thread its host link; `onPaint` sees every paint with the
  // poll's state, on the window thread.
  using MakeHost = std::function<std::unique_ptr<stats::HostLink>()>;
  using OnPaint = std::function<void(const RecordingCanvas&, const stats::PollState&)>;
  PollingWindowThread(MakeHost makeHost, OnPaint onPaint)
      : makeHost_(std::move(makeHost)), onPaint_(std::move(onPaint)) {}
  ~PollingWindowThread() { stop(); }
  PollingWindowThread(const PollingWindowThread&) = delete;
  PollingWindowThread& operator=(const PollingWindowThread&) = delete;

  // One run at a time, as the real window slot allows: a start while one runs does nothing.
  void start(const stats::LiveWindowContext& context);
  void stop();

  int polls() const { return polls_; }

 private:
  void run(stats::LiveWindowContext context);

  MakeHost makeHost_;
  OnPaint onPaint_;
  std::thread thread_;
  std::atomic<bool> stopping_{false};
  std::atomic<int> polls_{0};
};

// The fakes' dialogs and records, with the live window's thread started and stopped as the
// plug-in asks.
class PollingUserInterface : public FakeUserInterface {
 public:
  explicit PollingUserInterface(PollingWindowThread* window) : window_(window) {}
  void startMultiplierWindow(const stats::LiveWindowContext& context) override {
    FakeUserInterface::startMultiplierWindow(context);
    if (window_ != nullptr) window_->start(context);
  }
  void stopMultiplierWindow() override {
    FakeUserInterface::stopMultiplierWindow();
    if (window_ != nullptr) window_->stop();
  }

 private:
  PollingWindowThread* window_;
};

}  // namespace stats_test
