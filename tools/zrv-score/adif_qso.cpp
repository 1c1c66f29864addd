#include "tools/zrv-score/adif_qso.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "tools/zrv-score/text.h"

namespace zrv_score {
namespace {

bool allDigits(std::string_view text) {
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

int number(std::string_view digits) {
  int value = 0;
  for (const char c : digits) value = value * 10 + (c - '0');
  return value;
}

void addProblem(std::string& problems, const std::string& problem) {
  if (!problems.empty()) problems += "; ";
  problems += problem;
}

std::string quoted(std::string_view value) {
  return "'" + printableBytes(value) + "'";
}

// The record's value of a field, trimmed; empty when it has none. The same field twice is fine
// when both say the same; otherwise the record is ambiguous (a value whose length swallowed the
// <EOR> joins two records into one, for example).
std::string_view fieldValue(const AdifRecord& record, std::string_view name,
                            std::string& problems) {
  std::string_view value;
  for (const AdifField& field : record.fields) {
    if (!equalsIgnoringCase(field.name, name)) continue;
    const std::string_view candidate = trimmed(field.value);
    if (candidate.empty() || candidate == value) continue;
    if (!value.empty()) {
      addProblem(problems, "two " + std::string(name) + " fields, " + quoted(value) + " and " +
                               quoted(candidate));
      return value;
    }
    value = candidate;
  }
  return value;
}

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Days from 1970-01-01 to a date of the Gregorian calendar.
std::int64_t daysFromCivil(int year, int month, int day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const std::int64_t yearOfEra = year - era * 400;
  const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// YYYYMMDD, a real date from 1930 on (ADIF's earliest), to days since 1899-12-30.
std::optional<std::int64_t> oleDayOf(std::string_view date) {
  if (date.size() != 8 || !allDigits(date)) return std::nullopt;
  const int year = number(date.substr(0, 4));
  const int month = number(date.substr(4, 2));
  const int day = number(date.substr(6, 2));
  constexpr std::array<int, 12> kMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1930 || month < 1 || month > 12 || day < 1) return std::nullopt;
  const int monthDays = kMonthDays[month - 1] + (month == 2 && isLeapYear(year) ? 1 : 0);
  if (day > monthDays) return std::nullopt;
  // 1899-12-30 is 25569 days before 1970-01-01.
  return daysFromCivil(year, month, day) + 25569;
}

// HHMM or HHMMSS to the fraction of the day.
std::optional<double> dayFractionOf(std::string_view time) {
  if ((time.size() != 4 && time.size() != 6) || !allDigits(time)) return std::nullopt;
  const int hours = number(time.substr(0, 2));
  const int minutes = number(time.substr(2, 2));
  const int seconds = time.size() == 6 ? number(time.substr(4, 2)) : 0;
  if (hours > 23 || minutes > 59 || seconds > 59) return std::nullopt;
  return (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

std::string contestMode(std::string_view mode) {
  if (equalsIgnoringCase(mode, "CW")) return "CW";
  if (equalsIgnoringCase(mode, "SSB") || equalsIgnoringCase(mode, "USB") ||
      equalsIgnoringCase(mode, "LSB")) {
    return "SSB";
  }
  return std::string(mode);
}

}  // namespace

std::string loggerSerial(std::string_view sent) {
  if (sent.empty() || !allDigits(sent) || sent.size() >= 3) return std::string(sent);
  return std::string(3 - sent.size(), '0') + std::string(sent);
}

std::optional<double> oleDateOf(std::string_view date, std::string_view time) {
  const std::optional<std::int64_t> day = oleDayOf(date);
  const std::optional<double> fraction = dayFractionOf(time);
  if (!day || !fraction) return std::nullopt;
  return static_cast<double>(*day) + *fraction;
}

AdifQso qsoFromRecord(const AdifRecord& record) {
  AdifQso qso;
  if (!record.ok()) {
    qso.problem = record.problem;
    return qso;
  }
  std::string& problems = qso.problem;

  qso.call = fieldValue(record, "CALL", problems);
  if (qso.call.empty()) addProblem(problems, "no CALL");

  const std::string_view date = fieldValue(record, "QSO_DATE", problems);
  const std::string_view time = fieldValue(record, "TIME_ON", problems);
  const std::optional<std::int64_t> day = oleDayOf(date);
  const std::optional<double> fraction = dayFractionOf(time);
  if (date.empty()) {
    addProblem(problems, "no QSO_DATE");
  } else if (!day) {
    addProblem(problems, "QSO_DATE " + quoted(date) + " is not a date (YYYYMMDD, from 1930 on)");
  }
  if (time.empty()) {
    addProblem(problems, "no TIME_ON");
  } else if (!fraction) {
    addProblem(problems, "TIME_ON " + quoted(time) + " is not a time (HHMM or HHMMSS)");
  }
  if (day && fraction) {
    qso.oleDate = static_cast<double>(*day) + *fraction;
    qso.dateValid = true;
  }

  const std::string_view frequency = fieldValue(record, "FREQ", problems);
  const std::string_view band = fieldValue(record, "BAND", problems);
  std::optional<std::uint64_t> millionths;
  if (!frequency.empty()) {
    millionths = frequencyMillionths(frequency);
    // A contest band in BAND is enough to place the QSO; without one the FREQ must be read.
    if (!millionths && !isContestBand(bandAndFrequency(band, std::nullopt).band)) {
      addProblem(problems, "FREQ " + quoted(frequency) + " is not a frequency");
    }
  }
  BandAndFrequency placed = bandAndFrequency(band, millionths);
  if (!frequency.empty() && !millionths && placed.source == FrequencySource::bandEdge) {
    placed.source = FrequencySource::overruled;
  }
  qso.band = std::move(placed.band);
  qso.frequencyHz = placed.hz;
  qso.frequencySource = placed.source;
  qso.mode = contestMode(fieldValue(record, "MODE", problems));

  std::string_view sent = fieldValue(record, "STX_STRING", problems);
  if (sent.empty()) sent = fieldValue(record, "STX", problems);
  qso.sentSerial = loggerSerial(sent);
  std::string_view received = fieldValue(record, "SRX_STRING", problems);
  if (received.empty()) received = fieldValue(record, "SRX", problems);
  qso.receivedExchange = received;
  qso.prefix = fieldValue(record, "PFX", problems);

  if (!qso.ok()) qso.dateValid = false;
  return qso;
}

}  // namespace zrv_score
