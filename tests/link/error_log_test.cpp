#include "link/error_log.h"

#include <gtest/gtest.h>

#include <regex>
#include <thread>
#include <vector>

#include "support/temp_home.h"
#include "support/text_parts.h"

namespace quarrion {
namespace {

using test::Lines;

// The column titles are shown by the error log window's tests; here, the lines under them.
TEST(ErrorLog, LinesStayOneRowOfFiveColumnsAndClearingKeepsTheHeader) {
    test::TempDir dir;
    ErrorLog log(ErrorLog::PathIn(dir.Path()));
    ASSERT_TRUE(log.Append({"Invoice", 3200, "Error", "changed\tsince\nthe search"}));
    auto lines = Lines(test::ReadAll(log.Path()));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], ErrorLog::Header());
    // TABs and line breaks in a message never break the table.
    EXPECT_TRUE(std::regex_match(
        lines[1],
        std::regex(
            R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\tInvoice\t3200\tError\tchanged since the search)")))
        << lines[1];
    ASSERT_TRUE(log.Clear());
    EXPECT_EQ(test::ReadAll(log.Path()), std::string(ErrorLog::Header()) + "\n");
    ASSERT_TRUE(log.Append({"", 1, "Error", "y"}));
    EXPECT_EQ(Lines(test::ReadAll(log.Path())).size(), 2u) << "the log goes on after clearing";
}

TEST(ErrorLog, LinesFromManyThreadsStayWhole) {
    test::TempDir dir;
    ErrorLog log(ErrorLog::PathIn(dir.Path()));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i)
                EXPECT_TRUE(log.Append({"Invoice", t, "Error", std::string(200, 'a' + t)}));
        });
    }
    for (auto& thread : threads) thread.join();
    auto lines = Lines(test::ReadAll(log.Path()));
    ASSERT_EQ(lines.size(), 201u);
    EXPECT_EQ(lines[0], ErrorLog::Header());
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_EQ(test::Split(lines[i], '\t').size(), 5u) << lines[i];
    }
}

}  // namespace
}  // namespace quarrion
