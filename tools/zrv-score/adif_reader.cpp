#include "tools/zrv-score/adif_reader.h"

#include <cstdint>

namespace zrv_score {
namespace {

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isAlphanumeric(char c) {
  return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Printable ASCII except the characters that delimit tags and user-defined field lists; spaces
// only inside the name.
bool isValidFieldName(std::string_view name) {
  if (name.empty() || name.front() == ' ' || name.back() == ' ') return false;
  for (const char c : name) {
    if (c < ' ' || c > '~') return false;
    if (c == ',' || c == ':' || c == '<' || c == '>' || c == '{' || c == '}') return false;
  }
  return true;
}

// One letter by the format's rules; more, or none (<FREQ:6:>), still says nothing unclear.
bool isValidDataType(std::string_view type) {
  for (const char c : type) {
    if (!isAlphanumeric(c)) return false;
  }
  return true;
}

// A marker is a bare name with no length (<EOF>, <APP_LoTW_EOF>): some programs end their files
// with one. Outside a record it says nothing; inside one it is malformed.
enum class TagKind { field, endOfRecord, endOfHeader, marker, malformed };

struct Tag {
  TagKind kind = TagKind::malformed;
  std::string_view name;
  std::string_view type;
  // The declared value length; larger than the file when the digits say so (never overflows).
  std::uint64_t length = 0;
  std::string_view lengthText;  // the length as written
  // Just past the '>'; for a tag with no '>', where reading goes on (the next '<' or the end).
  std::size_t end = 0;
  const char* defect = "";
};

// Reads the tag whose '<' is at bytes[open]. Only the bytes up to the tag's '>' are looked at.
Tag parseTag(std::string_view bytes, std::size_t open) {
  Tag tag;
  std::size_t close = open + 1;
  while (close < bytes.size() && bytes[close] != '>' && bytes[close] != '<') ++close;
  if (close == bytes.size() || bytes[close] == '<') {
    tag.end = close;
    tag.defect = "no '>' closes it";
    return tag;
  }
  tag.end = close + 1;
  const std::string_view inside = bytes.substr(open + 1, close - open - 1);

  const std::size_t firstColon = inside.find(':');
  tag.name = inside.substr(0, firstColon);
  // The markers may carry a length (<EOR:0>), which says nothing.
  if (equalsIgnoringCase(tag.name, "EOR")) {
    tag.kind = TagKind::endOfRecord;
    return tag;
  }
  if (equalsIgnoringCase(tag.name, "EOH")) {
    tag.kind = TagKind::endOfHeader;
    return tag;
  }
  if (!isValidFieldName(tag.name)) {
    tag.defect = "the field name is empty or holds a character that no name may hold";
    return tag;
  }
  if (firstColon == std::string_view::npos) {
    tag.kind = TagKind::marker;
    tag.defect = "it gives no length";
    return tag;
  }
  const std::string_view rest = inside.substr(firstColon + 1);
  const std::size_t secondColon = rest.find(':');
  const std::string_view digits = rest.substr(0, secondColon);
  if (digits.empty()) {
    tag.defect = "it gives no length";
    return tag;
  }
  tag.lengthText = digits;
  for (const char c : digits) {
    if (!isDigit(c)) {
      tag.defect = "its length is not a number";
      return tag;
    }
    // Past the file's size the exact value no longer matters: stop growing before any overflow.
    if (tag.length <= bytes.size()) tag.length = tag.length * 10 + static_cast<unsigned>(c - '0');
  }
  if (secondColon != std::string_view::npos) {
    tag.type = rest.substr(secondColon + 1);
    if (!isValidDataType(tag.type)) {
      tag.defect = "its data type holds a character other than letters and digits";
      return tag;
    }
  }
  tag.kind = TagKind::field;
  return tag;
}

std::string malformedTagProblem(std::string_view bytes, std::size_t open, const Tag& tag) {
  return "malformed tag <" + printableBytes(bytes.substr(open + 1, tag.end - open - 1)) +
         " at byte " + std::to_string(open) + ": " + tag.defect;
}

}  // namespace

std::string printableBytes(std::string_view bytes, std::size_t maxBytes) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (std::size_t i = 0; i < bytes.size() && i < maxBytes; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      shown += static_cast<char>(byte);
    } else {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    }
  }
  if (bytes.size() > maxBytes) shown += "...";
  return shown;
}

const AdifField* AdifRecord::find(std::string_view name) const {
  for (const AdifField& field : fields) {
    if (equalsIgnoringCase(field.name, name)) return &field;
  }
  return nullptr;
}

AdifReader::AdifReader(std::string_view bytes) : bytes_(bytes) {
  readHeader();
}

// Looks ahead, tag by tag, for an <EOH> before the first <EOR>. Defects in the header are passed
// over: the header's fields serve no record, and a malformed tag there is often plain text.
void AdifReader::readHeader() {
  if (bytes_.empty()) return;
  std::vector<AdifField> fields;
  std::size_t at = 0;
  bool ended = false;
  for (;;) {
    const std::size_t open = bytes_.find('<', at);
    if (open == std::string_view::npos) break;
    const Tag tag = parseTag(bytes_, open);
    if (tag.kind == TagKind::endOfHeader) {
      ended = true;
      at = tag.end;
      break;
    }
    if (tag.kind == TagKind::endOfRecord) break;
    if (tag.kind == TagKind::malformed || tag.kind == TagKind::marker) {
      at = tag.end;
      continue;
    }
    if (tag.length > bytes_.size() - tag.end) break;
    fields.push_back({tag.name, bytes_.substr(tag.end, tag.length), tag.type});
    at = tag.end + tag.length;
  }
  if (ended) {
    header_ = std::move(fields);
    position_ = at;
  } else if (bytes_.front() != '<') {
    headerNotice_ = "the header text has no <EOH>; records are read from the first '<' on";
    position_ = bytes_.find('<');
    if (position_ == std::string_view::npos) position_ = bytes_.size();
  }
}

bool AdifReader::next(AdifRecord& record) {
  record.number = 0;
  record.offset = 0;
  record.fields.clear();
  record.problem.clear();
  bool started = false;
  const auto finish = [&] {
    record.number = ++recordCount_;
    return true;
  };
  const auto fail = [&](std::string problem) {
    if (record.problem.empty()) record.problem = std::move(problem);
  };

  for (;;) {
    const std::size_t open = bytes_.find('<', position_);
    if (open == std::string_view::npos) {
      position_ = bytes_.size();
      if (!started) return false;
      fail("the file ends before the record's <EOR> (is it cut off?)");
      return finish();
    }
    const Tag tag = parseTag(bytes_, open);
    if (tag.kind == TagKind::endOfRecord) {
      position_ = tag.end;
      if (!started) continue;  // a bare <EOR> holds no record
      return finish();
    }
    if (tag.kind == TagKind::marker && !started) {
      position_ = tag.end;
      continue;
    }
    if (tag.kind == TagKind::endOfHeader && !record.find("CALL")) {
      // A second header (two files joined, or a program that writes its header twice): what came
      // since the last record is header, not a QSO.
      position_ = tag.end;
      started = false;
      record.fields.clear();
      record.problem.clear();
      continue;
    }
    if (!started) {
      started = true;
      record.offset = open;
    }
    switch (tag.kind) {
      case TagKind::endOfHeader:
        // Most likely a second file joined on: what came before is its header, not a QSO.
        position_ = tag.end;
        fail("an <EOH> at byte " + std::to_string(open) + " where a field or <EOR> was expected");
        return finish();
      case TagKind::malformed:
      case TagKind::marker:
        fail(malformedTagProblem(bytes_, open, tag));
        position_ = tag.end;
        continue;
      default:
        break;
    }
    const std::size_t left = bytes_.size() - tag.end;
    if (tag.length > left) {
      fail("field " + printableBytes(tag.name) + " at byte " + std::to_string(open) + " declares " +
           printableBytes(tag.lengthText) + " bytes, past the end of the file (" +
           std::to_string(left) + " bytes left)");
      position_ = bytes_.size();
      return finish();
    }
    record.fields.push_back({tag.name, bytes_.substr(tag.end, tag.length), tag.type});
    position_ = tag.end + tag.length;
  }
}

}  // namespace zrv_score
