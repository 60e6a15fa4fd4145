#include "foundation/calendar_day.h"

#include <gtest/gtest.h>

namespace quarrion {
namespace {

TEST(CalendarDay, CountsDaysFromTheFirstOfJanuary1970WithTheirWeekdays) {
    EXPECT_EQ(DayFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(DayFromCivil(1969, 12, 31), -1);
    EXPECT_EQ(DayFromCivil(2026, 11, 2), 20759);
    EXPECT_EQ(WeekdayOf(DayFromCivil(1970, 1, 1)), 4);    // Thursday
    EXPECT_EQ(WeekdayOf(DayFromCivil(2026, 11, 2)), 1);   // Monday
    EXPECT_EQ(WeekdayOf(DayFromCivil(1969, 12, 28)), 0);  // Sunday, before the epoch
}

TEST(CalendarDay, ConvertsBackToTheSameDate) {
    for (std::int32_t day = DayFromCivil(1899, 12, 25); day < DayFromCivil(2101, 1, 10); day += 7) {
        const CivilDate date = CivilFromDay(day);
        ASSERT_EQ(DayFromCivil(date.year, date.month, date.day), day);
    }
    EXPECT_EQ(FormatIsoDay(DayFromCivil(2024, 2, 29)), "2024-02-29");
}

TEST(CalendarDay, AddingMonthsKeepsTheDayOrTakesTheMonthsLast) {
    struct Case {
        const char* from;
        int months;
        const char* to;
    };
    const Case cases[] = {{"2026-11-02", -36, "2023-11-02"}, {"2026-01-31", 1, "2026-02-28"},
                          {"2024-01-31", 1, "2024-02-29"},   {"2026-03-31", -1, "2026-02-28"},
                          {"2026-12-15", 1, "2027-01-15"},   {"2026-01-15", -13, "2024-12-15"},
                          {"2026-05-10", 0, "2026-05-10"}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatIsoDay(AddMonths(*ParseIsoDay(c.from), c.months)), c.to)
            << c.from << " " << c.months;
    }
}

TEST(CalendarDay, ReadsOnlyRealDatesAndWritesThemWithLeadingZeros) {
    EXPECT_EQ(ParseIsoDay("2024-02-29"), DayFromCivil(2024, 2, 29));
    EXPECT_EQ(FormatIsoDay(DayFromCivil(2026, 3, 7)), "2026-03-07");
    for (const char* bad :
         {"2026-02-30", "2025-02-29", "2026-13-01", "2026-00-10", "2026-1-02", "20261102",
          "2026-11-02x", " 2026-11-02", "2026/11/02", "", "abcd-ef-gh", "2026-11-+2"}) {
        EXPECT_FALSE(ParseIsoDay(bad).has_value()) << bad;
    }
}

}  // namespace
}  // namespace quarrion
