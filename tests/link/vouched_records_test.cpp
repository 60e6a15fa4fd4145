// Pages whose records the processor vouches for: the link reads only the text around
// them, and must gather exactly the answer it gathers by reading every page whole. Whole
// walks agree end to end: a search through the Web Connector (pages read whole) lists
// what the sample company's vouched pages give, and a response file's records are kept
// byte for byte by the search run. Here, spans that must not be trusted.
#include <gtest/gtest.h>

#include <functional>

#include "company_text.h"
#include "foundation/codes.h"
#include "link/qbxml_request_builder.h"
#include "link/records_response.h"
#include "link/response_files_processor.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

// The first page of three invoices answered from a response file, with its record spans.
ProcessResult FirstThree() {
    test::TempDir dir;
    test::WriteText(dir.Path() / "Invoice.xml",
                    test::CompanyText({{"Invoice", test::Invoices(5)}}));
    ResponseFilesProcessor processor(dir.Path());
    RecordsQuery query;
    query.requestType = RequestTypeCode::Invoice;
    query.maxReturned = 3;
    ProcessResult result =
        processor.ProcessRequest(QbxmlRequestBuilder::RecordsQueryRequest(query));
    EXPECT_EQ(result.recordSpans.size(), 3u);
    result.recordSpans.resize(3);
    return result;
}

using Spans = std::vector<RecordSpan>;

// Spans that cannot be a page's records are not trusted (the page is read whole),
// and a record the spans do not cover is read as any page's record is and copied
// from its own place, whatever was cut out before or inside it.
TEST(VouchedRecords, OtherSpansGatherWhatThePageReadWholeGives) {
    using Change = std::function<void(Spans&, const std::string& page)>;
    const std::pair<const char*, Change> changes[] = {
        {"out of order", [](Spans& s, const std::string&) { std::swap(s[0], s[2]); }},
        {"overlapping", [](Spans& s, const std::string&) { s[1].begin = s[0].end - 5; }},
        {"past the end", [](Spans& s, const std::string& p) { s[2].end = p.size() + 9; }},
        {"not at a tag", [](Spans& s, const std::string&) { s[1].begin += 1; }},
        {"not to a tag's end", [](Spans& s, const std::string&) { s[0].end -= 1; }},
        {"empty", [](Spans& s, const std::string&) { s[1].end = s[1].begin; }},
        {"over an element inside a record",
         [](Spans& s, const std::string& page) {
             std::size_t txnId = page.find("<TxnID>", s[1].begin);
             s[1] = {txnId, page.find("</TxnID>", txnId) + 8};
         }},
    };
    for (const auto& [name, change] : changes) {
        SCOPED_TRACE(name);
        ProcessResult result = FirstThree();
        change(result.recordSpans, result.response);
        RecordsResponse changed("Invoice"), whole("Invoice");
        QueryPageInfo changedInfo, wholeInfo;
        EXPECT_EQ(changed.AddPage(result.response, 100, changedInfo, result.recordSpans), "");
        EXPECT_EQ(whole.AddPage(result.response, 100, wholeInfo), "");
        EXPECT_EQ(changedInfo.recordsInPage, 3u);
        EXPECT_EQ(changed.Finish(), whole.Finish());
    }
}

// Damage between the records is found and reported in the page's own terms.
TEST(VouchedRecords, APageDamagedBetweenItsRecordsIsReportedAsWhenReadWhole) {
    ProcessResult result = FirstThree();
    // Between the first and second record, keeping the spans' offsets valid.
    result.response.replace(result.recordSpans[0].end, 1, "<");

    RecordsResponse vouched("Invoice"), whole("Invoice");
    QueryPageInfo info;
    std::string error = vouched.AddPage(result.response, 100, info, result.recordSpans);
    EXPECT_NE(error.find("could not be read"), std::string::npos) << error;
    EXPECT_EQ(error, whole.AddPage(result.response, 100, info));
    EXPECT_EQ(vouched.RecordCount(), 0u);
}

}  // namespace
}  // namespace quarrion
