// The ADX document parsed with expat, which hands over names and text in UTF-8 whatever the
// document's encoding, with entities and CDATA sections resolved.
#include "tools/zrv-score/adx_to_adif.h"

#include <expat.h>

#include <algorithm>
#include <cstddef>
#include <memory>

namespace zrv_score {
namespace {

struct ParserFree {
  void operator()(XML_ParserStruct* parser) const { XML_ParserFree(parser); }
};
using Parser = std::unique_ptr<XML_ParserStruct, ParserFree>;

struct Session {
  XML_Parser parser;
  AdxToAdifWriter writer;
};

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
  auto& session = *static_cast<Session*>(data);
  XmlAttributes pairs;
  for (const XML_Char** at = attributes; *at != nullptr; at += 2) pairs.emplace_back(at[0], at[1]);
  if (!session.writer.startElement(name, pairs)) XML_StopParser(session.parser, XML_FALSE);
}

void XMLCALL onEnd(void* data, const XML_Char*) {
  static_cast<Session*>(data)->writer.endElement();
}

void XMLCALL onText(void* data, const XML_Char* characters, int length) {
  static_cast<Session*>(data)->writer.text({characters, static_cast<std::size_t>(length)});
}

}  // namespace

std::optional<std::string> adxToAdif(std::string_view xml, std::string& error) {
  const Parser parser(XML_ParserCreate(nullptr));
  if (!parser) {
    error = "no memory for the XML parser";
    return std::nullopt;
  }
  Session session{parser.get(), {}};
  XML_SetUserData(parser.get(), &session);
  XML_SetElementHandler(parser.get(), onStart, onEnd);
  XML_SetCharacterDataHandler(parser.get(), onText);

  // expat takes an int length: a large file goes in pieces.
  constexpr std::size_t kPiece = std::size_t{1} << 24;
  std::size_t at = 0;
  for (;;) {
    const std::size_t length = std::min(kPiece, xml.size() - at);
    const bool last = at + length == xml.size();
    if (XML_Parse(parser.get(), xml.data() + at, static_cast<int>(length), last) != XML_STATUS_OK) {
      if (!session.writer.error().empty()) {
        error = session.writer.error();
      } else {
        error = "not well-formed XML at line " +
                std::to_string(XML_GetCurrentLineNumber(parser.get())) + ", column " +
                std::to_string(XML_GetCurrentColumnNumber(parser.get()) + 1) + ": " +
                XML_ErrorString(XML_GetErrorCode(parser.get()));
      }
      return std::nullopt;
    }
    if (last) break;
    at += length;
  }
  return session.writer.finish();
}

}  // namespace zrv_score
