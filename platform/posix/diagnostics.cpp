// Traces go to standard error, where a host's console or log collects them.
#include <cstdio>

#include "core/diagnostics/diagnostics.h"

namespace stats {
namespace {

void writeStandardError(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  std::fflush(stderr);
}

}  // namespace

TraceWriter platformTraceWriter() {
  return &writeStandardError;
}

}  // namespace stats
