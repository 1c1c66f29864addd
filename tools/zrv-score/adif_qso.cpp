#include "tools/zrv-score/adif_qso.h"

#include <array>
#include <cstdint>
#include <limits>
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

std::string lowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
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

enum class FrequencyError { none, notANumber, tooHigh };

// MHz written as digits with at most one decimal point to Hz, rounded half up, exactly.
FrequencyError frequencyHzOf(std::string_view mhz, unsigned int& hz) {
  const std::size_t point = mhz.find('.');
  std::string_view whole = mhz.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view() : mhz.substr(point + 1);
  if ((whole.empty() && fraction.empty()) || !allDigits(whole) || !allDigits(fraction)) {
    return FrequencyError::notANumber;
  }
  while (!whole.empty() && whole.front() == '0') whole.remove_prefix(1);
  if (whole.size() > 4) return FrequencyError::tooHigh;  // 10 GHz and up
  std::uint64_t value = 0;
  for (const char c : whole) value = value * 10 + static_cast<unsigned>(c - '0');
  for (std::size_t i = 0; i < 6; ++i) {
    value = value * 10 + (i < fraction.size() ? static_cast<unsigned>(fraction[i] - '0') : 0);
  }
  if (fraction.size() > 6 && fraction[6] >= '5') ++value;
  if (value > std::numeric_limits<unsigned int>::max()) return FrequencyError::tooHigh;
  hz = static_cast<unsigned int>(value);
  return FrequencyError::none;
}

struct BandEdges {
  const char* band;
  unsigned int lowHz, highHz;
};

// The amateur allocations of the contest bands, edges included.
constexpr std::array<BandEdges, 6> kContestBandEdges = {{{"160m", 1800000, 2000000},
                                                         {"80m", 3500000, 4000000},
                                                         {"40m", 7000000, 7300000},
                                                         {"20m", 14000000, 14350000},
                                                         {"15m", 21000000, 21450000},
                                                         {"10m", 28000000, 29700000}}};

std::string contestBandOf(unsigned int hz) {
  for (const BandEdges& edges : kContestBandEdges) {
    if (hz >= edges.lowHz && hz <= edges.highHz) return edges.band;
  }
  return {};
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
  if (!frequency.empty()) {
    switch (frequencyHzOf(frequency, qso.frequencyHz)) {
      case FrequencyError::notANumber:
        addProblem(problems, "FREQ " + quoted(frequency) + " is not a frequency in MHz");
        break;
      case FrequencyError::tooHigh:
        addProblem(problems, "FREQ " + quoted(frequency) +
                                 " MHz is above the highest the plug-in takes (4294.967295 MHz)");
        break;
      case FrequencyError::none:
        break;
    }
  }

  const std::string_view band = fieldValue(record, "BAND", problems);
  qso.band = band.empty() ? contestBandOf(qso.frequencyHz) : lowerCase(band);
  qso.mode = contestMode(fieldValue(record, "MODE", problems));

  std::string_view sent = fieldValue(record, "STX_STRING", problems);
  if (sent.empty()) sent = fieldValue(record, "STX", problems);
  qso.sentSerial = sent;
  std::string_view received = fieldValue(record, "SRX_STRING", problems);
  if (received.empty()) received = fieldValue(record, "SRX", problems);
  qso.receivedExchange = received;
  qso.prefix = fieldValue(record, "PFX", problems);

  if (!qso.ok()) qso.dateValid = false;
  return qso;
}

}  // namespace zrv_score
