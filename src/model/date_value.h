#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quarrion {

// The days a date value covers, first and last included.
struct DayRange {
    std::int32_t first = 0;
    std::int32_t last = 0;
};

// A date value as a user writes it: YYYY-MM-DD, or a relative word counted from
// `today`: today, yesterday, this-week, last-week (weeks start on Sunday), this-month,
// last-month, this-quarter, last-quarter, this-year, last-year, year-to-date, or
// last-N-days (N from 1, today included). Letter case is ignored. Nothing for any
// other text. A rule keeps the text as written, so a saved relative value means the
// same thing on the day it runs.
std::optional<DayRange> ResolveDateValue(std::string_view text, std::int32_t today);

// What a date rule's values say: "2026-01-31" or "last-month", and for between two
// values joined by "..".
inline constexpr std::string_view kDateRangeJoin = "..";

// Whether the record's date (YYYY-MM-DD, a date-time's day counts) holds against the
// rule's entered value under lt, le, eq, ge, gt or between. A relative value is a span
// of days: lt means before its first day, le on or before its last, eq within it, ge on
// or after its first, gt after its last. An unreadable record date or entered value
// holds for nothing.
bool DateHolds(long operation, std::string_view recordText, std::string_view entered,
               std::int32_t today);

// The day relative date values count from: the local date, unless a caller (a terminal
// run with --today, a test) pinned another. Read on every judgement, so a search that
// runs past midnight may see the new day.
std::int32_t DateRulesToday();
void PinDateRulesToday(std::optional<std::int32_t> day);

}  // namespace quarrion
