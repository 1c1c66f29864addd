// Collects the plug-in's failure traces while it lives, in place of the writer installed before
// it, which it puts back at its end. One at a time; the plug-in's threads may trace meanwhile.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/diagnostics/diagnostics.h"

namespace stats_test {

class TraceCapture {
 public:
  TraceCapture();
  ~TraceCapture();
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  std::vector<std::string> lines() const;  // each without its line end
  bool contains(std::string_view text) const;

 private:
  static void collect(const std::string& line);

  stats::TraceWriter previous_ = nullptr;
  std::vector<std::string> lines_;
};

}  // namespace stats_test
