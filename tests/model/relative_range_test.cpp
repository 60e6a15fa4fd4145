#include <gtest/gtest.h>

#include <string>

#include "foundation/calendar_day.h"
#include "model/search_object2.h"

namespace quarrion {
namespace {

SearchDate Day(const char* iso) {
    return SearchDate(std::chrono::days(*ParseIsoDay(iso)));
}

// A saved range resolves to the first and last day of its span as of the day it runs,
// whatever day it was saved on.
TEST(RelativeRange, EachEndResolvesToTheEdgeOfItsSpan) {
    struct Case {
        const char* today;
        const char* from;
        const char* to;
        const char* first;
        const char* last;
    };
    const Case cases[] = {
        {"2026-01-01", "last-month", "last-month", "2025-12-01", "2025-12-31"},
        {"2026-03-31", "this-month", "this-month", "2026-03-01", "2026-03-31"},
        {"2024-03-01", "last-month", "last-month", "2024-02-01", "2024-02-29"},
        {"2026-04-01", "last-quarter", "last-quarter", "2026-01-01", "2026-03-31"},
        {"2026-01-15", "last-quarter", "last-quarter", "2025-10-01", "2025-12-31"},
        {"2026-12-31", "this-quarter", "this-quarter", "2026-10-01", "2026-12-31"},
        {"2026-01-01", "last-year", "last-year", "2025-01-01", "2025-12-31"},
        {"2026-06-30", "this-year", "this-year", "2026-01-01", "2026-12-31"},
        {"2026-06-30", "year-to-date", "year-to-date", "2026-01-01", "2026-06-30"},
        {"2026-03-01", "last-30-days", "today", "2026-01-31", "2026-03-01"},
        {"2026-11-02", "last-year", "this-month", "2025-01-01", "2026-11-30"},
    };
    for (const Case& c : cases) {
        SearchObject2 search;
        search.FromText = c.from;
        search.ToText = c.to;
        search.FromDate = Day("2020-05-05");
        search.ToDate = Day("2020-05-06");
        search.ResolveRelativeDates(*ParseIsoDay(c.today));
        EXPECT_EQ(search.FormatFrom(), c.first) << c.from << " on " << c.today;
        EXPECT_EQ(search.FormatTo(), c.last) << c.to << " on " << c.today;
    }
}

TEST(RelativeRange, AFixedEndKeepsItsDay) {
    SearchObject2 search;
    search.FromDate = Day("2026-02-03");
    search.ToText = "this-month";
    search.ResolveRelativeDates(*ParseIsoDay("2026-07-10"));
    EXPECT_EQ(search.FormatFrom(), "2026-02-03");
    EXPECT_EQ(search.FormatTo(), "2026-07-31");
}

TEST(RelativeRange, CopiesCarryTheRelativeEndsAndTextOptions) {
    SearchObject2 search;
    search.FromText = "last-month";
    search.ToText = "year-to-date";
    search.TextOptions = {true, LetterCase::IgnoreCase};
    SearchObject2 copy;
    search.Copy(copy, CopyDirection::IntoTarget);
    EXPECT_EQ(copy.FromText, "last-month");
    EXPECT_EQ(copy.ToText, "year-to-date");
    EXPECT_EQ(copy.TextOptions, search.TextOptions);
    copy.Clear();
    EXPECT_EQ(copy.TextOptions, search.TextOptions) << "a cleared search keeps its options";
}

}  // namespace
}  // namespace quarrion
