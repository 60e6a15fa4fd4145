#include "link/response_files_processor.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "company_text.h"
#include "foundation/codes.h"
#include "processor_test_support.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

using test::Ask;
using test::RequestSet;
using ::testing::HasSubstr;

// A response file as another program saved it: the answer to one query.
std::string InvoiceFile(const std::vector<std::string>& records) {
    return test::CompanyText({{"Invoice", records}});
}

TEST(ResponseFilesProcessor, AnswersQueriesFromRecordsAnywhereInItsFiles) {
    test::TempDir dir;
    std::vector<std::string> invoices = test::Invoices(2);  // dated in January
    invoices.push_back(test::InvoiceRecord({"B", "2026-02-10"}));
    invoices.push_back("<InvoiceRet><TxnID>U</TxnID></InvoiceRet>");
    test::WriteText(dir.Path() / "Invoice.xml", InvoiceFile(invoices));
    test::WriteText(dir.Path() / "Customer.xml",
                    "<QBXML><QBXMLMsgsRs><CustomerQueryRs statusCode=\"0\"><Batch>" +
                        test::CustomerRecord("C-1", "A") +
                        "</Batch></CustomerQueryRs><CustomerQueryRs statusCode=\"0\">" +
                        test::CustomerRecord("C-2", "B") +
                        "</CustomerQueryRs></QBXMLMsgsRs></QBXML>");
    ResponseFilesProcessor processor(dir.Path());
    const std::pair<const char*, std::vector<std::string>> cases[] = {
        {"<InvoiceQueryRq/>", {"T-1", "T-2", "B", "U"}},
        // A record without the date a filter reads is kept.
        {"<InvoiceQueryRq><TxnDateRangeFilter><FromTxnDate>2026-02-01</FromTxnDate>"
         "</TxnDateRangeFilter></InvoiceQueryRq>",
         {"B", "U"}},
        {"<CustomerQueryRq><ActiveStatus>All</ActiveStatus></CustomerQueryRq>", {"C-1", "C-2"}},
    };
    for (const auto& [query, ids] : cases) {
        auto answer = Ask(processor, RequestSet(query));
        ASSERT_TRUE(answer.result.Ok()) << query << ": " << answer.result.failure.message;
        EXPECT_EQ(answer.Code(), 0) << query;
        EXPECT_EQ(answer.Ids(), ids) << query;
        // Records come whole: a saved answer holds only what was asked for then.
        if (ids[0] == "T-1")
            EXPECT_TRUE(answer.First().child("InvoiceRet").child("InvoiceLineRet"));
    }
    // A type without its file failing its search: the terminal tool's response-file test.
}

TEST(ResponseFilesProcessor, RefusesChanges) {
    test::TempDir dir;
    std::string text = InvoiceFile(test::Invoices(1));
    test::WriteText(dir.Path() / "Invoice.xml", text);
    ResponseFilesProcessor processor(dir.Path());
    auto answer =
        Ask(processor, RequestSet("<InvoiceModRq><InvoiceMod><TxnID>T-1</TxnID><EditSequence>1001"
                                  "</EditSequence><IsToBePrinted>true</IsToBePrinted></InvoiceMod>"
                                  "</InvoiceModRq>"));
    EXPECT_EQ(answer.Code(), QbxmlStatus::NotSupported);
    EXPECT_STREQ(answer.First().attribute("statusSeverity").value(), "Error");
    EXPECT_EQ(test::ReadAll(dir.Path() / "Invoice.xml"), text);
    EXPECT_EQ(processor.OpenRecord("T-1", 4).code, LinkError::CannotOpenRecord);
}

std::string Repeated(const std::string& part, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += part;
    return text;
}

std::string EntityBomb() {
    std::string text = InvoiceFile({"<InvoiceRet><TxnID>&c;</TxnID></InvoiceRet>"});
    return text.insert(text.find("<QBXML>"),
                       "<!DOCTYPE QBXML [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"" +
                           Repeated("&a;", 10) + "\"><!ENTITY c \"" + Repeated("&b;", 10) +
                           "\">]>");
}

// Hostile or broken files: refused with a clear failure, never expanded or crashed on.
TEST(ResponseFilesProcessor, HostileFilesAreRefusedWithAClearMessage) {
    const std::pair<std::string, const char*> files[] = {
        {EntityBomb(), "document type declaration"},
        {InvoiceFile({"<InvoiceRet><Memo>" + Repeated("<x>", 50000) + Repeated("</x>", 50000) +
                      "</Memo></InvoiceRet>"}),
         "levels deep"},
        {InvoiceFile(test::Invoices(3)).substr(0, 300), "cut off"},
        {"", "empty"},
    };
    test::TempDir dir;
    for (const auto& [text, says] : files) {
        SCOPED_TRACE(says);
        test::WriteText(dir.Path() / "Invoice.xml", text);
        ResponseFilesProcessor processor(dir.Path());
        ProcessResult result = processor.ProcessRequest(RequestSet("<InvoiceQueryRq/>"));
        ASSERT_FALSE(result.Ok());
        EXPECT_EQ(result.failure.code, LinkError::ResponseUnreadable);
        EXPECT_THAT(result.failure.message,
                    ::testing::AllOf(HasSubstr(says), HasSubstr("Invoice.xml")));
    }
}

TEST(ResponseFilesProcessor, AnEntityReferenceWithoutDeclarationStaysLiteralText) {
    test::TempDir dir;
    test::WriteText(dir.Path() / "Invoice.xml",
                    InvoiceFile({"<InvoiceRet><TxnID>A</TxnID><Memo>&lol9;</Memo></InvoiceRet>"}));
    ResponseFilesProcessor processor(dir.Path());
    auto answer = Ask(processor, RequestSet("<InvoiceQueryRq/>"));
    ASSERT_TRUE(answer.result.Ok()) << answer.result.failure.message;
    EXPECT_LT(answer.result.response.size(), 2000u);
    EXPECT_STREQ(answer.First().child("InvoiceRet").child_value("Memo"), "&lol9;");
}

}  // namespace
}  // namespace quarrion
