// Pages whose records the processor vouches for: the link reads only the text around
// them, and must gather exactly the answer it gathers by reading every page whole.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "company_text.h"
#include "link/qbxml_request_builder.h"
#include "link/records_response.h"
#include "link/response_files_processor.h"
#include "link/sample_company_processor.h"
#include "qbxml/request_type_info.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

constexpr std::int32_t kInvoice = 4;

// A company of invoices (with lines, links and custom fields) and customers, one of
// them inactive.
std::string Company() {
    return test::CompanyText({{"Invoice", test::Invoices(23)},
                              {"Customer",
                               {test::CustomerRecord("C-1", "Acme &amp; Co"),
                                test::CustomerRecord("C-2", "Gone", false)}}});
}

// What one walk through a type's records gathered: the answer, every page's info as
// "in taken remaining status", and the error that ended it.
struct Gathered {
    std::string answer;
    std::vector<std::string> pages;
    std::string error;
    bool operator==(const Gathered&) const = default;
};

// Walks the records of `requestType` in pages of `pageSize`, each page read with the
// processor's record spans (our processors vouch for every record they answer) or whole.
Gathered Walk(RequestProcessor& processor, std::int32_t requestType, std::int32_t pageSize,
              bool vouched) {
    const RequestType* type = RequestTypeInfo::Find(requestType);
    RecordsResponse response{std::string(type->stem)};
    RecordsQuery query;
    query.requestType = requestType;
    query.maxReturned = pageSize;
    query.iterator = IteratorStep::Start;
    Gathered gathered;
    for (int number = 1; number < 100; ++number) {
        query.requestId = std::to_string(number);
        ProcessResult result =
            processor.ProcessRequest(QbxmlRequestBuilder::RecordsQueryRequest(query));
        EXPECT_TRUE(result.Ok()) << result.failure.message;
        QueryPageInfo info;
        gathered.error = vouched ? response.AddPage(result.response, 1000, info, result.recordSpans)
                                 : response.AddPage(result.response, 1000, info);
        if (vouched) EXPECT_EQ(result.recordSpans.size(), info.recordsInPage);
        gathered.pages.push_back(
            std::to_string(info.recordsInPage) + " " + std::to_string(info.recordsTaken) + " " +
            std::to_string(info.remaining) + " " + std::to_string(info.status.code));
        if (!gathered.error.empty() || info.remaining == 0 || info.iteratorId.empty()) break;
        query.iterator = IteratorStep::Continue;
        query.iteratorId = info.iteratorId;
    }
    gathered.answer = response.Finish();
    return gathered;
}

class VouchedRecords : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteText(dir.Path() / "company.xml", Company());
        std::filesystem::create_directories(dir.Path() / "responses");
        test::WriteText(dir.Path() / "responses" / "Invoice.xml", Company());
        test::WriteText(dir.Path() / "responses" / "Customer.xml", Company());
    }

    // Both of our processors, each answering from the same records.
    std::vector<std::unique_ptr<RequestProcessor>> Processors() {
        std::vector<std::unique_ptr<RequestProcessor>> processors;
        processors.push_back(std::make_unique<SampleCompanyProcessor>(dir.Path() / "company.xml"));
        processors.push_back(std::make_unique<ResponseFilesProcessor>(dir.Path() / "responses"));
        return processors;
    }

    test::TempDir dir;
};

// Pages of several sizes, whole answers and trimmed ones (the sample company leaves
// line items out unless asked), list types and transaction types.
TEST_F(VouchedRecords, GatherTheSameAnswerAsPagesReadWhole) {
    for (std::int32_t requestType : {kInvoice, std::int32_t{2}}) {
        for (std::int32_t pageSize : {1, 5, 23, 500}) {
            auto vouched = Processors();
            auto whole = Processors();
            for (std::size_t p = 0; p < vouched.size(); ++p) {
                SCOPED_TRACE(vouched[p]->Context() + " type " + std::to_string(requestType) +
                             " pages of " + std::to_string(pageSize));
                Gathered a = Walk(*vouched[p], requestType, pageSize, true);
                Gathered b = Walk(*whole[p], requestType, pageSize, false);
                EXPECT_TRUE(a.error.empty()) << a.error;
                EXPECT_NE(a.answer.find(RequestTypeInfo::RecordElementName(requestType)),
                          std::string::npos);
                EXPECT_EQ(a.pages, b.pages);
                EXPECT_TRUE(a == b) << "the answers differ";
            }
        }
    }
}

// The first page of three invoices from the response files, with its record spans.
ProcessResult FirstThree(const std::filesystem::path& folder) {
    ResponseFilesProcessor processor(folder);
    RecordsQuery query;
    query.requestType = kInvoice;
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
TEST_F(VouchedRecords, OtherSpansGatherWhatThePageReadWholeGives) {
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
        ProcessResult result = FirstThree(dir.Path() / "responses");
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
TEST_F(VouchedRecords, APageDamagedBetweenItsRecordsIsReportedAsWhenReadWhole) {
    ProcessResult result = FirstThree(dir.Path() / "responses");
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
