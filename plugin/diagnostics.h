// Failures the host is never told about (an exception stopped at an export or in a dialog, a
// settings write or a Cabrillo file that failed) leave a one-line trace for whoever investigates:
// on Windows through OutputDebugStringA, which a debugger or a debug-output viewer shows, on other
// systems on standard error. The host sees nothing of it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace stats {

// Traces "Stats: <what>".
void traceFailure(std::string_view what) noexcept;

// While one lives, traces are collected here instead of written out (for tests). One at a time.
class TraceCapture {
 public:
  TraceCapture();
  ~TraceCapture();
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  std::vector<std::string> lines() const;  // each without its line end
  bool contains(std::string_view text) const;

 private:
  friend void traceFailure(std::string_view what) noexcept;
  std::vector<std::string> lines_;
};

// Where finished trace lines go outside a capture. The application object installs the platform's
// writer when the library is loaded; until then (and in tests of the core) traces are dropped.
using TraceWriter = void (*)(const std::string& line);
void setTraceWriter(TraceWriter writer);

// The platform's writer: a line goes where the platform's developers look. Defined per platform.
TraceWriter platformTraceWriter();

}  // namespace stats
