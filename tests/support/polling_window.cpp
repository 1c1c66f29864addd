#include "tests/support/polling_window.h"

#include <mutex>

namespace stats_test {

void PollingWindowThread::start(const stats::LiveWindowContext& context) {
  if (thread_.joinable()) return;
  stopping_ = false;
  thread_ = std::thread([this, context] { run(context); });
}

void PollingWindowThread::stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
}

void PollingWindowThread::run(stats::LiveWindowContext context) {
  stats::PollState poll;
  const std::unique_ptr<stats::HostLink> host = makeHost_();
  QuietPollOutputs outputs;
  while (!stopping_) {
    stats::runPoll(poll, *host, outputs, {context.mutex, context.state});
    ++polls_;
    RecordingCanvas canvas;
    {
      const std::lock_guard lock(context.mutex);
      stats::paintInfoPanel(canvas, kPanel, poll, context.state);
    }
    onPaint_(canvas, poll);
  }
  stats::endPollRun(poll);
}

}  // namespace stats_test
