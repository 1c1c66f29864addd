#include "tools/bench/results_table.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <optional>
#include <string_view>

namespace stats_bench {
namespace {

struct Operation {
  std::string_view name;
  double (*value)(const Figures&);  // in the unit the name gives
  std::optional<double> target;     // the most the indexed store may take
  int targetFromQsos;               // logs smaller than this have no target
  int decimals;
};

constexpr double kMicro = 1e-3;  // nanoseconds to microseconds

const std::array<Operation, 7> kOperations = {{
    {"replay (ResetStats0 + AddData0), µs per QSO",
     [](const Figures& f) { return f.replayNsPerQso * kMicro; }, 1.0, 0, 3},
    {"memory: resident-set growth of the replay, bytes per QSO",
     [](const Figures& f) { return f.bytesPerQso; }, 300.0, 100000, 0},
    {"CheckCall0, µs per call", [](const Figures& f) { return f.checkNs * kMicro; }, 0.5, 0, 3},
    {"GetResult0 with its settings write, µs", [](const Figures& f) { return f.resultNs * kMicro; },
     std::nullopt, 0, 1},
    {"settings write of Claimed (same value), µs",
     [](const Figures& f) { return f.claimedWriteNs * kMicro; }, std::nullopt, 0, 1},
    {"GetResult0 without the write, µs", [](const Figures& f) { return f.resultOnlyNs * kMicro; },
     20.0, 0, 1},
    {"RemoveData0 (middle of the log), µs", [](const Figures& f) { return f.removeNs * kMicro; },
     5.0, 0, 2},
}};

std::string sideName(Side side) {
  return side == Side::belgian ? "Belgian (ON)" : "outside Belgium (G)";
}

std::string formatted(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// "0.5", "20", "300": as few digits as the target has.
std::string targetText(double target) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", target);
  return text;
}

// "100,000": log sizes read at a glance.
std::string withThousands(int number) {
  std::string digits = std::to_string(number);
  for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) {
    digits.insert(static_cast<std::size_t>(at), ",");
  }
  return digits;
}

// Characters, not bytes: "µ" takes two bytes and one column.
std::size_t displayWidth(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

using Row = std::vector<std::string>;

void printRow(const Row& row, const std::vector<std::size_t>& widths,
              const std::vector<bool>& rightAligned) {
  std::string line = "|";
  for (std::size_t column = 0; column < row.size(); ++column) {
    const std::string padding(widths[column] - displayWidth(row[column]), ' ');
    line += " " + (rightAligned[column] ? padding + row[column] : row[column] + padding) + " |";
  }
  std::printf("%s\n", line.c_str());
}

void printRows(const Row& header, const std::vector<Row>& rows,
               const std::vector<bool>& rightAligned) {
  std::vector<std::size_t> widths(header.size(), 3);
  auto widen = [&widths](const Row& row) {
    for (std::size_t column = 0; column < row.size(); ++column) {
      widths[column] = std::max(widths[column], displayWidth(row[column]));
    }
  };
  widen(header);
  for (const Row& row : rows) widen(row);
  printRow(header, widths, rightAligned);
  std::string rule = "|";
  for (std::size_t column = 0; column < widths.size(); ++column) {
    rule += rightAligned[column] ? std::string(widths[column] + 1, '-') + ":|"
                                 : std::string(widths[column] + 2, '-') + "|";
  }
  std::printf("%s\n", rule.c_str());
  for (const Row& row : rows) printRow(row, widths, rightAligned);
}

Row rowOf(const Operation& operation, const Measured& measured, Verdict& verdict) {
  const double indexed = operation.value(measured.indexed);
  const double linear = operation.value(measured.linear);
  const bool hasTarget = operation.target && measured.qsos >= operation.targetFromQsos;
  const bool met = hasTarget && indexed <= *operation.target;
  Row row = {std::string(operation.name),
             sideName(measured.side),
             withThousands(measured.qsos),
             formatted(indexed, operation.decimals),
             formatted(linear, operation.decimals),
             indexed > 0 ? formatted(linear / indexed, 1) : "-",
             hasTarget ? "≤ " + targetText(*operation.target) : "",
             hasTarget ? (met ? "yes" : "NO") : ""};
  if (hasTarget) {
    ++verdict.targets;
    if (!met) {
      verdict.missed.push_back(row[0] + ", " + row[1] + ", " + row[2] + " QSOs: " + row[3] +
                               " (target " + row[6] + ")");
    }
  }
  return row;
}

}  // namespace

Verdict printTable(const std::vector<Measured>& results) {
  Verdict verdict;
  std::vector<Row> rows;
  for (const Operation& operation : kOperations) {
    for (const Measured& measured : results) rows.push_back(rowOf(operation, measured, verdict));
  }
  printRows({"operation", "side", "QSOs", "indexed", "linear", "linear/indexed", "target", "met?"},
            rows, {false, false, true, true, true, true, false, false});
  return verdict;
}

}  // namespace stats_bench
