// Fuzz target: zrv-score's ADIF reader and the mapping of its records to QSOs, on any bytes.
// Beyond surviving: reading ends, records are numbered 1, 2, 3... in order, every field is a view
// into the input, the reader's position only moves forward and ends at the end, a record with a
// problem gives no QSO, and a QSO without a problem has a call and a real date.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/zrv-score/adif_qso.h"
#include "tools/zrv-score/adif_reader.h"

namespace {

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "adif fuzzer: %s\n", what);
    std::abort();
  }
}

struct Input {
  std::string_view bytes;

  bool holds(std::string_view part) const {
    return part.empty() || (part.data() >= bytes.data() &&
                            part.data() + part.size() <= bytes.data() + bytes.size());
  }
  bool holds(const zrv_score::AdifField& field) const {
    return holds(field.name) && holds(field.value) && holds(field.type);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Input input{std::string_view(reinterpret_cast<const char*>(data), size)};
  zrv_score::AdifReader reader(input.bytes);
  for (const zrv_score::AdifField& field : reader.headerFields()) {
    check(input.holds(field), "a header field outside the input");
  }

  zrv_score::AdifRecord record;
  std::size_t count = 0;
  std::size_t position = reader.position();
  check(position <= size, "the position is past the end");
  while (reader.next(record)) {
    check(record.number == ++count, "records are not numbered in order");
    // Each record holds at least one tag: there cannot be more of them than bytes.
    check(count <= size, "more records than bytes");
    check(reader.position() >= position && reader.position() <= size, "the position went wrong");
    position = reader.position();
    check(record.offset < size, "a record starts past the end");
    for (const zrv_score::AdifField& field : record.fields) {
      check(input.holds(field), "a field outside the input");
      check(record.find(field.name) != nullptr, "a field cannot be found by its name");
    }

    const zrv_score::AdifQso qso = zrv_score::qsoFromRecord(record);
    if (!record.ok()) check(!qso.ok(), "a record with a problem gave a QSO");
    if (qso.ok()) {
      check(!qso.call.empty(), "a QSO without a call");
      check(qso.dateValid && std::isfinite(qso.oleDate) && qso.oleDate >= 10959.0,
            "a QSO without a date from 1930 on");
    } else {
      check(!qso.dateValid, "a QSO with a problem has a valid date");
    }
  }
  check(reader.position() == size, "reading ended before the end");
  return 0;
}
