#include "tests/support/trace_capture.h"

#include <mutex>

namespace stats_test {
namespace {

// Guards the capture pointer and the lines: a trace may come from another thread while a test
// reads the lines.
std::mutex& captureMutex() {
  static std::mutex mutex;
  return mutex;
}

TraceCapture* activeCapture = nullptr;

}  // namespace

TraceCapture::TraceCapture() {
  {
    const std::lock_guard lock(captureMutex());
    activeCapture = this;
  }
  previous_ = stats::setTraceWriter(&TraceCapture::collect);
}

TraceCapture::~TraceCapture() {
  // No line reaches `collect` once the previous writer is back.
  stats::setTraceWriter(previous_);
  const std::lock_guard lock(captureMutex());
  activeCapture = nullptr;
}

void TraceCapture::collect(const std::string& line) {
  std::string_view text = line;
  if (text.ends_with('\n')) text.remove_suffix(1);
  const std::lock_guard lock(captureMutex());
  if (activeCapture != nullptr) activeCapture->lines_.emplace_back(text);
}

std::vector<std::string> TraceCapture::lines() const {
  const std::lock_guard lock(captureMutex());
  return lines_;
}

bool TraceCapture::contains(std::string_view text) const {
  for (const std::string& line : lines()) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

}  // namespace stats_test
