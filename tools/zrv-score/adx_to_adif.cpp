#include "tools/zrv-score/adx_to_adif.h"

#include "tools/zrv-score/adif_reader.h"

namespace zrv_score {
namespace {

// The element's names are matched regardless of case, so that a log written with <record> is not
// lost; field names keep the case they are written in.
bool isNamed(std::string_view name, std::string_view wanted) {
  return equalsIgnoringCase(name, wanted);
}

std::string attribute(const XmlAttributes& attributes, std::string_view name) {
  for (const auto& [key, value] : attributes) {
    if (equalsIgnoringCase(key, name)) return value;
  }
  return {};
}

// A field name the ADIF tag can carry. XML allows names (and attribute values) the tag cannot
// hold: a namespace colon, letters beyond ASCII, '<' or '{' in a FIELDNAME. Each such character
// becomes '_', so that the field and its value are kept and cannot break the tag apart.
std::string adifFieldName(std::string_view name) {
  std::string written;
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    if ((byte & 0xC0) == 0x80) continue;  // the rest of a UTF-8 character already replaced
    const bool edge = i == 0 || i + 1 == name.size();
    const bool allowed = byte > ' ' && byte <= '~' && byte != ',' && byte != ':' && byte != '<' &&
                         byte != '>' && byte != '{' && byte != '}';
    written += allowed || (byte == ' ' && !edge) ? static_cast<char>(byte) : '_';
  }
  return written.empty() ? "_" : written;
}

// ADIF's data-type indicator is letters and digits; any other TYPE is dropped, the value kept.
std::string adifDataType(std::string_view type) {
  for (const char c : type) {
    const bool alphanumeric =
        (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    if (!alphanumeric) return {};
  }
  return std::string(type);
}

// <NAME:LENGTH:TYPE>value, LENGTH in bytes: ADIF fields are length-delimited, so any value, '<' and
// line ends included, reads back as it was.
void appendField(std::string& out, const std::string& name, const std::string& type,
                 const std::string& value, char separator) {
  out += '<';
  out += name;
  out += ':';
  out += std::to_string(value.size());
  if (!type.empty()) {
    out += ':';
    out += type;
  }
  out += '>';
  out += value;
  out += separator;
}

}  // namespace

bool AdxToAdifWriter::startElement(std::string_view name, const XmlAttributes& attributes) {
  if (open_.empty()) {
    if (!isNamed(name, "ADX")) {
      error_ = "its root element is <" + std::string(name) + ">, not <ADX>: it is no ADX log";
      return false;
    }
    open_.push_back(Role::document);
    return true;
  }
  const Role parent = open_.back();
  Role role = Role::ignored;
  switch (parent) {
    case Role::document:
      // A RECORD straight under the root, without RECORDS around it, is still a QSO.
      if (isNamed(name, "HEADER")) role = Role::header;
      if (isNamed(name, "RECORDS")) role = Role::records;
      if (isNamed(name, "RECORD")) role = Role::record;
      break;
    case Role::records:
      if (isNamed(name, "RECORD")) role = Role::record;
      break;
    case Role::header:
    case Role::record:
      openField(parent, name, attributes);
      role = Role::field;
      break;
    case Role::field:
      // An element inside a field is no ADX, but its text is part of what the field says: it is
      // kept in the field's value, only the tags around it are dropped.
      role = Role::field;
      break;
    case Role::ignored:
      break;
  }
  open_.push_back(role);
  return true;
}

void AdxToAdifWriter::openField(Role parent, std::string_view name,
                                const XmlAttributes& attributes) {
  field_ = OpenField{};
  field_.type = adifDataType(attribute(attributes, "TYPE"));
  if (isNamed(name, "APP")) {
    field_.name = adifFieldName("APP_" + attribute(attributes, "PROGRAMID") + "_" +
                                attribute(attributes, "FIELDNAME"));
  } else if (isNamed(name, "USERDEF") && parent == Role::header) {
    // The definition of user-defined field n: in ADIF, USERDEFn holding the name and, when given,
    // its enumeration or range.
    field_.name = adifFieldName("USERDEF" + attribute(attributes, "FIELDID"));
    for (const char* limit : {"ENUM", "RANGE"}) {
      const std::string values = attribute(attributes, limit);
      if (!values.empty()) field_.valueSuffix += "," + values;
    }
  } else if (isNamed(name, "USERDEF")) {
    const std::string fieldName = attribute(attributes, "FIELDNAME");
    field_.name = adifFieldName(fieldName.empty() ? std::string(name) : fieldName);
  } else {
    field_.name = adifFieldName(name);
  }
}

void AdxToAdifWriter::endElement() {
  if (open_.empty()) return;
  const Role closed = open_.back();
  open_.pop_back();
  if (closed == Role::record) {
    records_ += "<EOR>\n";
  } else if (closed == Role::field && !open_.empty() && open_.back() != Role::field) {
    const bool inHeader = open_.back() == Role::header;
    appendField(inHeader ? header_ : records_, field_.name, field_.type,
                field_.value + field_.valueSuffix, inHeader ? '\n' : ' ');
  }
}

void AdxToAdifWriter::text(std::string_view characters) {
  // Text between fields is layout; only a field's own text is a value.
  if (!open_.empty() && open_.back() == Role::field) field_.value += characters;
}

std::string AdxToAdifWriter::finish() const {
  return "ADIF written by zrv-score from an ADX log\n" + header_ + "<EOH>\n" + records_;
}

}  // namespace zrv_score
