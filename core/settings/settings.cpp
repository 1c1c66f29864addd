#include "core/settings/settings.h"

#include <climits>
#include <cstdint>

#include "core/diagnostics/diagnostics.h"

namespace stats {

int parseLeadingInt(std::string_view text) {
  size_t position = 0;
  auto isSpace = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (position < text.size() && isSpace(text[position])) ++position;
  bool negative = false;
  if (position < text.size() && (text[position] == '+' || text[position] == '-')) {
    negative = text[position] == '-';
    ++position;
  }
  int64_t value = 0;
  for (; position < text.size() && text[position] >= '0' && text[position] <= '9'; ++position) {
    value = value * 10 + (text[position] - '0');
    if (value > int64_t{INT_MAX} + 1) break;  // saturated below; further digits change nothing
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

ProfileSnapshot& Settings::snapshot() const {
  if (!snapshot_) snapshot_ = store_.snapshot(kIniSection);
  return *snapshot_;
}

std::string Settings::readText(std::string_view key, std::string_view defaultValue) const {
  return snapshot().read(key, defaultValue);
}

int Settings::readNumber(std::string_view key) const {
  return parseLeadingInt(readText(key));
}

void Settings::writeText(std::string_view key, std::string_view value) const {
  if (!store_.write(kIniSection, key, value)) {
    const std::string shown = store_.shownName();
    traceFailure("could not write " + std::string(key) + " to " +
                 (shown.empty() ? std::string(kIniPath) : shown));
  } else if (snapshot_) {
    snapshot_->written(key, value);
  }
}

void Settings::writeNumber(std::string_view key, int value) const {
  writeText(key, std::to_string(value));
}

}  // namespace stats
