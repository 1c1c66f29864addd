#include "core/settings/ini_text.h"

#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

namespace stats {
namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// What kernel32 drops around lines, names and values: white space (line ends cannot be inside a
// line) and the end-of-file mark Ctrl-Z; not the no-break space.
bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

std::string_view trimBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view trimLeadingBlanks(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  return text;
}

// Only spaces: a default ending in a tab keeps it, as with the Windows functions.
std::string_view trimTrailingSpaces(std::string_view text) {
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The Windows functions see names and values as C strings: they end at a NUL.
std::string_view upToNul(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

// What the file can hold of a name or value given to a write: the INI format has no way to store
// a line break (one written as-is would turn the rest of the text into lines of their own), and a
// C string ends at its NUL.
std::string_view storable(std::string_view text) {
  return text.substr(0, text.find_first_of(std::string_view("\r\n\0", 3)));
}

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

// One matching pair of double or single quotes around the whole value goes on read.
std::string_view unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

// The name inside a "[name]" line (up to the last ']'), or nothing for any other line.
std::optional<std::string_view> sectionName(std::string_view line) {
  line = trimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const size_t close = line.rfind(']');
  if (close == std::string_view::npos) return std::nullopt;
  return upToNul(trimBlanks(line.substr(1, close - 1)));
}

struct KeyLine {
  std::string_view key;
  std::string_view value;  // blanks around it dropped, quotes still on
};

// A "key=value" line; comments, section headers and lines without '=' are no keys.
std::optional<KeyLine> keyLine(std::string_view line) {
  line = trimBlanks(line);
  if (line.empty() || line.front() == ';' || line.front() == '[') return std::nullopt;
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  return KeyLine{upToNul(trimBlanks(line.substr(0, equals))),
                 upToNul(trimBlanks(line.substr(equals + 1)))};
}

std::string storedValue(const KeyLine& line) {
  return std::string(unquote(line.value));
}

// Takes the file's text line by line, each without its line end. As with kernel32, a line ends at
// a CR, at an LF and at a CR LF, wherever they stand: a CR inside what looks like a value starts a
// new line, and a CR CR LF ends a line and leaves an empty one. The lines point into the text.
class LineReader {
 public:
  explicit LineReader(std::string_view text) : rest_(text) {}

  bool next(std::string_view& line) {
    if (rest_.empty()) return false;
    const char* begin = rest_.data();
    const char* end = begin + rest_.size();
    const auto* lf = static_cast<const char*>(std::memchr(begin, '\n', rest_.size()));
    const char* lineEnd = lf != nullptr ? lf : end;
    const auto* cr = static_cast<const char*>(std::memchr(begin, '\r', lineEnd - begin));
    if (cr != nullptr) lineEnd = cr;
    line = std::string_view(begin, lineEnd - begin);
    const char* next = lineEnd;
    if (next < end) next += *next == '\r' && next + 1 < end && next[1] == '\n' ? 2 : 1;
    rest_.remove_prefix(next - begin);
    return true;
  }

 private:
  std::string_view rest_;
};

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  LineReader reader(text);
  for (std::string_view line; reader.next(line);) lines.push_back(line);
  return lines;
}

struct SectionLines {
  size_t header;
  size_t end;  // one past its last line: the next header or the end of the file
};

// The first section of that name; later ones of the same name are never used.
std::optional<SectionLines> findSection(const std::vector<std::string_view>& lines,
                                        std::string_view name) {
  for (size_t header = 0; header < lines.size(); ++header) {
    const auto found = sectionName(lines[header]);
    if (!found || !equalsIgnoringCase(*found, name)) continue;
    size_t end = header + 1;
    while (end < lines.size() && !sectionName(lines[end])) ++end;
    return SectionLines{header, end};
  }
  return std::nullopt;
}

// The first line of the section holding that key.
std::optional<size_t> findKey(const std::vector<std::string_view>& lines, SectionLines section,
                              std::string_view key) {
  for (size_t index = section.header + 1; index < section.end; ++index) {
    const auto found = keyLine(lines[index]);
    if (found && equalsIgnoringCase(found->key, key)) return index;
  }
  return std::nullopt;
}

// The text with `key=value` set; nothing when it already holds exactly that value. Every line end
// becomes CR LF, a byte order mark stays in front.
std::optional<std::string> withValue(std::string_view text, std::string_view section,
                                     std::string_view key, std::string_view value) {
  std::string_view bom;
  if (text.starts_with(kUtf8Bom)) {
    bom = kUtf8Bom;
    text.remove_prefix(kUtf8Bom.size());
  }
  std::vector<std::string_view> lines = splitLines(text);
  std::string newLine = std::string(key) + "=" + std::string(value);
  const auto found = findSection(lines, section);
  std::string newSection;
  if (!found) {
    newSection = "[" + std::string(section) + "]";
    if (!lines.empty()) lines.emplace_back();  // a blank line parts it from what comes before
    lines.push_back(newSection);
    lines.push_back(newLine);
  } else if (const auto index = findKey(lines, *found, key)) {
    const KeyLine stored = *keyLine(lines[*index]);
    if (stored.value == value) return std::nullopt;
    // The key keeps the spelling the file has, as kernel32 does.
    newLine = std::string(stored.key) + "=" + std::string(value);
    lines[*index] = newLine;
  } else {
    // After the section's last non-blank line: blank lines before the next section stay there.
    size_t position = found->end;
    while (position > found->header + 1 && trimBlanks(lines[position - 1]).empty()) --position;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(position), newLine);
  }
  std::string bytes(bom);
  size_t size = bytes.size();
  for (const std::string_view line : lines) size += line.size() + 2;
  bytes.reserve(size);
  for (const std::string_view line : lines) bytes.append(line).append("\r\n");
  return bytes;
}

// The lines of the first section of that name in the file's text, its header line included, each
// ended by CR LF; empty when there is no such section.
std::string firstSection(std::string_view text, std::string_view name) {
  if (text.starts_with(kUtf8Bom)) text.remove_prefix(kUtf8Bom.size());
  LineReader reader(text);
  std::string_view line;
  bool inside = false;
  std::string lines;
  while (reader.next(line)) {
    if (const auto found = sectionName(line)) {
      if (inside) break;
      inside = equalsIgnoringCase(*found, name);
    }
    if (inside) lines.append(line).append("\r\n");
  }
  return lines;
}

// The keys of one section, read from the file once: the section's lines as the file held them,
// with the operation's own writes applied as the store applied them to the file.
class SectionSnapshot final : public ProfileSnapshot {
 public:
  SectionSnapshot(std::string section, std::string text)
      : section_(std::move(section)), text_(std::move(text)) {}

  std::string read(std::string_view key, std::string_view defaultValue) const override {
    const std::vector<std::string_view> lines = splitLines(text_);
    const std::string fallback(trimTrailingSpaces(defaultValue));
    const auto found = findSection(lines, trimBlanks(section_));
    if (!found) return fallback;
    const auto index = findKey(lines, *found, trimBlanks(key));
    return index ? storedValue(*keyLine(lines[*index])) : fallback;
  }

  void written(std::string_view key, std::string_view value) override {
    if (auto text = withValue(text_, trimBlanks(storable(section_)), trimBlanks(storable(key)),
                              trimLeadingBlanks(storable(value)))) {
      text_ = std::move(*text);
    }
  }

 private:
  std::string section_;
  std::string text_;  // the section's lines alone
};

}  // namespace

std::optional<std::string> iniTextWithValue(std::string_view text, std::string_view section,
                                            std::string_view key, std::string_view value) {
  return withValue(text, trimBlanks(storable(section)), trimBlanks(storable(key)),
                   trimLeadingBlanks(storable(value)));
}

std::string iniFirstSection(std::string_view text, std::string_view section) {
  return firstSection(text, trimBlanks(section));
}

std::unique_ptr<ProfileSnapshot> makeIniSectionSnapshot(std::string section, std::string lines) {
  return std::make_unique<SectionSnapshot>(std::move(section), std::move(lines));
}

}  // namespace stats
