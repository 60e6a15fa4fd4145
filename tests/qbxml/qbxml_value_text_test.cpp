#include "qbxml/qbxml_value_text.h"

#include <gtest/gtest.h>

#include "foundation/calendar_day.h"

namespace quarrion {
namespace {

std::int64_t Local(int y, int m, int d, int hour, int minute) {
    return static_cast<std::int64_t>(DayFromCivil(y, m, d)) * 86400 + hour * 3600 + minute * 60;
}

// Hundredths as an amount (always two decimals) and as a quantity (no trailing zeros).
TEST(QbxmlValueText, AmountsHaveTwoDecimalsQuantitiesNoTrailingZeros) {
    const std::int64_t hundredths[] = {123456, 0, -5, -120000, 250, -50};
    const char* amounts[] = {"1234.56", "0.00", "-0.05", "-1200.00", "2.50", "-0.50"};
    const char* quantities[] = {"1234.56", "0", "-0.05", "-1200", "2.5", "-0.5"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(AmountText(hundredths[i]), amounts[i]);
        EXPECT_EQ(HundredthsText(hundredths[i]), quantities[i]);
    }
}

TEST(QbxmlValueText, DateTimesCarryTheEasternOffsetOfTheirDayAndUnixTimeAppliesIt) {
    EXPECT_EQ(DateTimeText(Local(2026, 11, 2, 10, 15)), "2026-11-02T10:15:00-05:00");
    EXPECT_EQ(DateTimeText(Local(2026, 7, 4, 9, 5)), "2026-07-04T09:05:00-04:00");
    // Daylight time runs from the second Sunday of March to the first Sunday of November.
    EXPECT_EQ(DateTimeText(Local(2026, 3, 8, 1, 59)), "2026-03-08T01:59:00-05:00");
    EXPECT_EQ(DateTimeText(Local(2026, 3, 8, 3, 0)), "2026-03-08T03:00:00-04:00");
    EXPECT_EQ(DateTimeText(Local(2026, 11, 1, 1, 30)), "2026-11-01T01:30:00-04:00");
    EXPECT_EQ(DateTimeText(Local(2026, 11, 1, 2, 30)), "2026-11-01T02:30:00-05:00");
    // 10:15 Eastern standard time is 15:15 UTC.
    EXPECT_EQ(UnixTimeOf(Local(2026, 11, 2, 10, 15)), Local(2026, 11, 2, 15, 15));
    EXPECT_EQ(UnixTimeOf(Local(2026, 7, 4, 9, 0)), Local(2026, 7, 4, 13, 0));
}

TEST(QbxmlValueText, DatesAndDurations) {
    EXPECT_EQ(DateText(DayFromCivil(2024, 2, 29)), "2024-02-29");
    EXPECT_EQ(DurationText(195), "PT3H15M0S");
    EXPECT_EQ(DurationText(30), "PT0H30M0S");
}

}  // namespace
}  // namespace quarrion
