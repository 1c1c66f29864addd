// Traces go to the debugger, or to a debug-output viewer when no debugger is attached.
#include <windows.h>

#include "core/diagnostics/diagnostics.h"

namespace stats {
namespace {

void writeDebugString(const std::string& line) {
  OutputDebugStringA(line.c_str());
}

}  // namespace

TraceWriter platformTraceWriter() {
  return &writeDebugString;
}

}  // namespace stats
