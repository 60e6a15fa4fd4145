#include "results/record_feed.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quarrion {
namespace {

struct FeedCase {
    const char* name;
    std::string text;
    std::vector<std::string> records;
    std::string state;  // "failed", "limit N" (N records unsearched) or ""
};

std::string Answer(const std::string& rsAttributes, const std::string& records) {
    return "<?xml version=\"1.0\"?><QBXML><QBXMLMsgsRs><InvoiceQueryRs statusCode=\"0\"" +
           rsAttributes + ">" + records + "</InvoiceQueryRs></QBXMLMsgsRs></QBXML>";
}

const std::string kOne = "<InvoiceRet><TxnID>1</TxnID></InvoiceRet>";
const std::string kTwo =
    "<InvoiceRet tslkey=\"k5\"><Memo><![CDATA[</InvoiceRet>]]></Memo></InvoiceRet>";

std::string Many(int count) {
    std::string records;
    for (int i = 0; i < count; ++i) records += kOne;
    return records;
}

class RecordFeedTest : public ::testing::TestWithParam<FeedCase> {};

// Whether the pass runs in place or beside the reader, the reader gets the same.
TEST_P(RecordFeedTest, FindsTheSameInPlaceAndAside) {
    const FeedCase& c = GetParam();
    for (bool aside : {false, true}) {
        SCOPED_TRACE(aside ? "aside" : "in place");
        RecordFeed feed(c.text, "InvoiceRet");
        if (aside) {
            feed.ScanAside();
        } else {
            feed.Scan();
        }
        std::vector<std::string> records;
        std::string_view record;
        for (std::size_t i = 0; feed.Get(i, record); ++i) records.emplace_back(record);
        const std::string state = feed.Failed() ? "failed"
                                  : feed.LimitReached()
                                      ? "limit " + std::to_string(feed.Unsearched())
                                      : "";
        EXPECT_EQ(state, c.state);
        if (feed.Failed()) continue;
        EXPECT_EQ(records, c.records);
        EXPECT_EQ(feed.Count(), c.records.size());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, RecordFeedTest,
    ::testing::Values(
        FeedCase{"Records", Answer("", kOne + "\n" + kTwo), {kOne, kTwo}, ""},
        FeedCase{"ManyBatches", Answer("", Many(1000)), std::vector<std::string>(1000, kOne), ""},
        FeedCase{"NestedAnywhere",
                 "<QBXML><A><B>" + kOne + "</B></A>" + kOne + "</QBXML>",
                 {kOne, kOne},
                 ""},
        FeedCase{"None", Answer("", ""), {}, ""},
        FeedCase{"LimitWithCount",
                 Answer(" limitReached=\"true\" iteratorRemainingCount=\"12\"", kOne),
                 {kOne},
                 "limit 12"},
        FeedCase{"LimitWithoutCount", Answer(" limitReached=\"1\"", kOne), {kOne}, "limit 0"},
        FeedCase{"LimitSaidFalse", Answer(" limitReached=\"false\"", kOne), {kOne}, ""},
        FeedCase{"LimitOutsideTheMessageSet",
                 "<QBXML><Other/><QBXMLMsgsRs><InvoiceQueryRs limitReached=\"true\">" + kOne +
                     "</InvoiceQueryRs></QBXMLMsgsRs></QBXML>",
                 {kOne},
                 ""},
        FeedCase{"CutOffInARecord", Answer("", Many(300)).substr(0, 5000), {}, "failed"},
        FeedCase{"DamagedAfterTheRecords", Answer("", Many(300) + "<Bad>"), {}, "failed"},
        FeedCase{"Empty", "", {}, "failed"},
        FeedCase{"DocumentType", "<!DOCTYPE QBXML>" + Answer("", kOne), {}, "failed"}),
    [](const auto& info) { return std::string(info.param.name); });

// A feed dropped while its pass still runs stops the pass and waits for it, so the
// text may go right after.
TEST(RecordFeed, DroppedWhileScanningLeavesNothingRunning) {
    auto text = std::make_unique<std::string>(Answer("", Many(200000)));
    std::size_t taken = 0;
    {
        RecordFeed feed(*text, "InvoiceRet");
        feed.ScanAside();
        std::string_view record;
        while (taken < 10 && feed.Get(taken, record)) ++taken;
    }
    text.reset();
    EXPECT_EQ(taken, 10u);
}

}  // namespace
}  // namespace quarrion
