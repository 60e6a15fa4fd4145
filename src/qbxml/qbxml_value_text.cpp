#include "qbxml/qbxml_value_text.h"

#include <cstdio>
#include <cstdlib>

#include "foundation/calendar_day.h"

namespace quarrion {

namespace {

// US Eastern offset in minutes for a wall-clock moment: daylight time from the
// second Sunday of March, 2:00, to the first Sunday of November, 2:00.
int EasternOffsetMinutes(std::int64_t localSeconds) {
    const std::int64_t dayNumber =
        localSeconds >= 0 ? localSeconds / 86400 : (localSeconds - 86399) / 86400;
    const auto day = static_cast<std::int32_t>(dayNumber);
    const int year = CivilFromDay(day).year;
    const std::int32_t march1 = DayFromCivil(year, 3, 1);
    const std::int32_t dstStart = march1 + (7 - WeekdayOf(march1)) % 7 + 7;
    const std::int32_t november1 = DayFromCivil(year, 11, 1);
    const std::int32_t dstEnd = november1 + (7 - WeekdayOf(november1)) % 7;
    const std::int64_t start = static_cast<std::int64_t>(dstStart) * 86400 + 2 * 3600;
    const std::int64_t end = static_cast<std::int64_t>(dstEnd) * 86400 + 2 * 3600;
    return localSeconds >= start && localSeconds < end ? -240 : -300;
}

}  // namespace

std::string AmountText(std::int64_t cents) {
    const bool negative = cents < 0;
    const std::uint64_t magnitude =
        negative ? static_cast<std::uint64_t>(-(cents + 1)) + 1 : static_cast<std::uint64_t>(cents);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%s%llu.%02llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 100),
                  static_cast<unsigned long long>(magnitude % 100));
    return buffer;
}

std::string HundredthsText(std::int64_t hundredths) {
    std::string text = AmountText(hundredths);
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
    return text;
}

std::string DateText(std::int32_t day) {
    return FormatIsoDay(day);
}

std::string DateTimeText(std::int64_t localSeconds) {
    const std::int64_t dayNumber =
        localSeconds >= 0 ? localSeconds / 86400 : (localSeconds - 86399) / 86400;
    const std::int64_t secondOfDay = localSeconds - dayNumber * 86400;
    const CivilDate date = CivilFromDay(static_cast<std::int32_t>(dayNumber));
    const int offset = EasternOffsetMinutes(localSeconds);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02dT%02d:%02d:%02d%c%02d:%02d", date.year,
                  date.month, date.day, static_cast<int>(secondOfDay / 3600),
                  static_cast<int>(secondOfDay / 60 % 60), static_cast<int>(secondOfDay % 60),
                  offset < 0 ? '-' : '+', std::abs(offset) / 60, std::abs(offset) % 60);
    return buffer;
}

std::int64_t UnixTimeOf(std::int64_t localSeconds) {
    return localSeconds - static_cast<std::int64_t>(EasternOffsetMinutes(localSeconds)) * 60;
}

std::string DurationText(std::int64_t minutes) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "PT%lldH%lldM0S", static_cast<long long>(minutes / 60),
                  static_cast<long long>(minutes % 60));
    return buffer;
}

}  // namespace quarrion
