// Formatting of the host's date-time values (OLE Automation dates).
#pragma once

#include <string>
#include <string_view>

#include "api/stats_api.h"

namespace stats {

// A copy of the host's value; a null pointer reads as a null date-time.
COleDateTime copyDateTime(const COleDateTime* source);

// Two date-times are equal when their statuses are equal and, if both are valid, their day counts.
bool sameDateTime(const COleDateTime& left, const COleDateTime& right);

// strftime-style formatting supporting %Y (always four digits), %m, %d, %H, %M, %S and %%.
// A null date-time gives "", an invalid one, or one outside the years 100 to 9999,
// "Invalid DateTime". The value is rounded to the nearest second first.
std::string formatDateTime(const COleDateTime& value, std::string_view format);

}  // namespace stats
