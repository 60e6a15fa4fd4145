#include "foundation/calendar_day.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>

namespace quarrion {

// Day-number conversions after Howard Hinnant's civil-calendar algorithms.
std::int32_t DayFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(year - era * 400);
    const unsigned doy = (153 * static_cast<unsigned>(month + (month > 2 ? -3 : 9)) + 2) / 5 +
                         static_cast<unsigned>(day) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int>(doe) - 719468;
}

CivilDate CivilFromDay(std::int32_t z) {
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int y = static_cast<int>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    return {y + (m <= 2), m, d};
}

int WeekdayOf(std::int32_t day) {
    // 1970-01-01 was a Thursday.
    int w = (day + 4) % 7;
    return w < 0 ? w + 7 : w;
}

namespace {

bool IsLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeap(year) ? 29 : kDays[month - 1];
}

bool ReadNumber(std::string_view text, int& value) {
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && ptr == text.data() + text.size();
}

}  // namespace

std::int32_t AddMonths(std::int32_t day, int months) {
    CivilDate date = CivilFromDay(day);
    int index = date.year * 12 + (date.month - 1) + months;
    int year = index >= 0 ? index / 12 : (index - 11) / 12;
    int month = index - year * 12 + 1;
    int dayOfMonth = std::min(date.day, DaysInMonth(year, month));
    return DayFromCivil(year, month, dayOfMonth);
}

std::optional<std::int32_t> ParseIsoDay(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    int year = 0, month = 0, day = 0;
    if (!ReadNumber(text.substr(0, 4), year) || !ReadNumber(text.substr(5, 2), month) ||
        !ReadNumber(text.substr(8, 2), day)) {
        return std::nullopt;
    }
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) {
        return std::nullopt;
    }
    return DayFromCivil(year, month, day);
}

std::string FormatIsoDay(std::int32_t day) {
    CivilDate date = CivilFromDay(day);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buffer;
}

std::int32_t LocalToday() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DayFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday);
}

}  // namespace quarrion
