// Failures the host is never told about (an exception stopped at an export or in a dialog, a
// settings write or a Cabrillo file that failed) leave a one-line trace for whoever investigates:
// on Windows through OutputDebugStringA, which a debugger or a debug-output viewer shows, on other
// systems on standard error. The host sees nothing of it.
#pragma once

#include <string>
#include <string_view>

namespace stats {

// Traces "Stats: <what>".
void traceFailure(std::string_view what) noexcept;

// Where finished trace lines go, each ending in a line feed. The application object installs the
// platform's writer when the library is loaded; until then (and in tests of the core) traces are
// dropped. The writer is called with a lock held, one line at a time, from whichever thread
// traced, so a writer needs no lock of its own against another line; once this returns, the
// writer it replaced is called no more. Returns the writer it replaced (null for none).
using TraceWriter = void (*)(const std::string& line);
TraceWriter setTraceWriter(TraceWriter writer);

// The platform's writer: a line goes where the platform's developers look. Defined per platform.
TraceWriter platformTraceWriter();

}  // namespace stats
