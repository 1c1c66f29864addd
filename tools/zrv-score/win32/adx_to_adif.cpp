// The ADX document parsed with XmlLite, the XML reader Windows itself carries (xmllite.dll), over
// the bytes in a memory stream. mingw-w64 ships no import library for xmllite.dll, so its one
// entry point is looked up at run time, from the system folder only.
#include <shlwapi.h>
#include <windows.h>
#include <wrl/client.h>
#include <xmllite.h>

#include <climits>
#include <cstdio>
#include <memory>

#include "tools/zrv-score/adx_to_adif.h"

namespace zrv_score {
namespace {

using Microsoft::WRL::ComPtr;

struct LibraryFree {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Library = std::unique_ptr<std::remove_pointer_t<HMODULE>, LibraryFree>;

using CreateXmlReaderFunction = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

std::string utf8(const WCHAR* text, UINT length) {
  if (length == 0 || length > INT_MAX) return {};
  const int wide = static_cast<int>(length);
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, wide, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string result(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, wide, result.data(), size, nullptr, nullptr);
  return result;
}

// XmlLite's errors carry no text that FormatMessage knows: the usual ones are named here.
std::string describe(HRESULT result) {
  static const struct {
    unsigned long code;  // XmlLite lists its errors as unsigned values
    const char* text;
  } kKnown[] = {
      {MX_E_INPUTEND, "the document ends too early"},
      {MX_E_ENCODING, "a byte does not fit the document's encoding"},
      {WC_E_GREATERTHAN, "'>' expected"},
      {WC_E_SEMICOLON, "';' expected after an entity reference"},
      {WC_E_QUOTE, "a quote expected"},
      {WC_E_LESSTHAN, "'<' where it may not stand"},
      {WC_E_XMLCHARACTER, "a character XML does not allow"},
      {WC_E_NAMECHARACTER, "a character no name may hold"},
      {WC_E_SYNTAX, "syntax error"},
      {WC_E_ELEMENTMATCH, "the end tag does not match the start tag"},
      {WC_E_UNDECLAREDENTITY, "an undefined entity"},
      {WC_E_MOREDATA, "content after the root element"},
      {NC_E_UNDECLAREDPREFIX, "an undeclared namespace prefix"},
      {SC_E_MAXENTITYEXPANSION, "entities expand beyond the limit"},
  };
  for (const auto& known : kKnown) {
    if (known.code == static_cast<unsigned long>(result)) return known.text;
  }
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
  return std::string("XmlLite error ") + code;
}

std::string currentName(IXmlReader& reader) {
  const WCHAR* name = nullptr;
  UINT length = 0;
  return SUCCEEDED(reader.GetQualifiedName(&name, &length)) ? utf8(name, length) : std::string();
}

std::string currentValue(IXmlReader& reader) {
  const WCHAR* value = nullptr;
  UINT length = 0;
  return SUCCEEDED(reader.GetValue(&value, &length)) ? utf8(value, length) : std::string();
}

// The element the reader stands on, with its attributes, handed to the writer.
bool startElement(IXmlReader& reader, AdxToAdifWriter& writer) {
  const std::string name = currentName(reader);
  const bool empty = reader.IsEmptyElement();  // only valid before moving to the attributes
  XmlAttributes attributes;
  for (HRESULT at = reader.MoveToFirstAttribute(); at == S_OK; at = reader.MoveToNextAttribute()) {
    attributes.emplace_back(currentName(reader), currentValue(reader));
  }
  reader.MoveToElement();
  if (!writer.startElement(name, attributes)) return false;
  if (empty) writer.endElement();
  return true;
}

}  // namespace

std::optional<std::string> adxToAdif(std::string_view xml, std::string& error) {
  if (xml.size() > UINT_MAX) {
    error = "too large for the XML reader";
    return std::nullopt;
  }
  const Library library(LoadLibraryExW(L"xmllite.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  const auto createReader =
      library ? reinterpret_cast<CreateXmlReaderFunction>(
                    reinterpret_cast<void*>(GetProcAddress(library.get(), "CreateXmlReader")))
              : nullptr;
  if (createReader == nullptr) {
    error = "cannot load the system's XML reader (xmllite.dll) to read ADX";
    return std::nullopt;
  }
  // Declared after the library, so that they are released before it is unloaded.
  ComPtr<IStream> stream;
  stream.Attach(
      SHCreateMemStream(reinterpret_cast<const BYTE*>(xml.data()), static_cast<UINT>(xml.size())));
  ComPtr<IXmlReader> reader;
  if (!stream || FAILED(createReader(__uuidof(IXmlReader),
                                     reinterpret_cast<void**>(reader.GetAddressOf()), nullptr))) {
    error = "cannot start the system's XML reader";
    return std::nullopt;
  }
  // A document type declaration with entities is well-formed XML: parse it (the default refuses
  // it), with XmlLite's own limit on entity expansion.
  reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Parse);
  HRESULT result = reader->SetInput(stream.Get());

  AdxToAdifWriter writer;
  bool anyElement = false;
  XmlNodeType node = XmlNodeType_None;
  while (SUCCEEDED(result) && (result = reader->Read(&node)) == S_OK) {
    switch (node) {
      case XmlNodeType_Element:
        anyElement = true;
        if (!startElement(*reader.Get(), writer)) {
          error = writer.error();
          return std::nullopt;
        }
        break;
      case XmlNodeType_EndElement:
        writer.endElement();
        break;
      case XmlNodeType_Text:
      case XmlNodeType_CDATA:
      case XmlNodeType_Whitespace:
        writer.text(currentValue(*reader.Get()));
        break;
      default:
        break;
    }
  }
  if (FAILED(result) || !anyElement) {
    UINT line = 0;
    UINT column = 0;
    reader->GetLineNumber(&line);
    reader->GetLinePosition(&column);
    error = "not well-formed XML at line " + std::to_string(line) + ", column " +
            std::to_string(column) + ": " +
            (FAILED(result) ? describe(result) : std::string("no root element"));
    return std::nullopt;
  }
  return writer.finish();
}

}  // namespace zrv_score
