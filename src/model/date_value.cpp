#include "model/date_value.h"

#include <atomic>
#include <charconv>

#include "foundation/calendar_day.h"
#include "foundation/text_fold.h"
#include "model/rule_values.h"

namespace quarrion {

namespace {

constexpr std::int64_t kNotPinned = INT64_MIN;
std::atomic<std::int64_t> pinnedToday{kNotPinned};

std::int32_t MonthStart(std::int32_t day, int monthsBack) {
    CivilDate date = CivilFromDay(day);
    return AddMonths(DayFromCivil(date.year, date.month, 1), -monthsBack);
}

std::int32_t QuarterStart(std::int32_t day) {
    CivilDate date = CivilFromDay(day);
    return DayFromCivil(date.year, (date.month - 1) / 3 * 3 + 1, 1);
}

std::optional<std::int32_t> RecordDay(std::string_view text) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    return ParseIsoDay(text.substr(0, 10));
}

}  // namespace

std::optional<DayRange> ResolveDateValue(std::string_view text, std::int32_t today) {
    if (std::optional<std::int32_t> day = ParseIsoDay(text)) return DayRange{*day, *day};
    const std::string word = FoldCase(text);
    const CivilDate now = CivilFromDay(today);
    if (word == "today") return DayRange{today, today};
    if (word == "yesterday") return DayRange{today - 1, today - 1};
    if (word == "this-week" || word == "last-week") {
        std::int32_t sunday = today - WeekdayOf(today) - (word == "last-week" ? 7 : 0);
        return DayRange{sunday, sunday + 6};
    }
    if (word == "this-month" || word == "last-month") {
        std::int32_t first = MonthStart(today, word == "last-month" ? 1 : 0);
        return DayRange{first, AddMonths(first, 1) - 1};
    }
    if (word == "this-quarter" || word == "last-quarter") {
        std::int32_t first = QuarterStart(today);
        if (word == "last-quarter") first = AddMonths(first, -3);
        return DayRange{first, AddMonths(first, 3) - 1};
    }
    if (word == "this-year")
        return DayRange{DayFromCivil(now.year, 1, 1), DayFromCivil(now.year, 12, 31)};
    if (word == "last-year") {
        return DayRange{DayFromCivil(now.year - 1, 1, 1), DayFromCivil(now.year - 1, 12, 31)};
    }
    if (word == "year-to-date") return DayRange{DayFromCivil(now.year, 1, 1), today};
    constexpr std::string_view lead = "last-", tail = "-days";
    if (word.size() > lead.size() + tail.size() && word.compare(0, lead.size(), lead) == 0 &&
        word.compare(word.size() - tail.size(), tail.size(), tail) == 0) {
        const char* begin = word.data() + lead.size();
        const char* end = word.data() + word.size() - tail.size();
        int count = 0;
        auto [stop, error] = std::from_chars(begin, end, count);
        if (error == std::errc() && stop == end && count >= 1 && count <= 36600) {
            return DayRange{today - (count - 1), today};
        }
    }
    return std::nullopt;
}

bool DateHolds(long operation, std::string_view recordText, std::string_view entered,
               std::int32_t today) {
    std::optional<std::int32_t> day = RecordDay(recordText);
    if (!day) return false;
    if (operation == Operation::Between) {
        const std::size_t join = entered.find(kDateRangeJoin);
        if (join == std::string_view::npos) return false;
        std::optional<DayRange> from = ResolveDateValue(entered.substr(0, join), today);
        std::optional<DayRange> to =
            ResolveDateValue(entered.substr(join + kDateRangeJoin.size()), today);
        return from && to && *day >= from->first && *day <= to->last;
    }
    std::optional<DayRange> range = ResolveDateValue(entered, today);
    if (!range) return false;
    switch (operation) {
        case Operation::LessThan:
            return *day < range->first;
        case Operation::LessOrEqual:
            return *day <= range->last;
        case Operation::Equal:
            return *day >= range->first && *day <= range->last;
        case Operation::GreaterOrEqual:
            return *day >= range->first;
        case Operation::GreaterThan:
            return *day > range->last;
        default:
            return false;
    }
}

std::int32_t DateRulesToday() {
    std::int64_t pinned = pinnedToday.load(std::memory_order_relaxed);
    return pinned == kNotPinned ? LocalToday() : static_cast<std::int32_t>(pinned);
}

void PinDateRulesToday(std::optional<std::int32_t> day) {
    pinnedToday.store(day ? *day : kNotPinned, std::memory_order_relaxed);
}

}  // namespace quarrion
