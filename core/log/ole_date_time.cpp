#include "core/log/ole_date_time.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

namespace stats {
namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr char kInvalidText[] = "Invalid DateTime";

struct CivilTime {
  int64_t year, month, day, hour, minute, second;
};

// Days since 1970-01-01 to a Gregorian date (proleptic), valid for any day count in range.
void civilFromDays(int64_t days, int64_t& year, int64_t& month, int64_t& day) {
  days += 719468;
  const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const int64_t dayOfEra = days - era * 146097;
  const int64_t yearOfEra =
      (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const int64_t monthIndex = (5 * dayOfYear + 2) / 153;
  day = dayOfYear - (153 * monthIndex + 2) / 5 + 1;
  month = monthIndex < 10 ? monthIndex + 3 : monthIndex - 9;
  year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
}

// Splits an OLE date into its civil parts; false when it lies outside the years 100 to 9999.
bool splitOleDate(double dayCount, CivilTime& out) {
  if (!std::isfinite(dayCount) || std::fabs(dayCount) > 1e7) return false;
  // Round to the nearest second, half a second away from zero, before splitting: a time stored
  // as 12:33:59.9999 is 12:34.
  const double halfSecond = 0.5 / kSecondsPerDay;
  const double rounded = dayCount + (dayCount >= 0 ? halfSecond : -halfSecond);
  const auto wholeDays = static_cast<int64_t>(rounded);  // toward zero: the day of a negative count
  const double magnitude = std::fabs(rounded);
  auto secondOfDay = static_cast<int64_t>((magnitude - std::floor(magnitude)) * kSecondsPerDay);
  if (secondOfDay >= 86400) secondOfDay = 86399;
  // 1899-12-30 is 25569 days before 1970-01-01.
  civilFromDays(wholeDays - 25569, out.year, out.month, out.day);
  out.hour = secondOfDay / 3600;
  out.minute = secondOfDay / 60 % 60;
  out.second = secondOfDay % 60;
  return out.year >= 100 && out.year <= 9999;
}

void appendNumber(std::string& text, int64_t value, int digits) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%0*lld", digits, static_cast<long long>(value));
  text += buffer;
}

}  // namespace

COleDateTime copyDateTime(const COleDateTime* source) {
  if (source == nullptr) return COleDateTime{0.0, COleDateTimeNull};
  return COleDateTime{source->m_dt, source->m_status};
}

bool sameDateTime(const COleDateTime& left, const COleDateTime& right) {
  if (left.m_status != right.m_status) return false;
  return left.m_status != COleDateTimeValid || left.m_dt == right.m_dt;
}

std::string formatDateTime(const COleDateTime& value, std::string_view format) {
  if (value.m_status == COleDateTimeNull) return {};
  CivilTime parts{};
  if (value.m_status != COleDateTimeValid || !splitOleDate(value.m_dt, parts)) return kInvalidText;
  std::string text;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%' || i + 1 == format.size()) {
      text += format[i];
      continue;
    }
    switch (format[++i]) {
      case 'Y':
        appendNumber(text, parts.year, 4);
        break;
      case 'm':
        appendNumber(text, parts.month, 2);
        break;
      case 'd':
        appendNumber(text, parts.day, 2);
        break;
      case 'H':
        appendNumber(text, parts.hour, 2);
        break;
      case 'M':
        appendNumber(text, parts.minute, 2);
        break;
      case 'S':
        appendNumber(text, parts.second, 2);
        break;
      case '%':
        text += '%';
        break;
      default:
        text += '%';
        text += format[i];
    }
  }
  return text;
}

}  // namespace stats
