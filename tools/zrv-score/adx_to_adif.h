// ADX, the XML form of ADIF, written as the ADIF text (.adi) that gives the same header fields,
// records and fields through AdifReader.
//
// Each platform parses the XML with a parser of its own (expat on POSIX, the system's XmlLite on
// Windows) and hands the document's elements and text, in order, to one AdxToAdifWriter, which
// knows the ADX structure: the root ADX, HEADER with its fields and USERDEF definitions, RECORDS
// holding RECORD elements, and in a record the fields, APP and USERDEF elements.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zrv_score {

// The ADIF text of an ADX document; nothing, with the reason in `error`, when the bytes are not
// well-formed XML (the parser's message and the line) or their root element is not ADX.
std::optional<std::string> adxToAdif(std::string_view xml, std::string& error);

// An element's attributes, names and values in UTF-8, as written.
using XmlAttributes = std::vector<std::pair<std::string, std::string>>;

// Builds the ADIF text from the parser's events. Names and text are UTF-8, with entities and
// CDATA sections already resolved by the parser.
class AdxToAdifWriter {
 public:
  // False, with error() set, when the document's root is not ADX: the parser should stop then.
  bool startElement(std::string_view name, const XmlAttributes& attributes);
  void endElement();
  void text(std::string_view characters);

  // The ADIF text, once the parser has read the whole document.
  std::string finish() const;
  const std::string& error() const { return error_; }

 private:
  enum class Role { document, header, records, record, field, ignored };
  struct OpenField {
    std::string name;
    std::string type;
    std::string value;
    std::string valueSuffix;  // a header USERDEF's ",{enumeration}" or ",{range}"
  };

  void openField(Role parent, std::string_view name, const XmlAttributes& attributes);

  std::vector<Role> open_;  // the roles of the elements open now, the root first
  OpenField field_;         // the header or record field being read
  std::string header_;      // the header's fields written as ADIF
  std::string records_;     // the records written as ADIF
  std::string error_;
};

}  // namespace zrv_score
