#include "core/cabrillo/cabrillo_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/diagnostics/diagnostics.h"
#include "core/log/ole_date_time.h"
#include "core/rules/contest_rules.h"

namespace stats {
namespace {

// Writes the whole text under a temporary name beside the file and puts it in the file's place
// only when all of it was written, flushed and closed without error. A failure (a full disk, a
// folder that cannot be written) leaves the previous file as it was and no partial file behind.
bool writeFile(const std::string& fileName, const std::string& text, const FileReplace& files) {
  const auto temporary = files.temporaryNameBeside(fileName);
  std::FILE* file = temporary ? std::fopen(temporary->c_str(), "wb") : nullptr;
  if (file == nullptr) {
    traceFailure("could not create " + fileName + ": " +
                 (temporary ? std::strerror(errno) : "no free temporary name"));
    return false;
  }
  errno = 0;
  const bool written =
      std::fwrite(text.data(), 1, text.size(), file) == text.size() && std::fflush(file) == 0;
  const int writeError = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) {
    traceFailure("could not write " + fileName + ": " +
                 std::strerror(written ? errno : writeError));
    files.remove(*temporary);
    return false;
  }
  std::string reason;
  if (!files.replace(*temporary, fileName, reason)) {
    traceFailure("could not create " + fileName + ": " + reason);
    files.remove(*temporary);
    return false;
  }
  return true;
}

}  // namespace

std::string_view cabrilloModeCode(std::string_view mode) {
  if (mode == kModeSsb) return "PH";
  if (mode == kModeCw) return "CW";
  return "??";
}

void AddCabrilloQso(CabrilloState& cabrillo, int cwMode, std::string_view call, int32_t freqKHz,
                    std::string_view modeCode, const COleDateTime& time, std::string_view sentExch,
                    std::string_view rcvdExch) {
  const char* format = cwMode ? "QSO: %5i %2s %s %-13s 599 %-5s     %-12s  599 %s\r\n"
                              : "QSO: %5i %2s %s %-13s 59  %-5s     %-12s  59  %s\r\n";
  const std::string dateTime = formatDateTime(time, "%Y-%m-%d %H%M");
  const std::string fields[] = {std::string(modeCode), dateTime,          cabrillo.ownCall,
                                std::string(sentExch), std::string(call), std::string(rcvdExch)};
  const int length =
      std::snprintf(nullptr, 0, format, freqKHz, fields[0].c_str(), fields[1].c_str(),
                    fields[2].c_str(), fields[3].c_str(), fields[4].c_str(), fields[5].c_str());
  if (length <= 0) return;
  std::string line(static_cast<size_t>(length) + 1, '\0');
  std::snprintf(line.data(), line.size(), format, freqKHz, fields[0].c_str(), fields[1].c_str(),
                fields[2].c_str(), fields[3].c_str(), fields[4].c_str(), fields[5].c_str());
  line.pop_back();
  cabrillo.qsoLines.push_back(std::move(line));
}

std::string cabrilloFileText(const CabrilloState& cabrillo, int cwMode, int belgianStation,
                             int32_t claimedScore) {
  std::string text;
  auto line = [&text](std::string_view label, std::string_view value) {
    text.append(label).append(value).append("\r\n");
  };
  text += "START-OF-LOG: 2.0\r\n";
  line("CONTEST: ", cabrilloContestId(cwMode != 0));
  line("CALLSIGN: ", cabrillo.ownCall);
  std::string category =
      cabrillo.categoryOperator + " " + cabrillo.categoryBand + " " + cabrillo.categoryPower;
  if (belgianStation) category += " " + cabrillo.categoryOverlay;
  line("CATEGORY-OPERATOR: ", category);
  line("OPERATORS: ", cabrillo.operators);
  line("CLAIMED-SCORE: ", std::to_string(claimedScore));
  line("NAME: ", cabrillo.name);
  line("EMAIL: ", cabrillo.email);
  line("ADDRESS: ", cabrillo.address);
  line("ADDRESS: ", cabrillo.addressCity);
  line("ADDRESS: ", cabrillo.addressStProv);
  line("ADDRESS: ", cabrillo.addressPostalCode);
  line("ADDRESS: ", cabrillo.addressCountry);
  line("SOAPBOX: ", cabrillo.soapbox);
  for (const std::string& qso : cabrillo.qsoLines) text += qso;
  text += "END-OF-LOG:\r\n";
  return text;
}

std::string WriteCabrilloFile(CabrilloState& cabrillo, int cwMode, int belgianStation,
                              int32_t claimedScore, const FileReplace& files) {
  const std::string fileName = cabrillo.fileBase + ".cbr";
  const std::string text = cabrilloFileText(cabrillo, cwMode, belgianStation, claimedScore);
  cabrillo.qsoLines.clear();
  const bool written = writeFile(fileName, text, files);
  return (written ? "File produced: " : "File not produced: ") + fileName;
}

}  // namespace stats
