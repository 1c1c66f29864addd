// The decorated name of every entry point in api/exports.list against its prototype in
// stats_api.h: a host compiled against those prototypes as C++ links against exactly this name.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "api/stats_exports.h"

namespace {

// A pointer of a 64-bit target carries the marker "E".
const std::string kPointer = sizeof(void*) == 8 ? "PE" : "P";

template <typename T>
std::string typeCode();
template <>
std::string typeCode<void>() {
  return "X";
}
template <>
std::string typeCode<int>() {
  return "H";
}
template <>
std::string typeCode<unsigned int>() {
  return "I";
}
template <>
std::string typeCode<double>() {
  return "N";
}
template <>
std::string typeCode<const char*>() {
  return kPointer + "BD";
}
template <>
std::string typeCode<char*>() {
  return kPointer + "AD";
}
template <>
std::string typeCode<int*>() {
  return kPointer + "AH";
}
template <>
std::string typeCode<COleDateTime*>() {
  return kPointer + "AVCOleDateTime@@";
}

// A free cdecl function: "?name@@YA", the result, the parameters ("X" for none), the end. A
// parameter type of more than one letter seen before is written as the digit of its first place.
template <typename Result, typename... Parameters>
std::string decoratedName(std::string_view baseName, Result (*)(Parameters...)) {
  std::string name = "?" + std::string(baseName) + "@@YA" + typeCode<Result>();
  if constexpr (sizeof...(Parameters) == 0) {
    return name + "XZ";
  } else {
    std::vector<std::string> remembered;
    for (const std::string& code : {typeCode<Parameters>()...}) {
      const auto found = std::find(remembered.begin(), remembered.end(), code);
      if (found != remembered.end()) {
        name += static_cast<char>('0' + (found - remembered.begin()));
        continue;
      }
      if (code.size() > 1 && remembered.size() < 10) remembered.push_back(code);
      name += code;
    }
    return name + "@Z";
  }
}

std::string_view baseNameOf(std::string_view decorated) {
  return decorated.substr(1, decorated.find("@@") - 1);
}

TEST(ExportNames, EveryDecoratedNameMatchesItsPrototype) {
#define STATS_CHECK_EXPORT(name, function, decorated) \
  EXPECT_EQ(decoratedName(baseNameOf(decorated), decltype(&::name){}), decorated) << #name;
  STATS_EXPORT_LIST(STATS_CHECK_EXPORT)
#undef STATS_CHECK_EXPORT
}

}  // namespace
