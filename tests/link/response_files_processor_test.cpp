#include "link/response_files_processor.h"

#include <gtest/gtest.h>

#include "company_text.h"
#include "processor_test_support.h"
#include "qbxml/request_type_info.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

using test::Ask;
using test::RequestSet;

// A response file as another program saved it: the answer to one query.
std::string ResponseFile(const std::string& stem, const std::vector<std::string>& records) {
    return test::CompanyText({{stem, records}});
}

TEST(ResponseFilesProcessor, AnswersQueriesFromRecordsAnywhereInItsFiles) {
    test::TempDir dir;
    std::vector<std::string> invoices = test::Invoices(2);  // dated in January
    invoices.push_back(test::InvoiceRecord({"B", "2026-02-10"}));
    invoices.push_back("<InvoiceRet><TxnID>U</TxnID></InvoiceRet>");
    test::WriteText(dir.Path() / "Invoice.xml", ResponseFile("Invoice", invoices));
    test::WriteText(dir.Path() / "Customer.xml",
                    "<QBXML><QBXMLMsgsRs><CustomerQueryRs statusCode=\"0\"><Batch>" +
                        test::CustomerRecord("C-1", "A") +
                        "</Batch></CustomerQueryRs><CustomerQueryRs statusCode=\"0\">" +
                        test::CustomerRecord("C-2", "B") +
                        "</CustomerQueryRs></QBXMLMsgsRs></QBXML>");
    ResponseFilesProcessor processor(dir.Path());
    EXPECT_EQ(processor.Context(), "Response Files");
    EXPECT_EQ(processor.FileText(), dir.Path().string());
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
    // A type without its file is a link failure, not an empty answer.
    auto vendors = Ask(processor, RequestSet("<VendorQueryRq/>"));
    ASSERT_FALSE(vendors.result.Ok());
    EXPECT_EQ(vendors.result.failure.code, LinkError::ResponseFileMissing);
    EXPECT_NE(vendors.result.failure.message.find("Vendor.xml"), std::string::npos)
        << vendors.result.failure.message;
}

TEST(ResponseFilesProcessor, RefusesChanges) {
    test::TempDir dir;
    std::string text = ResponseFile("Invoice", test::Invoices(1));
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

std::string BillionLaughs() {
    std::string text = "<?xml version=\"1.0\"?>\n<!DOCTYPE lolz [\n<!ENTITY lol \"lol\">\n";
    text += "<!ENTITY lol1 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">\n";
    for (int i = 2; i <= 9; ++i) {
        std::string prev = "&lol" + std::to_string(i - 1) + ";";
        text += "<!ENTITY lol" + std::to_string(i) + " \"";
        for (int k = 0; k < 10; ++k) text += prev;
        text += "\">\n";
    }
    text +=
        "]>\n<QBXML><QBXMLMsgsRs><InvoiceQueryRs statusCode=\"0\"><InvoiceRet><TxnID>&lol9;</TxnID>"
        "</InvoiceRet></InvoiceQueryRs></QBXMLMsgsRs></QBXML>\n";
    return text;
}

std::string DeeplyNested() {
    std::string text = "<QBXML><QBXMLMsgsRs><InvoiceQueryRs statusCode=\"0\"><InvoiceRet><Memo>";
    for (int i = 0; i < 50000; ++i) text += "<x>";
    for (int i = 0; i < 50000; ++i) text += "</x>";
    return text + "</Memo></InvoiceRet></InvoiceQueryRs></QBXMLMsgsRs></QBXML>";
}

// Hostile or broken files: refused with a clear failure, never expanded or crashed on.
TEST(ResponseFilesProcessor, HostileFilesAreRefusedWithAClearMessage) {
    const std::pair<std::string, const char*> files[] = {
        {BillionLaughs(), "document type declaration"},
        {DeeplyNested(), "levels deep"},
        {ResponseFile("Invoice", test::Invoices(3)).substr(0, 300), "cut off"},
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
        EXPECT_NE(result.failure.message.find(says), std::string::npos) << result.failure.message;
        EXPECT_NE(result.failure.message.find("Invoice.xml"), std::string::npos);
    }
}

TEST(ResponseFilesProcessor, AnEntityReferenceWithoutDeclarationStaysLiteralText) {
    test::TempDir dir;
    test::WriteText(
        dir.Path() / "Invoice.xml",
        ResponseFile("Invoice", {"<InvoiceRet><TxnID>A</TxnID><Memo>&lol9;</Memo></InvoiceRet>"}));
    ResponseFilesProcessor processor(dir.Path());
    auto answer = Ask(processor, RequestSet("<InvoiceQueryRq/>"));
    ASSERT_TRUE(answer.result.Ok()) << answer.result.failure.message;
    EXPECT_LT(answer.result.response.size(), 2000u);
    EXPECT_STREQ(answer.First().child("InvoiceRet").child_value("Memo"), "&lol9;");
}

}  // namespace
}  // namespace quarrion
