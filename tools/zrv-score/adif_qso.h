// From an ADIF record to the values of one QSO as the plug-in's AddData0 takes them.
#pragma once

#include <string>

#include "tools/zrv-score/adif_reader.h"

namespace zrv_score {

struct AdifQso {
  std::string call;
  // QSO_DATE and TIME_ON (UTC) as an OLE Automation date: days since 1899-12-30, the fraction the
  // time of day. Valid in every QSO without a problem.
  double oleDate = 0.0;
  bool dateValid = false;
  unsigned int frequencyHz = 0;  // FREQ (MHz) rounded to the nearest Hz; 0 when the record has none
  // "CW"; "SSB" for SSB, USB and LSB (any case); any other mode as written.
  std::string mode;
  // BAND in lower case ("160m", "20m", "70cm"...); without BAND, the contest band (160m to 10m)
  // that holds FREQ, or "" when none does.
  std::string band;
  std::string sentSerial;        // STX_STRING, else STX
  std::string receivedExchange;  // SRX_STRING, else SRX
  std::string prefix;            // PFX
  // Why the record gives no QSO (its own problem, no CALL, no or a bad date, time or frequency,
  // one field twice with different values); empty when it gives one.
  std::string problem;

  bool ok() const { return problem.empty(); }
};

// Field values are taken without surrounding blanks and line ends; an empty value counts as no
// field.
AdifQso qsoFromRecord(const AdifRecord& record);

}  // namespace zrv_score
