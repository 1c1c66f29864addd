#include "tools/zrv-score/html_report.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <map>
#include <optional>
#include <string_view>

#include "core/contest/qso_accounting.h"
#include "core/log/ole_date_time.h"
#include "core/rules/contest_rules.h"
#include "tools/zrv-score/version.h"

namespace zrv_score {
namespace {

using stats::kContestBandCount;
using stats::kContestBands;
using stats::MultiplierKind;

// ---- Text

// The length of the well-formed UTF-8 sequence at the start of `text`, or 0 when there is none.
std::size_t utf8SequenceLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong form
    if (lead == 0xED) high = 0x9F;  // no surrogate
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;  // nothing past U+10FFFF
  } else {
    return 0;
  }
  if (text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// Text of the log or of the plug-in, as HTML text or attribute value. Loggers write their files in
// UTF-8 or in an 8-bit code page: a byte that starts no UTF-8 sequence is taken as Windows-1252,
// which is what HTML makes of a numeric reference below 256. Control characters other than tab and
// line ends have no place in a page and show as the replacement character.
void appendEscaped(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x80) {
      if (const std::size_t length = utf8SequenceLength(text.substr(i))) {
        out.append(text.substr(i, length));
        i += length;
      } else {
        out.append("&#x").append(1, kHex[byte >> 4]).append(1, kHex[byte & 0xF]).append(";");
        ++i;
      }
      continue;
    }
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&#39;";
        break;
      case '\t':
      case '\n':
        out += c;
        break;
      case '\r':
        break;  // the report's CR LF line ends: LF is enough
      default:
        if (byte < 0x20 || byte == 0x7F) {
          out += "&#xFFFD;";
        } else {
          out += c;
        }
    }
    ++i;
  }
}

std::string escaped(std::string_view text) {
  std::string out;
  appendEscaped(out, text);
  return out;
}

// A coordinate in the chart, to a tenth: locale-independent.
std::string number(double value) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                    std::chars_format::fixed, 1);
  std::string text(buffer.data(), result.ptr);
  if (text.ends_with(".0")) text.resize(text.size() - 2);
  return text;
}

std::string number(std::size_t value) {
  return std::to_string(value);
}

// ---- Time

constexpr std::int64_t kSecondsPerDay = 86400;
constexpr std::int64_t kSecondsPerHour = 3600;

std::int64_t floorDivide(std::int64_t value, std::int64_t divisor) {
  const std::int64_t quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

// An OLE date as seconds since 1899-12-30 00:00 on a straight time line, rounded to the nearest
// second as the plug-in rounds when it prints a time. A negative day count keeps its time of day
// as the absolute value of the fraction. Nothing for a value no date can have.
std::optional<std::int64_t> oleSeconds(double oleDate) {
  if (!std::isfinite(oleDate) || std::fabs(oleDate) > 1e7) return std::nullopt;
  const double halfSecond = 0.5 / static_cast<double>(kSecondsPerDay);
  const double rounded = oleDate + (oleDate >= 0 ? halfSecond : -halfSecond);
  const auto day = static_cast<std::int64_t>(rounded);
  const double magnitude = std::fabs(rounded);
  const auto second = static_cast<std::int64_t>((magnitude - std::floor(magnitude)) *
                                                static_cast<double>(kSecondsPerDay));
  return day * kSecondsPerDay + std::min(second, kSecondsPerDay - 1);
}

// The time line's second as the plug-in's date formatting prints it ("%Y-%m-%d %H:%M").
std::string formatSeconds(std::int64_t seconds, std::string_view format) {
  const std::int64_t day = floorDivide(seconds, kSecondsPerDay);
  const double fraction =
      static_cast<double>(seconds - day * kSecondsPerDay) / static_cast<double>(kSecondsPerDay);
  const double oleDate = static_cast<double>(day) + (day >= 0 ? fraction : -fraction);
  return stats::formatDateTime(COleDateTime{oleDate, COleDateTimeValid}, format);
}

// ---- The QSOs as the plug-in counts them

// A QSO as the plug-in's log holds it, on a contest band: what the grid and the chart show.
struct CountedQso {
  stats::CInfo record;
  std::size_t band = 0;  // index into kContestBands
};

// The QSOs the plug-in would count, each record built by the plug-in's own accounting code so that
// the multiplier of each is the one the score table counts. A record without a call counts for
// nothing there, and a band outside the six has no column here.
std::vector<CountedQso> countedQsos(const HtmlLegReport& leg) {
  std::vector<CountedQso> counted;
  counted.reserve(leg.qsos.size());
  for (const HostQso& qso : leg.qsos) {
    stats::QsoArguments arguments;
    arguments.call = qso.call;
    arguments.qsoTime = qso.time;
    arguments.frequencyHz = qso.frequencyHz;
    arguments.mode = qso.mode;
    arguments.sentSerial = qso.sentSerial;
    arguments.receivedExchange = qso.receivedExchange;
    arguments.callPrefix = qso.callPrefix;
    arguments.dxccPrefix = qso.dxccPrefix;
    arguments.band = qso.band;
    if (!stats::acceptableQso(arguments)) continue;
    CountedQso entry{stats::buildRecord(arguments, leg.belgianStation, leg.ownProvince), 0};
    const std::optional<std::size_t> band = stats::contestBandIndex(entry.record.band);
    if (!band || entry.record.call.empty()) continue;
    entry.band = *band;
    counted.push_back(std::move(entry));
  }
  return counted;
}

// ---- Multipliers per band

struct MultiplierRow {
  std::string value;
  std::array<bool, kContestBandCount> worked{};
  std::size_t bands() const {
    return static_cast<std::size_t>(std::count(worked.begin(), worked.end(), true));
  }
};

struct MultiplierGrid {
  MultiplierKind kind = MultiplierKind::dxcc;
  std::vector<MultiplierRow> rows;
  std::array<std::size_t, kContestBandCount> perBand{};  // what the score table counts per band
};

// The values of a kind the contest lists in advance, which the grid shows worked or still needed.
std::vector<std::string_view> listedValues(MultiplierKind kind) {
  switch (kind) {
    case MultiplierKind::province:
      // In the province window's order.
      return {stats::kBelgianProvinces.begin(), stats::kBelgianProvinces.end()};
    case MultiplierKind::euCountry: {
      std::vector<std::string_view> prefixes(stats::kEuropeanUnionPrefixes.begin(),
                                             stats::kEuropeanUnionPrefixes.end());
      std::sort(prefixes.begin(), prefixes.end());
      return prefixes;
    }
    case MultiplierKind::dxcc:
    case MultiplierKind::onPrefix:
      break;
  }
  return {};
}

// One grid for each multiplier kind the own station's side counts: the listed values first, then,
// sorted, every other value worked (an ON prefix, a DXCC entity, a province typed other than the
// eleven, which the plug-in counts all the same).
std::vector<MultiplierGrid> multiplierGrids(const HtmlLegReport& leg,
                                            const std::vector<CountedQso>& qsos) {
  std::vector<MultiplierGrid> grids;
  for (const MultiplierKind kind : stats::countedMultipliers(leg.belgianStation)) {
    MultiplierGrid grid;
    grid.kind = kind;
    std::map<std::string, MultiplierRow> others;
    for (const std::string_view value : listedValues(kind)) {
      grid.rows.push_back(MultiplierRow{std::string(value), {}});
    }
    for (const CountedQso& qso : qsos) {
      const std::string& value = stats::multiplierValue(qso.record, kind);
      if (value.empty() && !stats::emptyValueCounts(kind)) continue;
      const auto listed =
          std::find_if(grid.rows.begin(), grid.rows.end(),
                       [&](const MultiplierRow& row) { return row.value == value; });
      MultiplierRow& row = listed != grid.rows.end() ? *listed : others[value];
      row.value = value;
      row.worked[qso.band] = true;
    }
    for (auto& [value, row] : others) grid.rows.push_back(std::move(row));
    for (const MultiplierRow& row : grid.rows) {
      for (std::size_t band = 0; band < kContestBandCount; ++band)
        grid.perBand[band] += row.worked[band];
    }
    grids.push_back(std::move(grid));
  }
  return grids;
}

std::string_view gridTitle(MultiplierKind kind) {
  switch (kind) {
    case MultiplierKind::dxcc:
      return "DXCC entities";
    case MultiplierKind::province:
      return "ON provinces";
    case MultiplierKind::onPrefix:
      return "ON prefixes";
    case MultiplierKind::euCountry:
      break;
  }
  return "European-Union countries";
}

// Rows of one table at most: a long list is set in columns side by side, of even length.
constexpr std::size_t kGridRowsPerTable = 24;

// One table of a grid's rows; `totals`, given for the grid's last table, adds the multipliers
// per band as the score table counts them, and their sum.
void appendGridTable(std::string& out, std::span<const MultiplierRow> rows, bool listed,
                     const MultiplierGrid* totals) {
  out += "<table class=\"grid\"><thead><tr><th></th>";
  // The band names without their "m": the columns stay narrow enough for three tables abreast.
  for (const std::string_view band : kContestBands) {
    out.append("<th>").append(band.substr(0, band.size() - 1)).append("</th>");
  }
  out += "<th class=\"count\">bands</th></tr></thead><tbody>\n";
  for (const MultiplierRow& row : rows) {
    const std::string label = row.value.empty() ? "(no entity)" : escaped(row.value);
    const bool needed = listed && row.bands() == 0;
    out.append(needed ? "<tr class=\"needed\"><th>" : "<tr><th>").append(label).append("</th>");
    for (std::size_t band = 0; band < kContestBandCount; ++band) {
      const bool worked = row.worked[band];
      out.append(worked ? "<td class=\"w\" title=\"" : "<td title=\"")
          .append(label)
          .append(" ")
          .append(kContestBands[band])
          .append(worked ? ": worked\">&#x2713;</td>" : ": not worked\"></td>");
    }
    out.append("<td class=\"count\">").append(number(row.bands())).append("</td></tr>\n");
  }
  out += "</tbody>";
  if (totals != nullptr) {
    std::size_t sum = 0;
    out += "<tfoot><tr><th>total</th>";
    for (const std::size_t count : totals->perBand) {
      out += "<td>" + number(count) + "</td>";
      sum += count;
    }
    out += "<td class=\"count\">" + number(sum) + "</td></tr></tfoot>";
  }
  out += "</table>\n";
}

void appendGrid(std::string& out, const MultiplierGrid& grid) {
  const std::size_t listedCount = listedValues(grid.kind).size();
  const bool listed = listedCount > 0;
  const auto worked = [&](std::size_t first, std::size_t end) {
    return static_cast<std::size_t>(
        std::count_if(grid.rows.begin() + static_cast<std::ptrdiff_t>(first),
                      grid.rows.begin() + static_cast<std::ptrdiff_t>(end),
                      [](const MultiplierRow& row) { return row.bands() > 0; }));
  };
  out.append("<div class=\"kind\"><h4>").append(gridTitle(grid.kind)).append(": ");
  if (listed) {
    out += number(worked(0, listedCount)) + " of " + number(listedCount) + " worked";
    // Values off the list (a province mistyped in the log) count all the same.
    const std::size_t others = grid.rows.size() - listedCount;
    if (others > 0) out += ", and " + number(others) + " not on the list";
  } else {
    out += number(grid.rows.size()) + " worked";
  }
  out += "</h4>\n";
  if (grid.rows.empty()) {
    out += "<p>None worked.</p></div>\n";
    return;
  }
  out += "<div class=\"tables\">\n";
  const std::size_t tables = (grid.rows.size() + kGridRowsPerTable - 1) / kGridRowsPerTable;
  const std::size_t perTable = (grid.rows.size() + tables - 1) / tables;
  const std::span<const MultiplierRow> rows(grid.rows);
  for (std::size_t first = 0; first < rows.size(); first += perTable) {
    const std::size_t count = std::min(perTable, rows.size() - first);
    appendGridTable(out, rows.subspan(first, count), listed,
                    first + count == rows.size() ? &grid : nullptr);
  }
  out += "</div></div>\n";
}

// ---- QSOs per hour

// One colour per band, 160 m to 10 m, told apart in print and by most colour-blind readers.
constexpr std::array<std::string_view, kContestBandCount> kBandColours = {
    "#332288", "#117733", "#44AA99", "#88CCEE", "#DDCC77", "#CC6677"};

// More hours than bars are shown as bars of several hours each.
constexpr std::int64_t kMostBars = 96;

struct HourChart {
  std::int64_t firstHour = 0;  // hours since 1899-12-30 00:00 UTC
  std::int64_t hoursPerBar = 1;
  std::vector<std::array<std::size_t, kContestBandCount>> bars;
  std::size_t undated = 0;  // QSOs whose time is no date, which no bar can hold
};

// The bars span the clock hours from the period's start to its end, widened to take in any QSO
// outside it so that every QSO is in a bar.
HourChart hourChart(const HtmlLegReport& leg, const std::vector<CountedQso>& qsos) {
  HourChart chart;
  std::vector<std::pair<std::int64_t, std::size_t>> dated;  // second, band
  for (const CountedQso& qso : qsos) {
    const std::optional<std::int64_t> second = qso.record.time.m_status == COleDateTimeValid
                                                   ? oleSeconds(qso.record.time.m_dt)
                                                   : std::nullopt;
    if (second) {
      dated.emplace_back(*second, qso.band);
    } else {
      ++chart.undated;
    }
  }
  if (dated.empty()) return chart;
  std::int64_t first = dated.front().first, last = first;
  for (const auto& [second, band] : dated) {
    first = std::min(first, second);
    last = std::max(last, second);
  }
  const std::optional<std::int64_t> start = oleSeconds(leg.periodStart);
  const std::optional<std::int64_t> end = oleSeconds(leg.periodEnd);
  if (start && end && *start <= *end) {
    first = std::min(first, *start);
    last = std::max(last, *end);
  }
  chart.firstHour = floorDivide(first, kSecondsPerHour);
  const std::int64_t hours = floorDivide(last, kSecondsPerHour) - chart.firstHour + 1;
  chart.hoursPerBar = (hours + kMostBars - 1) / kMostBars;
  chart.bars.resize(static_cast<std::size_t>((hours + chart.hoursPerBar - 1) / chart.hoursPerBar));
  for (const auto& [second, band] : dated) {
    const std::int64_t hour = floorDivide(second, kSecondsPerHour) - chart.firstHour;
    ++chart.bars[static_cast<std::size_t>(hour / chart.hoursPerBar)][band];
  }
  return chart;
}

// A step for the QSO axis of 1, 2 or 5 times a power of ten, giving at most five steps.
std::size_t axisStep(std::size_t highest) {
  for (std::size_t power = 1;; power *= 10) {
    for (const std::size_t step : {power, 2 * power, 5 * power}) {
      if (step * 5 >= highest) return step;
    }
  }
}

void appendChart(std::string& out, const HourChart& chart) {
  if (chart.bars.empty()) {
    out += "<p>No QSO to chart.</p>\n";
    return;
  }
  constexpr double kWidth = 960, kHeight = 300;
  constexpr double kLeft = 46, kRight = 10, kTop = 34, kBottom = 42;
  const double plotWidth = kWidth - kLeft - kRight, plotHeight = kHeight - kTop - kBottom;
  const double slot = plotWidth / static_cast<double>(chart.bars.size());
  const double barWidth = std::max(1.0, slot * 0.8);
  const double axisY = kTop + plotHeight;

  std::size_t highest = 1;
  for (const auto& bar : chart.bars) {
    std::size_t total = 0;
    for (const std::size_t count : bar) total += count;
    highest = std::max(highest, total);
  }
  const std::size_t step = axisStep(highest);
  const std::size_t top = (highest + step - 1) / step * step;
  const auto y = [&](std::size_t count) {
    return axisY - plotHeight * static_cast<double>(count) / static_cast<double>(top);
  };

  out += "<svg class=\"chart\" viewBox=\"0 0 " + number(kWidth) + " " + number(kHeight) +
         "\" role=\"img\" aria-label=\"QSOs per hour and band\">\n";
  // The legend, across the top.
  double legendX = kLeft;
  for (std::size_t band = 0; band < kContestBandCount; ++band) {
    out += "<rect x=\"" + number(legendX) + "\" y=\"8\" width=\"12\" height=\"12\" fill=\"" +
           std::string(kBandColours[band]) + "\"/><text x=\"" + number(legendX + 16) +
           "\" y=\"18\">" + std::string(kContestBands[band]) + "</text>\n";
    legendX += 70;
  }
  // The QSO axis with its grid lines.
  for (std::size_t count = 0; count <= top; count += step) {
    const std::string lineY = number(y(count));
    out += "<line class=\"" + std::string(count == 0 ? "axis" : "rule") + "\" x1=\"" +
           number(kLeft) + "\" x2=\"" + number(kWidth - kRight) + "\" y1=\"" + lineY + "\" y2=\"" +
           lineY + "\"/><text class=\"y\" x=\"" + number(kLeft - 6) + "\" y=\"" +
           number(y(count) + 4) + "\">" + number(count) + "</text>\n";
  }
  // Hour labels: as many as fit, and the date under the first bar and each bar starting a day.
  const std::size_t labelEvery = std::max<std::size_t>(1, static_cast<std::size_t>(32.0 / slot));
  const std::string barTime =
      chart.hoursPerBar == 1 ? "" : " (" + std::to_string(chart.hoursPerBar) + " h)";
  for (std::size_t index = 0; index < chart.bars.size(); ++index) {
    const std::int64_t hour =
        chart.firstHour + static_cast<std::int64_t>(index) * chart.hoursPerBar;
    const std::int64_t second = hour * kSecondsPerHour;
    const double x = kLeft + slot * static_cast<double>(index) + (slot - barWidth) / 2;
    const std::string centre = number(x + barWidth / 2);
    const std::string when = formatSeconds(second, "%Y-%m-%d %H:%M") + " UTC" + barTime;
    std::size_t below = 0;
    for (std::size_t band = 0; band < kContestBandCount; ++band) {
      const std::size_t count = chart.bars[index][band];
      if (count == 0) continue;
      out += "<rect class=\"bar\" x=\"" + number(x) + "\" y=\"" + number(y(below + count)) +
             "\" width=\"" + number(barWidth) + "\" height=\"" +
             number(y(below) - y(below + count)) + "\" fill=\"" + std::string(kBandColours[band]) +
             "\"><title>" + when + ", " + std::string(kContestBands[band]) + ": " + number(count) +
             (count == 1 ? " QSO" : " QSOs") + "</title></rect>\n";
      below += count;
    }
    if (below > 0 && slot >= 16) {
      out += "<text class=\"total\" x=\"" + centre + "\" y=\"" + number(y(below) - 3) + "\">" +
             number(below) + "</text>\n";
    }
    if (index % labelEvery == 0) {
      out += "<text class=\"x\" x=\"" + centre + "\" y=\"" + number(axisY + 14) + "\">" +
             formatSeconds(second, "%H") + "</text>\n";
    }
    if (index == 0 ||
        floorDivide(second, kSecondsPerDay) !=
            floorDivide(second - chart.hoursPerBar * kSecondsPerHour, kSecondsPerDay)) {
      out += "<text class=\"date\" x=\"" + number(x) + "\" y=\"" + number(axisY + 30) + "\">" +
             formatSeconds(second, "%Y-%m-%d") + "</text>\n";
    }
  }
  out += "</svg>\n";
}

// ---- The page

constexpr std::string_view kStyle = R"(
:root { color: #1b1f24; background: #fff; }
body { font-family: "Segoe UI", "Helvetica Neue", Arial, "Liberation Sans", "DejaVu Sans", sans-serif;
  font-size: 15px; line-height: 1.4; max-width: 1100px; margin: 0 auto; padding: 16px 20px; }
h1 { font-size: 26px; margin: 0 0 4px; }
h2 { font-size: 22px; margin: 28px 0 2px; padding-top: 12px; border-top: 3px solid #1b1f24; }
h3 { font-size: 17px; margin: 22px 0 6px; border-bottom: 1px solid #c8ccd1; }
h4 { font-size: 15px; margin: 14px 0 0; }
p { margin: 4px 0; }
.facts { color: #444; }
.claimed { font-size: 18px; font-weight: 600; margin: 8px 0; }
pre.report { font-family: ui-monospace, Consolas, "DejaVu Sans Mono", "Liberation Mono", monospace;
  font-size: 14px; tab-size: 8; -moz-tab-size: 8; background: #f5f6f8; border: 1px solid #c8ccd1;
  padding: 8px 14px; display: inline-block; margin: 4px 0; }
.grids { display: flex; flex-wrap: wrap; gap: 4px 20px; align-items: flex-start; }
.tables { display: flex; flex-wrap: wrap; gap: 12px; align-items: flex-start; margin-top: 6px; }
table { border-collapse: collapse; }
table.grid { font-size: 13px; }
table.grid th, table.grid td { border: 1px solid #9aa0a6; padding: 1px 4px; text-align: center; }
table.grid thead th { background: #e8eaed; font-weight: 600; }
table.grid tbody th, table.grid tfoot th { text-align: left; font-weight: 600; min-width: 34px; }
table.grid td { width: 26px; }
table.grid td.w { background: #b9e4c0; color: #0f5a1f; font-weight: 700; }
table.grid td.count { color: #555; width: auto; }
table.grid tfoot th, table.grid tfoot td { background: #e8eaed; font-weight: 600; }
table.grid tfoot td.count { color: #1b1f24; }
table.grid tr.needed th { color: #a11; font-style: italic; }
table.grid tr.needed td.count { color: #a11; }
.legend-note { color: #555; font-size: 13px; }
svg.chart { width: 100%; max-width: 960px; height: auto; font-size: 11px; font-family: inherit; }
svg.chart text.y { text-anchor: end; fill: #444; }
svg.chart text.x, svg.chart text.total { text-anchor: middle; fill: #333; }
svg.chart text.total { font-size: 9px; }
svg.chart text.date { fill: #333; font-weight: 600; }
svg.chart line.rule { stroke: #dde0e4; stroke-width: 1; }
svg.chart line.axis { stroke: #333; stroke-width: 1; }
table.plain th, table.plain td { border: 1px solid #9aa0a6; padding: 2px 10px; }
table.plain th { background: #e8eaed; text-align: left; }
table.plain td.n { text-align: right; }
footer { margin-top: 32px; color: #666; font-size: 12px; border-top: 1px solid #c8ccd1; padding-top: 6px; }
* { -webkit-print-color-adjust: exact; print-color-adjust: exact; }
@media print { body { max-width: none; padding: 0; } section + section { break-before: page; }
  table.grid, svg.chart { break-inside: avoid; } }
)";

// The line of the plug-in's report giving the claimed score ("Score: 10081*(63 + 104 + 176) =
// 3457783"), to show above the report; nothing when the report has none.
std::optional<std::string_view> scoreLine(std::string_view report) {
  std::size_t start = 0;
  while (start < report.size()) {
    std::size_t end = report.find('\n', start);
    if (end == std::string_view::npos) end = report.size();
    std::string_view line = report.substr(start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (line.starts_with("Score:")) return line;
    start = end + 1;
  }
  return std::nullopt;
}

std::string periodText(const HtmlLegReport& leg) {
  const std::optional<std::int64_t> start = oleSeconds(leg.periodStart);
  const std::optional<std::int64_t> end = oleSeconds(leg.periodEnd);
  if (leg.qsos.empty() || !start || !end) return {};
  return "; " + formatSeconds(*start, "%Y-%m-%d %H:%M") + " to " +
         formatSeconds(*end, "%Y-%m-%d %H:%M") + " UTC";
}

void appendLeg(std::string& out, const HtmlLegReport& leg) {
  const std::vector<CountedQso> qsos = countedQsos(leg);
  out += "<section>\n<h2>" + escaped(leg.ownCall) + " (" +
         (leg.ownDxcc.empty() ? std::string("no entity") : escaped(leg.ownDxcc));
  if (leg.belgianStation && !leg.ownProvince.empty()) out += ", " + escaped(leg.ownProvince);
  out += ") &middot; " + escaped(leg.leg) + " leg</h2>\n";
  out += "<p class=\"facts\">Log " + escaped(leg.logName) + ": " + number(leg.recordsRead) +
         (leg.recordsRead == 1 ? " record" : " records") + " read, " + number(leg.qsos.size()) +
         " scored" + periodText(leg) + "</p>\n";

  out += "<h3>Score</h3>\n";
  if (const std::optional<std::string_view> line = scoreLine(leg.reportText)) {
    // "Score: P*M = S" reads "Claimed score: P*M = S".
    out += "<p class=\"claimed\">Claimed score" +
           escaped(line->substr(std::string_view("Score").size())) + "</p>\n";
  }
  out += "<pre class=\"report\">" + escaped(leg.reportText) + "</pre>\n";

  out += "<h3>Multipliers per band</h3>\n";
  out +=
      "<p class=\"legend-note\">Columns: the contest bands in metres. &#x2713; worked on the "
      "band";
  out += leg.belgianStation ? ".</p>\n" : "; a name in red italics is worked on no band yet.</p>\n";
  out += "<div class=\"grids\">\n";
  for (const MultiplierGrid& grid : multiplierGrids(leg, qsos)) appendGrid(out, grid);
  out += "</div>\n";

  const HourChart chart = hourChart(leg, qsos);
  out += "<h3>QSOs per ";
  out +=
      chart.hoursPerBar == 1 ? std::string("hour") : std::to_string(chart.hoursPerBar) + " hours";
  out += " and band (UTC)</h3>\n";
  appendChart(out, chart);
  if (chart.undated > 0) {
    out +=
        "<p>" + number(chart.undated) +
        (chart.undated == 1 ? " QSO without a valid time is" : " QSOs without a valid time are") +
        " in no bar.</p>\n";
  }

  out += "<h3>Left out</h3>\n";
  if (leg.leftOut.empty()) {
    out += "<p>None left out.</p>\n";
  } else {
    out += "<table class=\"plain\"><thead><tr><th>Cause</th><th>Records</th></tr></thead><tbody>\n";
    for (const auto& [cause, count] : leg.leftOut) {
      out += "<tr><td>" + escaped(cause) + "</td><td class=\"n\">" + number(count) + "</td></tr>\n";
    }
    out += "</tbody></table>\n";
  }
  out += "</section>\n";
}

}  // namespace

std::string htmlReport(std::span<const HtmlLegReport> legs) {
  std::string title = "ZRV DX Contest score";
  for (std::size_t index = 0; index < legs.size(); ++index) {
    title +=
        (index == 0 ? ": " : ", ") + escaped(legs[index].ownCall) + " " + escaped(legs[index].leg);
  }
  std::string out;
  out += "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n";
  out += "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n";
  out += "<title>" + title + "</title>\n<style>";
  out += kStyle;
  out += "</style>\n</head>\n<body>\n<h1>ZRV DX Contest score</h1>\n";
  out +=
      "<p class=\"facts\">The score table is the plug-in's own report; the multiplier grids and "
      "the chart are made from the QSOs it took.</p>\n";
  for (const HtmlLegReport& leg : legs) appendLeg(out, leg);
  out += "<footer>Made by zrv-score " + std::string(kZrvScoreVersion) +
         ".</footer>\n</body>\n</html>\n";
  return out;
}

}  // namespace zrv_score
