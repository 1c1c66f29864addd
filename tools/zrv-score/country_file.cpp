#include "tools/zrv-score/country_file.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <system_error>
#include <utility>

#include "tools/zrv-score/call_prefix.h"
#include "tools/zrv-score/text.h"

namespace zrv_score {
namespace {

// A country file is a few hundred kilobytes; anything far larger is not one.
constexpr std::size_t kMaxFileBytes = 16 * 1024 * 1024;

struct PrefixPair {
  std::string_view from;
  std::string_view to;
};

// Entities whose prefix the plug-in's European-Union list spells otherwise than the file.
constexpr std::array<PrefixPair, 1> kPluginSpellings = {{{"SV/a", "SY"}}};

constexpr std::array<std::string_view, 7> kContinents = {"AF", "AN", "AS", "EU", "NA", "OC", "SA"};

std::string_view pluginSpelling(std::string_view prefix) {
  for (const PrefixPair& pair : kPluginSpellings) {
    if (pair.from == prefix) return pair.to;
  }
  return prefix;
}

bool isCallCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '/';
}

// Text for a message: at most 40 bytes, anything unprintable as \xNN.
std::string printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < text.size() && i < 40; ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      out += static_cast<char>(byte);
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  if (text.size() > 40) out += "...";
  return out;
}

template <typename Number>
bool readNumber(std::string_view text, Number min, Number max, Number& value) {
  text = trimmed(text);
  if (text.empty()) return false;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size() && value >= min && value <= max;
}

struct Record {
  Entity entity;
  bool awardOnly = false;
  std::vector<std::string> prefixes;
  std::vector<std::string> calls;
};

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::vector<Record> records() {
    std::vector<Record> records;
    while (true) {
      while (position_ < text_.size() && isBlank(text_[position_])) ++position_;
      if (position_ >= text_.size()) break;
      const std::size_t start = position_;
      Record record;
      std::string error = readHeader(start, record.entity, record.awardOnly);
      if (!error.empty()) {
        problem(start, error);
        skipRecord(start);
        continue;
      }
      readEntries(record);
      records.push_back(std::move(record));
    }
    if (suppressed_ > 0) {
      problems_.push_back("and " + std::to_string(suppressed_) + " more problems");
    }
    return records;
  }

  std::vector<std::string> takeProblems() { return std::move(problems_); }

 private:
  void problem(std::size_t position, const std::string& message) {
    if (problems_.size() >= CountryFile::kMaxProblems) {
      ++suppressed_;
      return;
    }
    const auto line = 1 + std::count(text_.begin(), text_.begin() + position, '\n');
    problems_.push_back("line " + std::to_string(line) + ": " + message);
  }

  // The eight header fields, each ended by ':' on the record's first line. An error message, or
  // empty when the header is sound.
  std::string readHeader(std::size_t start, Entity& entity, bool& awardOnly) {
    std::array<std::string_view, 8> fields;
    for (std::string_view& field : fields) {
      const std::size_t end = text_.find_first_of(":;\n", position_);
      if (end == std::string_view::npos || text_[end] != ':') {
        const std::string_view line = text_.substr(start, text_.find('\n', start) - start);
        return "not an entity line (eight fields, each ended by ':'): \"" +
               printable(trimmed(line)) + "\"";
      }
      field = trimmed(text_.substr(position_, end - position_));
      position_ = end + 1;
    }
    entity.name = std::string(fields[0]);
    const std::string where = "entity \"" + printable(fields[0]) + "\": ";
    if (entity.name.empty()) return "an entity without a name";
    if (!readNumber(fields[1], 1, 40, entity.cqZone)) {
      return where + "CQ zone \"" + printable(fields[1]) + "\" is not a number from 1 to 40";
    }
    if (!readNumber(fields[2], 1, 90, entity.ituZone)) {
      return where + "ITU zone \"" + printable(fields[2]) + "\" is not a number from 1 to 90";
    }
    if (std::find(kContinents.begin(), kContinents.end(), fields[3]) == kContinents.end()) {
      return where + "continent \"" + printable(fields[3]) + "\" is none of AF AN AS EU NA OC SA";
    }
    entity.continent = std::string(fields[3]);
    if (!readNumber(fields[4], -90.0, 90.0, entity.latitude) ||
        !readNumber(fields[5], -180.0, 180.0, entity.longitude)) {
      return where + "position \"" + printable(fields[4]) + ":" + printable(fields[5]) +
             "\" is not a latitude and a longitude in degrees";
    }
    if (!readNumber(fields[6], -24.0, 24.0, entity.utcOffset)) {
      return where + "UTC offset \"" + printable(fields[6]) + "\" is not a number of hours";
    }
    std::string_view prefix = fields[7];
    awardOnly = !prefix.empty() && prefix.front() == '*';
    if (awardOnly) prefix.remove_prefix(1);
    if (prefix.empty() || !std::all_of(prefix.begin(), prefix.end(), isCallCharacter)) {
      return where + "primary prefix \"" + printable(fields[7]) + "\" is not a prefix";
    }
    entity.primaryPrefix = std::string(prefix);
    return {};
  }

  // After a header that cannot be read: on past the ';' that ends the record, or up to the next
  // line that looks like a header when no ';' comes first.
  void skipRecord(std::size_t start) {
    std::size_t lineStart = start;
    while (lineStart < text_.size()) {
      std::size_t lineEnd = text_.find('\n', lineStart);
      if (lineEnd == std::string_view::npos) lineEnd = text_.size();
      const std::size_t semicolon = text_.substr(lineStart, lineEnd - lineStart).find(';');
      if (semicolon != std::string_view::npos) {
        position_ = lineStart + semicolon + 1;
        return;
      }
      lineStart = lineEnd + 1;
      if (lineStart < text_.size()) {
        const std::size_t mark = text_.find_first_of(":,;\n", lineStart);
        if (mark != std::string_view::npos && text_[mark] == ':') {
          position_ = lineStart;
          return;
        }
      }
    }
    position_ = text_.size();
  }

  // The entries up to ';'. An entry never spans lines and never holds ':', so a ':' means that
  // the ';' is missing and the next record has begun: the entries read so far are kept.
  void readEntries(Record& record) {
    while (true) {
      while (position_ < text_.size() && isBlank(text_[position_])) ++position_;
      if (position_ >= text_.size() || text_[position_] == ':') {
        problem(position_,
                "the entries of \"" + printable(record.entity.name) + "\" do not end with ';'");
        return;
      }
      const std::size_t start = position_;
      std::size_t end = text_.find_first_of(",;:\n", start);
      if (end == std::string_view::npos) end = text_.size();
      if (end < text_.size() && text_[end] == ':') {
        position_ = start;  // a header: the next record
        problem(start,
                "the entries of \"" + printable(record.entity.name) + "\" do not end with ';'");
        return;
      }
      addEntry(record, trimmed(text_.substr(start, end - start)), start);
      position_ = end < text_.size() ? end + 1 : end;
      if (end < text_.size() && text_[end] == ';') return;
    }
  }

  void addEntry(Record& record, std::string_view entry, std::size_t position) {
    if (entry.empty()) return;
    const bool exact = entry.front() == '=';
    std::string call;
    for (std::size_t i = exact ? 1 : 0; i < entry.size(); ++i) {
      const char c = entry[i];
      const char closer = c == '('   ? ')'
                          : c == '[' ? ']'
                          : c == '<' ? '>'
                          : c == '{' ? '}'
                          : c == '~' ? '~'
                                     : '\0';
      if (closer != '\0') {
        const std::size_t close = entry.find(closer, i + 1);
        if (close == std::string_view::npos) {
          problem(position, "entry \"" + printable(entry) + "\" of \"" +
                                printable(record.entity.name) + "\": '" + c + "' is not closed");
          return;
        }
        i = close;
      } else if (isCallCharacter(c)) {
        call += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
      } else {
        problem(position, "entry \"" + printable(entry) + "\" of \"" +
                              printable(record.entity.name) + "\" is not a prefix or a call");
        return;
      }
    }
    if (call.empty()) {
      problem(position, "entry \"" + printable(entry) + "\" of \"" + printable(record.entity.name) +
                            "\" has no prefix or call");
      return;
    }
    (exact ? record.calls : record.prefixes).push_back(std::move(call));
  }

  std::string_view text_;
  std::size_t position_ = 0;
  std::vector<std::string> problems_;
  std::size_t suppressed_ = 0;
};

}  // namespace

CountryFile CountryFile::parse(std::string_view text) {
  Parser parser(text);
  std::vector<Record> records = parser.records();
  CountryFile file;
  file.problems_ = parser.takeProblems();

  // The DXCC entities and their entries; where two list the same entry, the first keeps it.
  // Entities of other award lists are left out with their entries: the file lists their calls
  // under the DXCC entity they are part of too, or that entity's shorter prefix covers them.
  for (Record& record : records) {
    if (record.awardOnly) continue;
    record.entity.dxccPrefix = std::string(pluginSpelling(record.entity.primaryPrefix));
    const std::size_t index = file.entities_.size();
    file.entities_.push_back(std::move(record.entity));
    for (std::string& prefix : record.prefixes) file.prefixes_.emplace(std::move(prefix), index);
    for (std::string& call : record.calls) file.calls_.emplace(std::move(call), index);
  }
  return file;
}

const Entity* CountryFile::exactCall(std::string_view call) const {
  const auto found = calls_.find(call);
  return found == calls_.end() ? nullptr : &entities_[found->second];
}

const Entity* CountryFile::longestPrefix(std::string_view call) const {
  for (std::size_t length = call.size(); length > 0; --length) {
    const auto found = prefixes_.find(call.substr(0, length));
    if (found != prefixes_.end()) return &entities_[found->second];
  }
  return nullptr;
}

const Entity* CountryFile::resolve(std::string_view call) const {
  const std::string whole = normalizedCall(call);
  if (whole.empty()) return nullptr;
  if (const Entity* entity = exactCall(whole)) return entity;
  const CallParts parts = splitCall(whole);
  if (parts.maritimeOrAir || parts.call.empty()) return nullptr;
  if (!parts.location.empty()) {
    if (const Entity* entity = longestPrefix(parts.location)) return entity;
  }
  if (const Entity* entity = exactCall(parts.call)) return entity;
  return longestPrefix(parts.call);
}

std::string_view CountryFile::dxccPrefix(std::string_view call) const {
  const Entity* entity = resolve(call);
  return entity == nullptr ? std::string_view() : std::string_view(entity->dxccPrefix);
}

std::optional<CountryFile> loadCountryFile(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "country file " + path + ": cannot be opened";
    return std::nullopt;
  }
  std::string bytes;
  std::array<char, 65536> buffer;
  while (in.read(buffer.data(), buffer.size()) || in.gcount() > 0) {
    bytes.append(buffer.data(), static_cast<std::size_t>(in.gcount()));
    if (bytes.size() > kMaxFileBytes) {
      error = "country file " + path + ": larger than 16 MiB, not a country file";
      return std::nullopt;
    }
  }
  if (in.bad()) {
    error = "country file " + path + ": cannot be read";
    return std::nullopt;
  }
  CountryFile file = CountryFile::parse(bytes);
  if (file.entities().empty()) {
    error = "country file " + path + ": no entity could be read";
    if (!file.problems().empty()) error += " (" + file.problems().front() + ")";
    return std::nullopt;
  }
  error.clear();
  return file;
}

}  // namespace zrv_score
