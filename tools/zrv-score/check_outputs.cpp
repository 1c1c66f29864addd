#include "tools/zrv-score/check_outputs.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <system_error>

#include "tools/zrv-score/check_policy.h"

namespace zrv_score {
namespace {

namespace fs = std::filesystem;

std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (const char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
  return quoted + "\"";
}

std::string htmlText(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '&')
      escaped += "&amp;";
    else if (c == '<')
      escaped += "&lt;";
    else if (c == '>')
      escaped += "&gt;";
    else if (c == '"')
      escaped += "&quot;";
    else
      escaped += c;
  }
  return escaped;
}

// A file name for a call: characters no file name takes become '_'.
std::string fileNameOf(const std::string& call) {
  std::string name = call;
  for (char& c : name) {
    if (c == '/' || c == '\\' || c == ':' || c == '*' || c == '?' || c == '"' || c == '<' ||
        c == '>' || c == '|') {
      c = '_';
    }
  }
  return name;
}

// The result columns after rank, call and category, in the order of both result files.
std::vector<std::string> resultColumns(const LogResult& result) {
  std::vector<std::string> columns = {
      std::to_string(result.claimed.qsos), std::to_string(result.claimed.score),
      std::to_string(result.afterCheck.qsos), std::to_string(result.afterCheck.score)};
  for (const int count : result.counts) columns.push_back(std::to_string(count));
  return columns;
}

std::vector<std::string> resultHeadings() {
  std::vector<std::string> headings = {"claimed_qsos", "claimed_score", "checked_qsos",
                                       "checked_score"};
  for (std::size_t outcome = 0; outcome < kOutcomeCount; ++outcome) {
    headings.emplace_back(outcomeName(static_cast<Outcome>(outcome)));
  }
  return headings;
}

bool writeFile(const fs::path& path, const std::string& text, std::string& error) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
  file.close();
  if (!file) error = "cannot write " + path.string();
  return static_cast<bool>(file);
}

// One row per QSO line, written as it is made: the file is the size of all the logs together.
bool writeQsosCsv(const fs::path& path, const std::vector<LogResult>& results, std::string& error) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << "log,line,call,band,mode,time,outcome,detail\n";
  for (const LogResult& result : results) {
    const SubmittedLog& log = *result.log;
    for (std::size_t index = 0; index < log.qsos.size(); ++index) {
      const SubmittedQso& qso = log.qsos[index];
      const Verdict& verdict = result.checked->verdicts[index];
      file << csvField(log.callsign) << ',' << qso.line << ',' << csvField(qso.call) << ','
           << bandOf(qso) << ',' << csvField(qso.mode) << ',' << dateAndTimeOf(qso.minute) << ','
           << outcomeName(verdict.outcome) << ',' << csvField(verdict.detail) << '\n';
    }
  }
  file.close();
  if (!file) error = "cannot write " + path.string();
  return static_cast<bool>(file);
}

std::string resultsCsv(const std::vector<LogResult>& results) {
  std::string text = "rank,call,category";
  for (const std::string& heading : resultHeadings()) text += "," + heading;
  text += "\n";
  for (const LogResult& result : results) {
    text += std::to_string(result.rank) + "," + csvField(result.log->callsign) + "," +
            csvField(result.category);
    for (const std::string& column : resultColumns(result)) text += "," + column;
    text += "\n";
  }
  return text;
}

std::string resultsHtml(const std::vector<LogResult>& results) {
  std::string html =
      "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
      "<title>ZRV DX Contest: checked results</title><style>"
      "body{font-family:sans-serif;margin:24px}table{border-collapse:collapse}"
      "th,td{border:1px solid #bbb;padding:2px 8px;text-align:right}"
      "td:nth-child(2),td:nth-child(3){text-align:left}</style></head><body>\n"
      "<h1>ZRV DX Contest: checked results</h1>\n<table>\n<tr><th>rank</th><th>call</th>"
      "<th>category</th>";
  for (const std::string& heading : resultHeadings()) html += "<th>" + htmlText(heading) + "</th>";
  html += "</tr>\n";
  for (const LogResult& result : results) {
    html += "<tr><td>" + std::to_string(result.rank) + "</td><td>" +
            htmlText(result.log->callsign) + "</td><td>" + htmlText(result.category) + "</td>";
    for (const std::string& column : resultColumns(result)) html += "<td>" + column + "</td>";
    html += "</tr>\n";
  }
  return html + "</table>\n</body></html>\n";
}

// The entrant's report: every QSO line that lost its points, with what the other log holds.
std::string entrantReport(const LogResult& result) {
  const SubmittedLog& log = *result.log;
  std::string text = log.callsign + ": the cross-check of the ZRV DX Contest\n\n" +
                     "Claimed: " + std::to_string(result.claimed.qsos) + " QSOs, score " +
                     std::to_string(result.claimed.score) +
                     "\nChecked: " + std::to_string(result.afterCheck.qsos) + " QSOs, score " +
                     std::to_string(result.afterCheck.score) + "\n\n";
  std::size_t lost = 0;
  for (std::size_t index = 0; index < log.qsos.size(); ++index) {
    const Verdict& verdict = result.checked->verdicts[index];
    const VerdictPolicy policy = policyOf(verdict.outcome);
    if (verdict.outcome == Outcome::xQso || (policy.kept && policy.penaltyPoints == 0)) continue;
    const SubmittedQso& qso = log.qsos[index];
    text += "line " + std::to_string(qso.line) + ": " + dateAndTimeOf(qso.minute) + " " +
            bandOf(qso) + " " + qso.mode + " " + qso.call + ": " +
            std::string(outcomeName(verdict.outcome)) +
            (verdict.detail.empty() ? "" : " (" + verdict.detail + ")") + "\n";
    ++lost;
  }
  if (lost == 0) text += "No QSO lost its points.\n";
  return text;
}

}  // namespace

void rankResults(std::vector<LogResult>& results) {
  std::stable_sort(results.begin(), results.end(), [](const LogResult& a, const LogResult& b) {
    if (a.category != b.category) return a.category < b.category;
    return a.afterCheck.score > b.afterCheck.score;
  });
  std::map<std::string, int> ranks;
  for (LogResult& result : results) result.rank = ++ranks[result.category];
}

bool writeCheckOutputs(const fs::path& folder, const std::vector<LogResult>& results,
                       std::string& error) {
  std::error_code created;
  fs::create_directories(folder / "reports", created);
  if (created) {
    error = "cannot create " + (folder / "reports").string() + ": " + created.message();
    return false;
  }
  if (!writeQsosCsv(folder / "qsos.csv", results, error) ||
      !writeFile(folder / "results.csv", resultsCsv(results), error) ||
      !writeFile(folder / "results.html", resultsHtml(results), error)) {
    return false;
  }
  for (const LogResult& result : results) {
    const fs::path report = folder / "reports" / (fileNameOf(result.log->callsign) + ".txt");
    if (!writeFile(report, entrantReport(result), error)) return false;
  }
  return true;
}

}  // namespace zrv_score
