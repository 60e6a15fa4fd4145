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

// The error log window's tests show the columns; here, a message's TABs and line breaks
// never break the table, lines from many threads stay whole and clearing keeps the header.
TEST(ErrorLog, EveryLineStaysOneRowOfFiveColumns) {
    test::TempDir dir;
    ErrorLog log(ErrorLog::PathIn(dir.Path()));
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 50; ++i)
                EXPECT_TRUE(log.Append({"Invoice", 3200, "Error", std::string(200, 'a' + t)}));
        });
    }
    for (auto& thread : threads) thread.join();
    ASSERT_TRUE(log.Append({"Invoice", 3200, "Error", "changed\tsince\nthe search"}));
    auto lines = Lines(test::ReadAll(log.Path()));
    ASSERT_EQ(lines.size(), 202u);
    EXPECT_EQ(lines[0], ErrorLog::Header());
    const std::regex row(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\tInvoice\t3200\tError\t[^\t]+)");
    for (std::size_t i = 1; i < lines.size(); ++i) {
        EXPECT_TRUE(std::regex_match(lines[i], row)) << lines[i];
    }
    EXPECT_TRUE(lines.back().ends_with("\tchanged since the search")) << lines.back();
    ASSERT_TRUE(log.Clear());
    EXPECT_EQ(test::ReadAll(log.Path()), std::string(ErrorLog::Header()) + "\n");
}

}  // namespace
}  // namespace quarrion
