// Reading of ADIF logs (.adi files): the header and the records, one record at a time, over the
// file's bytes held in memory.
//
// A field is written <NAME:LENGTH> or <NAME:LENGTH:TYPE> followed by exactly LENGTH bytes of value,
// which may hold any bytes, '<', '>' and line ends included. Field names and the <EOH> / <EOR>
// markers are case-insensitive; text between fields is ignored. A file whose first byte is not '<'
// starts with a header, which ends at <EOH>; a file starting with '<' has none, unless an <EOH>
// comes before the first <EOR> (files written with their header fields first and no header text).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tools/zrv-score/text.h"

namespace zrv_score {

struct AdifField {
  std::string_view name;  // as written; compare with equalsIgnoringCase
  std::string_view value;
  std::string_view type;  // the data-type indicator, empty when none was given
};

struct AdifRecord {
  std::size_t number = 0;  // 1-based, in file order; empty records (a bare <EOR>) are not counted
  std::size_t offset = 0;  // byte offset of the record's first tag
  std::vector<AdifField> fields;  // in file order; views into the reader's bytes
  // Why the record cannot be used (malformed tag, a length past the end of the file, no <EOR>
  // before the end of the file); empty for a record read whole. The first problem is kept.
  std::string problem;

  bool ok() const { return problem.empty(); }
  // The first field of that name (case-insensitive), or null.
  const AdifField* find(std::string_view name) const;
};

// Bytes for a message: at most maxBytes of them (then "..."), anything unprintable as \xNN.
std::string printableBytes(std::string_view bytes, std::size_t maxBytes = 40);

class AdifReader {
 public:
  // The bytes are not copied: they must outlive the reader and the records it fills.
  explicit AdifReader(std::string_view bytes);

  // Fills the next record; false once no record is left (the record is then left empty).
  // A record with a problem is still returned, with its number and message, so that the caller
  // can report it and go on with the next one.
  bool next(AdifRecord& record);

  // The header's fields (ADIF_VER, PROGRAMID, USERDEFn...), empty when there is no header.
  const std::vector<AdifField>& headerFields() const { return header_; }
  // A remark on the header worth telling the user, empty when all is well: a header text with no
  // <EOH>, whose records are then read from the first tag on.
  const std::string& headerNotice() const { return headerNotice_; }

  // Bytes consumed so far, for progress reports.
  std::size_t position() const { return position_; }
  std::size_t size() const { return bytes_.size(); }

 private:
  void readHeader();

  std::string_view bytes_;
  std::size_t position_ = 0;
  std::size_t recordCount_ = 0;
  std::vector<AdifField> header_;
  std::string headerNotice_;
};

}  // namespace zrv_score
