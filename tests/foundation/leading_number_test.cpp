#include "foundation/leading_number.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace quarrion {
namespace {

TEST(LeadingNumber, ReadsTheLeadingNumberAsARuleDoes) {
    const std::pair<const char*, double> cases[] = {
        {"1,250.00", 1}, {" 1 2 3", 123},  {"1e3", 1000},    {"abc", 0},
        {"", 0},         {"-42.5", -42.5}, {"+7", 7},        {"  - 3", -3},
        {".5", 0.5},     {"1.2.3", 1.2},   {"2.5E-1", 0.25}, {"3e+", 3},
        {"-", 0},        {"$5", 0},        {"1\t2", 12},     {"4D2", 400}};
    for (const auto& [text, value] : cases) EXPECT_DOUBLE_EQ(LeadingNumber(text), value) << text;
}

// A value reads exactly as the same text typed into a rule (a correctly rounded
// conversion), however many digits it has, and never as NaN.
TEST(LeadingNumberRounding, LongHugeAndTinyTextsReadAsTheCorrectlyRoundedDoubleNeverNaN) {
    for (const char* text : {"9181300065.471817", "0.30000000000000004", "123456789012345678901",
                             "1.7976931348623157e308"}) {
        EXPECT_EQ(LeadingNumber(text), std::strtod(text, nullptr)) << text;
    }
    const std::string digits309 = "1" + std::string(308, '0');
    EXPECT_EQ(LeadingNumber(digits309), 1e308);
    const std::string digits400 = "9" + std::string(399, '9');
    EXPECT_EQ(LeadingNumber(digits400), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("-" + digits400), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("1e999999"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(LeadingNumber("1e-999999"), 0.0);
    EXPECT_EQ(LeadingNumber("0." + std::string(400, '0') + "1"), 0.0);
    for (const std::string& text : {digits400, std::string("1e999999"), "0." + digits400}) {
        EXPECT_FALSE(std::isnan(LeadingNumber(text))) << text.substr(0, 20);
    }
}

}  // namespace
}  // namespace quarrion
