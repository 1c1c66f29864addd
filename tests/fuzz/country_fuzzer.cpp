// Fuzz target: zrv-score's country-file parser on any text, and the resolution of calls taken from
// that text (its words, alone and in the shapes of portable and foreign operation) and made from
// the entities it defines. Beyond surviving: a resolved entity is one of the file's, its DXCC
// prefix is what dxccPrefix gives, a call resolves as its normalised form does, and the problems
// stay within their bound.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "tools/zrv-score/call_prefix.h"
#include "tools/zrv-score/country_file.h"

namespace {

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "country fuzzer: %s\n", what);
    std::abort();
  }
}

// Up to `limit` words of the text, split at the country file's separators and blanks.
std::vector<std::string_view> words(std::string_view text, std::size_t limit) {
  std::vector<std::string_view> found;
  std::size_t start = 0;
  while (start < text.size() && found.size() < limit) {
    const std::size_t end = std::min(text.find_first_of(",;:= \t\r\n", start), text.size());
    if (end > start) found.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return found;
}

void resolveCall(const zrv_score::CountryFile& file, std::string_view call) {
  const zrv_score::Entity* entity = file.resolve(call);
  const auto& entities = file.entities();
  check(entity == nullptr ||
            (entity >= entities.data() && entity < entities.data() + entities.size()),
        "a resolved entity is not one of the file's");
  const std::string_view prefix = file.dxccPrefix(call);
  check(entity == nullptr ? prefix.empty() : prefix == entity->dxccPrefix,
        "dxccPrefix disagrees with resolve");
  check(file.resolve(zrv_score::normalizedCall(call)) == entity,
        "a call and its normalised form resolve differently");
  // The prefix the tool hands over when a log has none: only its survival is at stake here.
  static_cast<void>(zrv_score::wpxPrefix(call));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const zrv_score::CountryFile file = zrv_score::CountryFile::parse(text);
  check(file.problems().size() <= zrv_score::CountryFile::kMaxProblems + 1, "too many problems");
  for (const zrv_score::Entity& entity : file.entities()) {
    check(!entity.primaryPrefix.empty() && !entity.dxccPrefix.empty(), "an entity without prefix");
  }

  for (const std::string_view word : words(text, 32)) {
    const std::string call(word);
    for (const std::string& shape : {call, call + "/P", call + "/MM", "DL/" + call, call + "/4",
                                     call + "/ON", "ON4ABC/" + call}) {
      resolveCall(file, shape);
    }
  }
  std::size_t made = 0;
  for (const zrv_score::Entity& entity : file.entities()) {
    if (++made > 16) break;
    resolveCall(file, entity.primaryPrefix + "1ABC");
    resolveCall(file, entity.primaryPrefix + "/DL1ABC");
  }
  return 0;
}
