// The score of a log as one self-contained HTML page: no script, nothing fetched from elsewhere;
// inline CSS and SVG only.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "tools/zrv-score/host_qso.h"

namespace zrv_score {

// One leg of one log as scored through the plug-in.
struct HtmlLegReport {
  std::string logName;  // the log's file name
  std::string ownCall;
  std::string ownDxcc;  // the own station's DXCC prefix ("ON" for a Belgian station)
  bool belgianStation = false;
  std::string ownProvince;  // the settings' Province (a Belgian station's sent exchange)
  std::string leg;          // "CW" or "SSB"
  std::string reportText;   // what GetResult0 returned, or the table made of it
  // The QSOs the plug-in took, in the order they were handed over, each once (exact duplicates
  // left out).
  std::vector<HostQso> qsos;
  // The period the chart spans, as OLE dates (days since 1899-12-30, UTC): the contest period
  // given with --from/--to, else the first and the last QSO's time.
  double periodStart = 0.0;
  double periodEnd = 0.0;
  // Records of the log not handed to the plug-in or not counted, by cause (cause text, count), in
  // the order the summary line gives them; causes with no record are left out.
  std::vector<std::pair<std::string, std::size_t>> leftOut;
  std::size_t recordsRead = 0;
};

// The page: for each leg the score table, the multipliers per band as a grid (for a station
// outside Belgium the 11 provinces and the 48 European-Union prefixes, worked or still needed,
// and the ON prefixes worked; for a Belgian station the DXCC entities per band), the QSOs per
// hour per band as an SVG bar chart over the period, and what was left out and why.
std::string htmlReport(std::span<const HtmlLegReport> legs);

}  // namespace zrv_score
