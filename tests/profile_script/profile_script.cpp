#include "tests/profile_script/profile_script.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace profile_script {
namespace {

namespace fs = std::filesystem;

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Splits a line at unescaped '|' and resolves the escapes of each field.
std::vector<std::string> fields(std::string_view line) {
  std::vector<std::string> result(1);
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '|') {
      result.emplace_back();
      continue;
    }
    if (c != '\\') {
      result.back() += c;
      continue;
    }
    if (++i == line.size()) throw std::runtime_error("escape at the end of the line");
    switch (line[i]) {
      case '\\':
        result.back() += '\\';
        break;
      case '|':
        result.back() += '|';
        break;
      case 'r':
        result.back() += '\r';
        break;
      case 'n':
        result.back() += '\n';
        break;
      case 't':
        result.back() += '\t';
        break;
      case 's':
        result.back() += ' ';
        break;
      case 'x': {
        const int high = i + 1 < line.size() ? hexDigit(line[i + 1]) : -1;
        const int low = i + 2 < line.size() ? hexDigit(line[i + 2]) : -1;
        if (high < 0 || low < 0) throw std::runtime_error("\\x needs two hex digits");
        result.back() += static_cast<char>(high * 16 + low);
        i += 2;
        break;
      }
      default:
        throw std::runtime_error(std::string("unknown escape \\") + line[i]);
    }
  }
  return result;
}

fs::path filePath(std::string name) {
  std::replace(name.begin(), name.end(), '\\', '/');
  return fs::path(name);
}

std::optional<std::string> fileBytes(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream bytes;
  bytes << file.rdbuf();
  return bytes.str();
}

std::string_view trimmed(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// What a file says rather than how it is laid out: blank lines dropped, blanks around lines,
// keys, values and section names dropped, anything after a section's ']' dropped. Kernel32 under
// Wine rewrites a whole file in this layout, while Windows and the POSIX store change only the
// line they write; the meaning must agree all the same.
std::string meaning(std::string_view bytes) {
  std::string result;
  while (!bytes.empty()) {
    const size_t end = std::min(bytes.find('\n'), bytes.size());
    const std::string_view line = trimmed(bytes.substr(0, end));
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    if (line.empty()) continue;
    const size_t close = line.find(']');
    const size_t equals = line.find('=');
    if (line.front() == '[' && close != std::string_view::npos) {
      result.append("[").append(trimmed(line.substr(1, close - 1))).append("]");
    } else if (line.front() != ';' && equals != std::string_view::npos) {
      result.append(trimmed(line.substr(0, equals)))
          .append("=")
          .append(trimmed(line.substr(equals + 1)));
    } else {
      result.append(line);
    }
    result.append("\n");
  }
  return result;
}

// Gives every seeded file a modification time of its own: a store that caches a file by its time
// stamp must notice that the file changed, even within one tick of the file system's clock.
void writeRawFile(const fs::path& path, const std::string& bytes) {
  static int seeded = 0;
  {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush()) throw std::runtime_error("cannot write " + path.string());
  }
  fs::last_write_time(path, fs::file_time_type::clock::now() + std::chrono::seconds(++seeded));
}

std::string longValue(size_t count) {
  std::string value;
  for (size_t i = 0; i < count; ++i) value += static_cast<char>('a' + i % 26);
  return value;
}

void expectFields(const std::vector<std::string>& parts, size_t count) {
  if (parts.size() != count) {
    throw std::runtime_error(parts[0] + " takes " + std::to_string(count - 1) + " fields");
  }
}

}  // namespace

std::string printable(std::string_view bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text = "\"";
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '\\':
        text += "\\\\";
        break;
      case '"':
        text += "\\\"";
        break;
      case '\r':
        text += "\\r";
        break;
      case '\n':
        text += "\\n";
        break;
      case '\t':
        text += "\\t";
        break;
      default:
        if (byte < 0x20 || byte >= 0x7F) {
          text += "\\x";
          text += digits[byte >> 4];
          text += digits[byte & 15];
        } else {
          text += c;
        }
    }
  }
  return text + "\"";
}

std::string run(std::string_view script, const StoreFactory& openStore) {
  std::string storeName = "Plugins\\ZRV.ini";
  std::unique_ptr<stats::ProfileStore> store = openStore(storeName);
  std::string transcript;
  size_t lineNumber = 0;
  while (!script.empty()) {
    const size_t end = std::min(script.find('\n'), script.size());
    std::string_view line = script.substr(0, end);
    script.remove_prefix(std::min(end + 1, script.size()));
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;

    const std::vector<std::string> parts = fields(line);
    const std::string& command = parts[0];
    std::string outcome;
    if (command == "store") {
      expectFields(parts, 2);
      storeName = parts[1];
      store = openStore(storeName);
      outcome = "opened";
    } else if (command == "rawfile") {
      expectFields(parts, 2);
      writeRawFile(filePath(storeName), parts[1]);
      outcome = "seeded";
    } else if (command == "read") {
      expectFields(parts, 4);
      outcome = printable(store->read(parts[1], parts[2], parts[3]));
    } else if (command == "write") {
      expectFields(parts, 4);
      outcome = store->write(parts[1], parts[2], parts[3]) ? "ok" : "failed";
    } else if (command == "long") {
      expectFields(parts, 4);
      outcome = store->write(parts[1], parts[2], longValue(std::stoul(parts[3]))) ? "ok" : "failed";
    } else if (command == "dump" || command == "meaning") {
      expectFields(parts, 1);
      const auto bytes = fileBytes(filePath(storeName));
      outcome = !bytes ? "<missing>" : printable(command == "dump" ? *bytes : meaning(*bytes));
    } else {
      throw std::runtime_error("line " + std::to_string(lineNumber) + ": unknown command " +
                               command);
    }
    transcript += std::to_string(lineNumber) + ": " + std::string(line) + " => " + outcome + "\n";
  }
  return transcript;
}

}  // namespace profile_script
