#include "tools/zrv-score/cabrillo3.h"

#include <optional>
#include <span>
#include <utility>

#include "core/cabrillo/cabrillo_header.h"
#include "core/cabrillo/cabrillo_header_settings.h"
#include "core/rules/contest_rules.h"
#include "core/settings/settings_keys.h"
#include "tools/zrv-score/text.h"
#include "tools/zrv-score/version.h"

namespace zrv_score {
namespace {

// What the 3.0 header takes from the plug-in's file, and its QSO lines as written.
struct PluginFile {
  std::string_view contest;
  std::string_view callsign;
  std::string_view operators;
  std::string_view claimedScore;
  std::vector<std::string_view> soapbox;   // the text of each SOAPBOX line, in order
  std::vector<std::string_view> qsoLines;  // each without its line end
};

// The file's lines without their line ends (LF, or the CR LF the plug-in writes).
std::vector<std::string_view> fileLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.push_back(line);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  return lines;
}

// The value of a "TAG: value" line, without trailing blanks; none when the line has another tag.
std::optional<std::string_view> tagValue(std::string_view line, std::string_view tag) {
  if (!line.starts_with(tag) || !line.substr(tag.size()).starts_with(':')) return std::nullopt;
  std::string_view value = line.substr(tag.size() + 1);
  if (value.starts_with(' ')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  return value;
}

// The plug-in writes its header lines, its QSO lines and END-OF-LOG, in this order.
std::optional<PluginFile> readPluginFile(std::string_view text, std::string& error) {
  const std::vector<std::string_view> lines = fileLines(text);
  if (lines.empty() || !tagValue(lines.front(), "START-OF-LOG")) {
    error = "not a Cabrillo file of the plug-in: it does not start with START-OF-LOG:";
    return std::nullopt;
  }
  PluginFile file;
  for (size_t index = 1; index < lines.size(); ++index) {
    const std::string_view line = lines[index];
    if (tagValue(line, "END-OF-LOG")) return file;
    if (tagValue(line, "QSO")) {
      file.qsoLines.push_back(line);
    } else if (!file.qsoLines.empty()) {
      error = "line " + std::to_string(index + 1) +
              " of the plug-in's file, after its QSO lines, " +
              "is neither a QSO line nor END-OF-LOG:";
      return std::nullopt;
    } else if (const auto soapbox = tagValue(line, "SOAPBOX")) {
      file.soapbox.push_back(*soapbox);
    } else {
      const std::pair<std::string_view, std::string_view*> taken[] = {
          {"CONTEST", &file.contest},
          {"CALLSIGN", &file.callsign},
          {"OPERATORS", &file.operators},
          {"CLAIMED-SCORE", &file.claimedScore}};
      for (const auto& [tag, value] : taken) {
        if (const auto found = tagValue(line, tag)) *value = *found;
      }
    }
  }
  error = "the plug-in's file has no END-OF-LOG: line: it was cut short";
  return std::nullopt;
}

// A choice of the header dialog and the 3.0 word for it.
struct Word {
  std::string_view dialog;
  std::string_view cabrillo3;
};

constexpr Word kOperatorWords[] = {
    {"SINGLE OPERATOR", "SINGLE-OP"}, {"MULTI-ONE", "MULTI-OP"}, {"CHECKLOG", "CHECKLOG"}};
constexpr Word kBandWords[] = {{"ALL BANDS", "ALL"}, {"80M", "80M"}, {"40M", "40M"},
                               {"20M", "20M"},       {"15M", "15M"}, {"10M", "10M"}};
constexpr Word kPowerWords[] = {{"HIGH POWER", "HIGH"}, {"LOW POWER", "LOW"}, {"QRP", "QRP"}};
constexpr Word kAssistedWords[] = {{"ASSISTED", "ASSISTED"}, {"NON-ASSISTED", "NON-ASSISTED"}};
constexpr Word kTransmitterWords[] = {{"ONE", "ONE"}, {"TWO", "TWO"}, {"UNLIMITED", "UNLIMITED"}};
constexpr Word kStationWords[] = {
    {"EXPEDITION", "EXPEDITION"}, {"FIXED", "FIXED"}, {"HQ", "HQ"},        {"MOBILE", "MOBILE"},
    {"PORTABLE", "PORTABLE"},     {"ROVER", "ROVER"}, {"SCHOOL", "SCHOOL"}};
// The overlay box mixes two 3.0 tags: the hour limits are CATEGORY-TIME, and "ON3" is the
// contest's own overlay for Belgian novice licensees. "NONE" writes neither.
constexpr Word kTimeWords[] = {
    {"6-HOURS", "6-HOURS"}, {"12-HOURS", "12-HOURS"}, {"24-HOURS", "24-HOURS"}};
constexpr Word kOverlayWords[] = {{"ON3", "ON3"}};

// The 3.0 word for a dialog value; the combo boxes keep typed text as typed, in any case.
std::optional<std::string_view> wordFor(std::span<const Word> words, std::string_view value) {
  for (const Word& word : words) {
    if (equalsIgnoringCase(word.dialog, value)) return word.cabrillo3;
  }
  return std::nullopt;
}

class HeaderText {
 public:
  HeaderText(std::string& text, std::vector<std::string>& notes) : text_(text), notes_(notes) {}

  // An empty value leaves the line out: 3.0 robots take an empty tag for a wrong one.
  void line(std::string_view tag, std::string_view value) {
    if (!value.empty()) text_.append(tag).append(": ").append(value).append("\r\n");
  }

  void mapped(std::string_view tag, std::span<const Word> words, std::string_view value) {
    if (const auto word = wordFor(words, value)) {
      line(tag, *word);
    } else {
      note(tag, value);
    }
  }

  void note(std::string_view tag, std::string_view value) {
    notes_.push_back(std::string(tag) + " left out: Cabrillo 3.0 has no word for the header's \"" +
                     std::string(value) + "\"");
  }

 private:
  std::string& text_;
  std::vector<std::string>& notes_;
};

}  // namespace

Cabrillo3Log cabrillo3Log(std::string_view pluginFile, const stats::Settings& settings, bool cwLeg,
                          std::string_view toolVersion) {
  Cabrillo3Log log;
  const std::optional<PluginFile> file = readPluginFile(pluginFile, log.error);
  if (!file) return log;
  // The header as the plug-in loads it at a contest start: the fields the dialog keeps, with its
  // line breaks folded, and the dialog's fixed choices for those it does not.
  stats::CabrilloState dialog;
  stats::loadCabrilloHeader(dialog, settings, file->callsign);
  // The two choices the dialog saves but never reads back, with its defaults when absent.
  const std::string category = settings.readText(stats::keys::kCategory, dialog.categoryOperator);
  const std::string overlay =
      settings.readText(stats::keys::kCategoryOverlay, dialog.categoryOverlay);

  const std::string_view contest = stats::cabrilloContestId(cwLeg);
  if (!file->contest.empty() && file->contest != contest) {
    log.notes.push_back("CONTEST: the plug-in's file names " + std::string(file->contest) +
                        ", the leg exported is " + std::string(contest));
  }

  HeaderText header(log.text, log.notes);
  header.line("START-OF-LOG", "3.0");
  header.line("CREATED-BY", toolVersion.empty() ? std::string("zrv-score")
                                                : "zrv-score " + std::string(toolVersion));
  header.line("CONTEST", contest);
  header.line("CALLSIGN", file->callsign);
  const std::optional<std::string_view> categoryWord = wordFor(kOperatorWords, category);
  header.mapped("CATEGORY-OPERATOR", kOperatorWords, category);
  header.mapped("CATEGORY-BAND", kBandWords, dialog.categoryBand);
  header.mapped("CATEGORY-POWER", kPowerWords, dialog.categoryPower);
  header.line("CATEGORY-MODE", cwLeg ? stats::kModeCw : stats::kModeSsb);
  header.mapped("CATEGORY-ASSISTED", kAssistedWords, dialog.categoryAssisted);
  // The dialog's MULTI-ONE names the transmitter count that 3.0 keeps apart.
  if (categoryWord == "MULTI-OP") {
    header.line("CATEGORY-TRANSMITTER", "ONE");
  } else {
    header.mapped("CATEGORY-TRANSMITTER", kTransmitterWords, dialog.categoryTransmitter);
  }
  header.mapped("CATEGORY-STATION", kStationWords, dialog.categoryStation);
  if (const auto time = wordFor(kTimeWords, overlay)) {
    header.line("CATEGORY-TIME", *time);
  } else if (const auto word = wordFor(kOverlayWords, overlay)) {
    header.line("CATEGORY-OVERLAY", *word);
  } else if (!overlay.empty() && !equalsIgnoringCase(overlay, "NONE")) {
    header.note("CATEGORY-OVERLAY", overlay);
  }
  header.line("CLAIMED-SCORE", file->claimedScore);
  header.line("OPERATORS", file->operators);
  header.line("NAME", dialog.name);
  header.line("EMAIL", dialog.email);
  header.line("CLUB", dialog.club);
  header.line("ADDRESS", dialog.address);
  header.line("ADDRESS-CITY", dialog.addressCity);
  header.line("ADDRESS-STATE-PROVINCE", dialog.addressStProv);
  header.line("ADDRESS-POSTALCODE", dialog.addressPostalCode);
  header.line("ADDRESS-COUNTRY", dialog.addressCountry);
  for (const std::string_view soapbox : file->soapbox) header.line("SOAPBOX", soapbox);
  for (const std::string_view qso : file->qsoLines) log.text.append(qso).append("\r\n");
  log.text += "END-OF-LOG:\r\n";
  return log;
}

}  // namespace zrv_score
