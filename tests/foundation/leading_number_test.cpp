#include "foundation/leading_number.h"

#include <gtest/gtest.h>

namespace quarrion {
namespace {

struct Case {
    const char* text;
    double value;
};

class LeadingNumberTest : public ::testing::TestWithParam<Case> {};

TEST_P(LeadingNumberTest, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(LeadingNumber(GetParam().text), GetParam().value) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, LeadingNumberTest,
                         ::testing::Values(Case{"1,250.00", 1}, Case{" 1 2 3", 123},
                                           Case{"12abc", 12}, Case{"1e3", 1000}, Case{"abc", 0},
                                           Case{"", 0}, Case{"   ", 0}, Case{"-42.5", -42.5},
                                           Case{"+7", 7}, Case{"  - 3", -3}, Case{".5", 0.5},
                                           Case{"1.2.3", 1.2}, Case{"2.5E-1", 0.25}, Case{"3e", 3},
                                           Case{"3e+", 3}, Case{"1 000.5", 1000.5},
                                           Case{"0.1", 0.1}, Case{"-", 0}, Case{"$5", 0},
                                           Case{"1\t2", 12}, Case{"4D2", 400}));

}  // namespace
}  // namespace quarrion
