// Failures the host is never told about (an exception stopped at an export or in a dialog, a
// settings write or a Cabrillo file that failed) leave a one-line trace for whoever investigates:
// on Windows through OutputDebugStringA, which a debugger or a debug-output viewer shows, on other
// systems on standard error. The host sees nothing of it.
#pragma once

#include <concepts>
#include <string>
#include <string_view>
#include <utility>

namespace stats {

// Traces "Stats: <what>".
void traceFailure(std::string_view what) noexcept;

// The one exception boundary, for every place where code of ours is called from outside (an entry
// point, the window thread, a window or dialog procedure): runs `work` and returns what it returns;
// an exception it throws stops there, is traced as "<stopped> by an exception: <what>" (or "by an
// unknown exception") and `fallback` is returned. `stopped` is a text, or a function that makes
// it, called only when something was stopped.
template <typename Stopped, typename Result, typename Work>
Result stopExceptions(Stopped&& stopped, Result fallback, Work&& work) noexcept;

// Traces the exception being handled as stopped by `stopped`; only inside a catch block.
void traceStoppedException(std::string_view stopped) noexcept;

// Where finished trace lines go, each ending in a line feed. The application object installs the
// platform's writer when the library is loaded; until then (and in tests of the core) traces are
// dropped. The writer is called with a lock held, one line at a time, from whichever thread
// traced, so a writer needs no lock of its own against another line; once this returns, the
// writer it replaced is called no more. Returns the writer it replaced (null for none).
using TraceWriter = void (*)(const std::string& line);
TraceWriter setTraceWriter(TraceWriter writer);

// The platform's writer: a line goes where the platform's developers look. Defined per platform.
TraceWriter platformTraceWriter();

template <typename Stopped, typename Result, typename Work>
Result stopExceptions(Stopped&& stopped, Result fallback, Work&& work) noexcept {
  try {
    return std::forward<Work>(work)();
  } catch (...) {
    if constexpr (std::convertible_to<Stopped, std::string_view>) {
      traceStoppedException(stopped);
    } else {
      try {
        traceStoppedException(std::forward<Stopped>(stopped)());
      } catch (...) {
        traceStoppedException("code stopped");  // the description itself failed
      }
    }
  }
  return fallback;
}

}  // namespace stats
