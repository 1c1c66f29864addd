#include "tools/zrv-score/report_table.h"

#include <algorithm>
#include <vector>

#include "tools/zrv-score/text.h"

namespace zrv_score {
namespace {

using Row = std::vector<std::string>;

std::vector<std::string_view> lines(std::string_view text) {
  std::vector<std::string_view> result;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    result.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return result;
}

// A band or total row: the name, then the numbers; the report puts empty fields between some of
// them to line them up under its header, which go.
Row cells(std::string_view line) {
  Row row;
  while (true) {
    const auto tab = line.find('\t');
    const std::string_view cell = trimmed(line.substr(0, tab));
    if (!cell.empty() || row.empty()) row.emplace_back(cell);
    if (tab == std::string_view::npos) break;
    line.remove_prefix(tab + 1);
  }
  return row;
}

// The column names under each of the report's two headers.
std::optional<Row> columnsOf(std::string_view header) {
  if (trimmed(header) == "QSOs\tPoints\tDXCC") return Row{"Band", "QSOs", "Points", "DXCC"};
  if (trimmed(header) == "QSOs\tPoints\tON Province ON Prefix EuroUnion") {
    return Row{"Band", "QSOs", "Points", "ON Province", "ON Prefix", "EuroUnion"};
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> alignedReport(std::string_view report) {
  const std::vector<std::string_view> text = lines(report);
  if (text.size() < 4) return std::nullopt;
  const std::optional<Row> columns = columnsOf(text[1]);
  if (!columns) return std::nullopt;

  std::vector<Row> rows{*columns};
  std::size_t next = 2;
  for (; next < text.size() && !text[next].empty(); ++next) {
    Row row = cells(text[next]);
    if (row.size() != columns->size()) return std::nullopt;
    rows.push_back(std::move(row));
  }
  if (rows.size() < 2 || rows.back().front() != "Total") return std::nullopt;

  std::vector<std::size_t> widths(columns->size(), 0);
  for (const Row& row : rows) {
    for (std::size_t column = 0; column < row.size(); ++column) {
      widths[column] = std::max(widths[column], row[column].size());
    }
  }
  std::string table = std::string(trimmed(text[0])) + "\n\n";
  for (const Row& row : rows) {
    if (row.front() == "Total") {
      std::size_t rule = 0;
      for (const std::size_t width : widths) rule += width + 2;
      table += std::string(rule - 2, '-') + "\n";
    }
    for (std::size_t column = 0; column < row.size(); ++column) {
      const std::string& cell = row[column];
      const std::string padding(widths[column] - cell.size(), ' ');
      // The band name to the left, the numbers to the right.
      table += column == 0 ? cell + padding : "  " + padding + cell;
    }
    table += "\n";
  }
  for (; next < text.size(); ++next) {
    if (!text[next].empty()) table += "\n" + std::string(text[next]) + "\n";
  }
  return table;
}

}  // namespace zrv_score
