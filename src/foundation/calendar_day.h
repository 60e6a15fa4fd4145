#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarrion {

// Calendar arithmetic on day numbers: days since 1970-01-01 in the proleptic
// Gregorian calendar (negative before it). Pure functions without time zones or the
// C library's locale, so dates come out the same everywhere.

struct CivilDate {
    int year;
    int month;  // 1..12
    int day;    // 1..31
};

std::int32_t DayFromCivil(int year, int month, int day);
CivilDate CivilFromDay(std::int32_t day);

// 0 = Sunday ... 6 = Saturday.
int WeekdayOf(std::int32_t day);

// The same day of the month `months` later (earlier when negative), moved back to
// the month's last day where the month is shorter (Jan 31 + 1 month = Feb 28/29).
std::int32_t AddMonths(std::int32_t day, int months);

// "YYYY-MM-DD" exactly, for a date that exists; nothing otherwise.
std::optional<std::int32_t> ParseIsoDay(std::string_view text);
std::string FormatIsoDay(std::int32_t day);

// Today's date on this machine's local clock.
std::int32_t LocalToday();

}  // namespace quarrion
