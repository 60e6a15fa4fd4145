#include "model/date_value.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/calendar_day.h"
#include "model/rule_values.h"

namespace quarrion {
namespace {

std::int32_t Day(const char* iso) {
    return *ParseIsoDay(iso);
}

// Thursday 2026-11-05, in the fourth quarter.
const std::int32_t kToday = Day("2026-11-05");

TEST(DateValue, RelativeWordsCoverTheirSpanCountedFromToday) {
    struct Case {
        const char* text;
        const char* first;
        const char* last;
        const char* today = nullptr;  // nullptr: kToday
    };
    const Case cases[] = {
        {"today", "2026-11-05", "2026-11-05"},
        {"YESTERDAY", "2026-11-04", "2026-11-04"},
        {"this-week", "2026-11-01", "2026-11-07"},
        {"last-week", "2026-10-25", "2026-10-31"},
        {"this-month", "2026-11-01", "2026-11-30"},
        {"last-month", "2026-10-01", "2026-10-31"},
        {"this-quarter", "2026-10-01", "2026-12-31"},
        {"last-quarter", "2026-07-01", "2026-09-30"},
        {"this-year", "2026-01-01", "2026-12-31"},
        {"last-year", "2025-01-01", "2025-12-31"},
        {"year-to-date", "2026-01-01", "2026-11-05"},
        {"last-1-days", "2026-11-05", "2026-11-05"},
        {"last-30-days", "2026-10-07", "2026-11-05"},
        // Spans cross year and month ends, leap days included.
        {"last-month", "2025-12-01", "2025-12-31", "2026-01-15"},
        {"last-quarter", "2025-10-01", "2025-12-31", "2026-01-15"},
        {"last-month", "2024-02-01", "2024-02-29", "2024-03-31"},
    };
    for (const Case& c : cases) {
        std::optional<DayRange> range = ResolveDateValue(c.text, c.today ? Day(c.today) : kToday);
        ASSERT_TRUE(range) << c.text;
        EXPECT_EQ(FormatIsoDay(range->first), c.first) << c.text;
        EXPECT_EQ(FormatIsoDay(range->last), c.last) << c.text;
    }
}

TEST(DateValue, OtherTextsAreNoDates) {
    for (const char* text : {"", "2026-02-30", "26-01-01", "last-0-days", "last--3-days",
                             "last-x-days", "next-week", "2026-01-01..2026-02-01", "tomorrow"}) {
        EXPECT_FALSE(ResolveDateValue(text, kToday)) << text;
    }
}

TEST(DateValue, OperationsMeetTheSpanAtItsEdges) {
    struct Case {
        long operation;
        const char* record;
        const char* entered;
        bool holds;
    };
    const Case cases[] = {
        {Operation::LessThan, "2026-10-31", "this-month", true},
        {Operation::LessThan, "2026-11-01", "this-month", false},
        {Operation::LessOrEqual, "2026-11-30", "this-month", true},
        {Operation::LessOrEqual, "2026-12-01", "this-month", false},
        {Operation::Equal, "2026-11-30T23:59:59-08:00", "this-month", true},
        {Operation::Equal, "2026-12-01", "this-month", false},
        {Operation::GreaterOrEqual, "2026-11-01", "this-month", true},
        {Operation::GreaterOrEqual, "2026-10-31", "this-month", false},
        {Operation::GreaterThan, "2026-12-01", "this-month", true},
        {Operation::GreaterThan, "2026-11-30", "this-month", false},
        {Operation::Equal, "2026-03-01", "2026-03-01", true},
        {Operation::Between, "2026-10-31", "2026-01-01..last-month", true},
        {Operation::Between, "2026-11-01", "2026-01-01..last-month", false},
        {Operation::Between, "2025-12-31", "2026-01-01..last-month", false},
        {Operation::Equal, "soon", "today", false},
        {Operation::Equal, "2026-11-05", "someday", false},
        {Operation::Contains, "2026-11-05", "today", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateHolds(c.operation, c.record, c.entered, kToday), c.holds)
            << c.operation << " " << c.record << " " << c.entered;
    }
}

}  // namespace
}  // namespace quarrion
