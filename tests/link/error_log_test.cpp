#include "link/error_log.h"

#include <gtest/gtest.h>

#include <regex>
#include <thread>
#include <vector>

#include "company_text.h"
#include "support/temp_home.h"
#include "support/text_parts.h"

namespace quarrion {
namespace {

using test::Lines;

std::vector<std::string> Fields(const std::string& line) {
    return test::Split(line, '\t');
}

TEST(ErrorLog, FirstLineHoldsTheColumnTitlesAndClearingKeepsIt) {
    test::TempDir dir;
    ErrorLog log(ErrorLog::PathIn(dir.Path()));
    ASSERT_TRUE(log.Append({"Invoice", 3200, "Error", "changed\tsince\nthe search"}));
    ASSERT_TRUE(log.Append({"", 28673, "Warn", "second"}));
    auto lines = Lines(test::ReadAll(log.Path()));
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(Fields(lines[0]), (std::vector<std::string>{"Time", "Request Type", "Status Code",
                                                          "Severity", "Message"}));
    auto first = Fields(lines[1]);
    ASSERT_EQ(first.size(), 5u);
    EXPECT_TRUE(std::regex_match(first[0], std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
        << first[0];
    EXPECT_EQ(first[1], "Invoice");
    EXPECT_EQ(first[2], "3200");
    EXPECT_EQ(first[3], "Error");
    // TABs and line breaks in a message never break the table.
    EXPECT_EQ(first[4], "changed since the search");
    EXPECT_EQ(Fields(lines[2]).size(), 5u);
    // Clearing leaves only the header, and the log goes on from there.
    ASSERT_TRUE(log.Clear());
    EXPECT_EQ(test::ReadAll(log.Path()), std::string(ErrorLog::Header()) + "\n");
    ASSERT_TRUE(log.Append({"Invoice", 1, "Error", "y"}));
    EXPECT_EQ(Lines(test::ReadAll(log.Path())).size(), 2u);
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
    for (std::size_t i = 1; i < lines.size(); ++i) EXPECT_EQ(Fields(lines[i]).size(), 5u);
}

}  // namespace
}  // namespace quarrion
