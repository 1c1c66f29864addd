#include "core/diagnostics/diagnostics.h"

#include <exception>
#include <mutex>

namespace stats {
namespace {

// Both threads of the plug-in may trace; the writer is installed and called under this lock.
std::mutex& traceMutex() {
  static std::mutex mutex;
  return mutex;
}

TraceWriter installedWriter = nullptr;

}  // namespace

void traceFailure(std::string_view what) noexcept {
  try {
    std::string line = "Stats: ";
    line += what;
    line += '\n';
    const std::lock_guard lock(traceMutex());
    if (installedWriter != nullptr) installedWriter(line);
  } catch (...) {
    // Out of memory while tracing: there is nothing left to tell it with.
  }
}

void traceStoppedException(std::string_view stopped) noexcept {
  try {
    std::string what(stopped);
    try {
      throw;
    } catch (const std::exception& error) {
      what += " by an exception: ";
      what += error.what();
    } catch (...) {
      what += " by an unknown exception";
    }
    traceFailure(what);
  } catch (...) {
    // No memory left to describe it.
  }
}

TraceWriter setTraceWriter(TraceWriter writer) {
  const std::lock_guard lock(traceMutex());
  const TraceWriter previous = installedWriter;
  installedWriter = writer;
  return previous;
}

}  // namespace stats
