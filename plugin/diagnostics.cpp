#include "plugin/diagnostics.h"

#include <mutex>

namespace stats {
namespace {

// Both threads of the plug-in may trace; the capture pointer and its lines share this lock.
std::mutex& traceMutex() {
  static std::mutex mutex;
  return mutex;
}

TraceCapture* activeCapture = nullptr;
TraceWriter installedWriter = nullptr;

}  // namespace

void traceFailure(std::string_view what) noexcept {
  try {
    std::string line = "Stats: ";
    line += what;
    const std::lock_guard lock(traceMutex());
    if (activeCapture != nullptr) {
      activeCapture->lines_.push_back(line);
      return;
    }
    if (installedWriter == nullptr) return;
    line += '\n';
    installedWriter(line);
  } catch (...) {
    // Out of memory while tracing: there is nothing left to tell it with.
  }
}

void setTraceWriter(TraceWriter writer) {
  const std::lock_guard lock(traceMutex());
  installedWriter = writer;
}

TraceCapture::TraceCapture() {
  const std::lock_guard lock(traceMutex());
  activeCapture = this;
}

TraceCapture::~TraceCapture() {
  const std::lock_guard lock(traceMutex());
  activeCapture = nullptr;
}

std::vector<std::string> TraceCapture::lines() const {
  const std::lock_guard lock(traceMutex());
  return lines_;
}

bool TraceCapture::contains(std::string_view text) const {
  for (const std::string& line : lines()) {
    if (line.find(text) != std::string::npos) return true;
  }
  return false;
}

}  // namespace stats
