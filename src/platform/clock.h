// The clock and the date texts the system writes into code.
#pragma once

#include <ctime>
#include <string>

namespace platform {

/// Now: the current time, or SOURCE_DATE_EPOCH when that is set, so that output
/// can be reproduced.
std::time_t Now();

/// "dddd, mmmm dd,yyyy @ h:nn:ss am/pm" in local time, with the locale's day and
/// month names: "Friday, December 04,2026 @ 6:04:41 am".
std::string HeaderDate(std::time_t when);
/// The locale's general date: date, a blank, time. Under the C or POSIX locale
/// "YYYY-MM-DD HH:MM:SS".
std::string GeneralDate(std::time_t when);
/// The locale's short date; "YYYY-MM-DD" under the C or POSIX locale.
std::string ShortDate(std::time_t when);

}  // namespace platform
