// From an ADIF record to the values of one QSO as the plug-in's AddData0 takes them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "tools/zrv-score/adif_reader.h"
#include "tools/zrv-score/band_plan.h"

namespace zrv_score {

struct AdifQso {
  std::string call;
  // QSO_DATE and TIME_ON (UTC) as an OLE Automation date: days since 1899-12-30, the fraction the
  // time of day. Valid in every QSO without a problem.
  double oleDate = 0.0;
  bool dateValid = false;
  // The frequency handed over, in Hz, and where it came from (see band_plan.h): FREQ, FREQ read
  // as kHz or Hz, or the band's lowest frequency.
  unsigned int frequencyHz = 0;
  FrequencySource frequencySource = FrequencySource::freq;
  // "CW"; "SSB" for SSB, USB and LSB (any case); any other mode as written.
  std::string mode;
  // BAND in lower case ("160m", "20m", "70cm"...); without BAND, the contest band (160m to 10m)
  // that holds FREQ, or "" when none does.
  std::string band;
  // STX_STRING, else STX; a serial number with fewer than three digits zero-padded to three, as
  // the logger hands its serials over ("001", "048", "1234").
  std::string sentSerial;
  std::string receivedExchange;  // SRX_STRING, else SRX
  std::string prefix;            // PFX
  // Why the record gives no QSO (its own problem, no CALL, no or a bad date or time, a FREQ that is
  // no number where BAND names no contest band, one field twice with different values); empty
  // when it gives one.
  std::string problem;

  bool ok() const { return problem.empty(); }
};

// Field values are taken without surrounding blanks and line ends; an empty value counts as no
// field.
AdifQso qsoFromRecord(const AdifRecord& record);

// A serial number as the logger hands it over: at least three digits ("7" gives "007"). Anything
// else as written.
std::string loggerSerial(std::string_view sent);

// A date YYYYMMDD (from 1930 on) and a time HHMM or HHMMSS, UTC, as the OLE date QSO_DATE and
// TIME_ON give; nothing when either is not one.
std::optional<double> oleDateOf(std::string_view date, std::string_view time);

}  // namespace zrv_score
