#include "link/sample_company_processor.h"

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

class SampleCompanyProcessorTest : public ::testing::Test {
  protected:
    void WriteCompany(std::vector<std::string> invoices, std::vector<std::string> customers = {}) {
        test::WriteText(path_, test::CompanyText({{"Customer", customers}, {"Invoice", invoices}}));
    }

    test::TempDir dir_;
    std::filesystem::path path_ = dir_.Path() / "company.qbxml";
};

// One query against a small company: which records come (ids joined by commas), with
// which status. (Both ends of a transaction date range: the terminal tool's rule test.)
struct QueryCase {
    const char* label;
    std::string query;
    const char* ids;
    int code;
    const char* severity;
};

std::string Joined(const std::vector<std::string>& ids) {
    std::string text;
    for (const std::string& id : ids) text += (text.empty() ? "" : ",") + id;
    return text;
}

TEST_F(SampleCompanyProcessorTest, QueriesSelectAsQuickBooksDoes) {
    WriteCompany({test::InvoiceRecord({"A", "2026-01-31", "2026-05-01T23:59:59-05:00"}),
                  test::InvoiceRecord({"B", "2026-02-01", "2026-05-02T00:00:00-05:00"}),
                  test::InvoiceRecord({"C", "2026-02-28", "2026-05-03T08:00:00+02:00"}),
                  test::InvoiceRecord({"D", "2026-03-01"})},
                 {test::CustomerRecord("C-1", "Live", true, "2026-04-30T10:00:00-05:00"),
                  test::CustomerRecord("C-2", "Gone", false, "2026-05-02T10:00:00-05:00")});
    const QueryCase cases[] = {
        {"nothing matches",
         "<InvoiceQueryRq><TxnDateRangeFilter><FromTxnDate>2030-01-01"
         "</FromTxnDate></TxnDateRangeFilter>",
         "", 1, "Info"},
        {"modified dates compare local times",
         "<InvoiceQueryRq><ModifiedDateRangeFilter><FromModifiedDate>2026-05-02T00:00:00"
         "</FromModifiedDate><ToModifiedDate>2026-05-02T23:59:59</ToModifiedDate>"
         "</ModifiedDateRangeFilter>",
         "B", 0, "Info"},
        {"a list's modified date",
         "<CustomerQueryRq><ActiveStatus>All</ActiveStatus><FromModifiedDate>2026-05-01"
         "</FromModifiedDate>",
         "C-2", 0, "Info"},
        {"active only by default", "<CustomerQueryRq/>", "C-1", 0, "Info"},
        {"all active states", "<CustomerQueryRq><ActiveStatus>All</ActiveStatus>", "C-1,C-2", 0,
         "Info"},
        {"inactive only", "<CustomerQueryRq><ActiveStatus>InactiveOnly</ActiveStatus>", "C-2", 0,
         "Info"},
        {"ids, some missing", "<InvoiceQueryRq><TxnID>C</TxnID><TxnID>gone</TxnID><TxnID>A</TxnID>",
         "A,C", QbxmlStatus::NotAllFound, "Warn"},
    };
    SampleCompanyProcessor processor(path_);
    for (const QueryCase& c : cases) {
        SCOPED_TRACE(c.label);
        // The query's own element, closed unless it closes itself.
        std::string query = c.query;
        const std::string stem = query.substr(1, query.find("QueryRq") - 1);
        if (query.ends_with("/>")) {
            query.replace(query.size() - 2, 2, ">");
        }
        query.insert(query.find('>'), " requestID=\"9\"");
        auto answer = Ask(processor, RequestSet(query + "</" + stem + "QueryRq>"));
        ASSERT_TRUE(answer.result.Ok()) << answer.result.failure.message;
        EXPECT_EQ(
            (std::tuple{std::string(answer.First().name()),
                        std::string(answer.First().attribute("requestID").value()), answer.Code(),
                        std::string(answer.First().attribute("statusSeverity").value()),
                        Joined(answer.Ids())}),
            (std::tuple{stem + "QueryRs", std::string("9"), c.code, std::string(c.severity),
                        std::string(c.ids)}));
    }
}

TEST_F(SampleCompanyProcessorTest, RecordsHoldLinesLinksAndCustomFieldsOnlyWhenAskedFor) {
    WriteCompany(test::Invoices(1));
    SampleCompanyProcessor processor(path_);
    auto bare = Ask(processor, RequestSet("<InvoiceQueryRq/>"));
    pugi::xml_node record = bare.First().child("InvoiceRet");
    ASSERT_TRUE(record.child("Memo"));
    EXPECT_FALSE(record.child("InvoiceLineRet") || record.child("LinkedTxn") ||
                 record.child("DataExtRet"));

    auto full =
        Ask(processor, RequestSet("<InvoiceQueryRq><IncludeLineItems>true</IncludeLineItems>"
                                  "<IncludeLinkedTxns>true</IncludeLinkedTxns><OwnerID>0</OwnerID>"
                                  "</InvoiceQueryRq>"));
    record = full.First().child("InvoiceRet");
    EXPECT_EQ(std::distance(record.children("InvoiceLineRet").begin(),
                            record.children("InvoiceLineRet").end()),
              2);
    EXPECT_TRUE(record.child("LinkedTxn"));
    EXPECT_STREQ(record.child("DataExtRet").child_value("DataExtValue"), "Blue");
    // Escaped text survives the round trip.
    EXPECT_STREQ(record.child("CustomerRef").child_value("FullName"), "Acme & Sons");
}

std::string ModRequest(const std::string& id, const std::string& sequence, const char* toPrint) {
    return RequestSet("<InvoiceModRq requestID=\"4\"><InvoiceMod><TxnID>" + id +
                      "</TxnID><EditSequence>" + sequence + "</EditSequence><IsToBePrinted>" +
                      toPrint + "</IsToBePrinted></InvoiceMod></InvoiceModRq>");
}

// A change on disk is read again; processors of one file see each other's changes.
TEST_F(SampleCompanyProcessorTest, ProcessorsOfOneFileSeeTheFilesChangesAndEachOthers) {
    WriteCompany(test::Invoices(1));
    SampleCompanyProcessor first(path_);
    SampleCompanyProcessor second(path_);
    ASSERT_EQ(Ask(first, RequestSet("<InvoiceQueryRq/>")).Ids().size(), 1u);
    WriteCompany(test::Invoices(4));
    EXPECT_EQ(Ask(first, RequestSet("<InvoiceQueryRq/>")).Ids().size(), 4u);
    ASSERT_EQ(Ask(second, ModRequest("T-1", "1001", "true")).Code(), 0);
    auto seen = Ask(first, RequestSet("<InvoiceQueryRq/>"));
    EXPECT_STREQ(seen.First().child("InvoiceRet").child_value("IsToBePrinted"), "true");
}

// Bad company files: a clear failure naming the file, which is never written. (A missing
// one: the link's missing-company test; a default one made once: the link's too.)
TEST(SampleCompanyProcessor, ABadCompanyFailsClearlyAndIsNeverTouched) {
    const std::string whole = test::CompanyText({{"Invoice", test::Invoices(3)}});
    const std::pair<std::string, const char*> companies[] = {
        {"", "is empty"},
        {whole.substr(0, whole.size() / 2), "cut off"},
        {"Name,Amount\nAcme,10\n", "not well-formed"},
        {"<html><body>hi</body></html>", "not a qbXML company file"},
        {"<?xml version=\"1.0\"?><!DOCTYPE QBXML [<!ENTITY a \"aaaaaaaaaa\">"
         "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c "
         "\"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">]>"
         "<QBXML><QBXMLMsgsRs><InvoiceQueryRs><InvoiceRet><Memo>&c;</Memo></InvoiceRet>"
         "</InvoiceQueryRs></QBXMLMsgsRs></QBXML>",
         "document type declaration"},
    };
    test::TempDir dir;
    const std::filesystem::path path = dir.Path() / "company.qbxml";
    for (const auto& [text, says] : companies) {
        SCOPED_TRACE(says);
        test::WriteText(path, text);
        bool created = false;
        {
            SampleCompanyProcessor processor(path, [&](const std::filesystem::path&) {
                created = true;
                return Outcome::Ok();
            });
            auto answer = processor.ProcessRequest(RequestSet("<InvoiceQueryRq/>"));
            EXPECT_FALSE(answer.Ok());
            EXPECT_EQ(answer.failure.code, LinkError::CompanyFileUnreadable);
            EXPECT_THAT(answer.failure.message,
                        ::testing::AllOf(HasSubstr(says), HasSubstr("company.qbxml")));
            // Neither a modify request nor saving may write over the file.
            processor.ProcessRequest(ModRequest("T-1", "1001", "true"));
            EXPECT_FALSE(processor.SaveChanges());
        }
        EXPECT_FALSE(created);
        EXPECT_EQ(test::ReadAll(path), text);
    }
}

TEST(SampleCompanyProcessor, AFailedCreationLeavesNoFileBehind) {
    test::TempDir dir;
    std::filesystem::path path = dir.Path() / "Sample Company.qbxml";
    SampleCompanyProcessor processor(path, [](const std::filesystem::path& target) {
        test::WriteText(target, "<QBXML><QBX");
        return Outcome::Fail("disk full");
    });
    auto answer = processor.ProcessRequest(RequestSet("<InvoiceQueryRq/>"));
    EXPECT_EQ(answer.failure.code, LinkError::CompanyFileUnwritable);
    EXPECT_THAT(answer.failure.message, HasSubstr("disk full"));
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

std::string Nested(int depth) {
    std::string text;
    for (int i = 0; i < depth; ++i) text += "<a>";
    for (int i = 0; i < depth; ++i) text += "</a>";
    return RequestSet("<InvoiceQueryRq>" + text + "</InvoiceQueryRq>");
}

// Malformed requests never crash; they fail or get an error status.
TEST(SampleCompanyProcessor, MalformedRequestsAreAnsweredWithoutCrashing) {
    const std::string requests[] = {
        "\x01\x02 not xml",
        "<QBXML/>",
        RequestSet("<InvoiceQueryRq>").substr(0, 60),
        Nested(100000),
        RequestSet("<FrobnicateRq/>"),
        RequestSet("<InvoiceQueryRq><MaxReturned>lots</MaxReturned></InvoiceQueryRq>"),
        RequestSet("<InvoiceQueryRq><TxnDateRangeFilter><FromTxnDate>soon</FromTxnDate>"
                   "</TxnDateRangeFilter></InvoiceQueryRq>"),
        RequestSet("<InvoiceQueryRq iterator=\"Continue\" iteratorID=\"x\"/>"),
        RequestSet("<InvoiceModRq/>"),
        RequestSet("<InvoiceModRq><InvoiceMod><TxnID>T-1</TxnID><EditSequence>1001"
                   "</EditSequence><CustomerRef><FullName>x</FullName></CustomerRef>"
                   "</InvoiceMod></InvoiceModRq>"),
    };
    test::TempDir dir;
    std::filesystem::path path = dir.Path() / "company.qbxml";
    test::WriteText(path, test::CompanyText({{"Invoice", test::Invoices(2)}}));
    SampleCompanyProcessor processor(path);
    for (const std::string& request : requests) {
        SCOPED_TRACE(request.substr(0, 120));
        ProcessResult result = processor.ProcessRequest(request);
        if (result.Ok()) {
            pugi::xml_document doc;
            ASSERT_TRUE(doc.load_string(result.response.c_str()));
            for (pugi::xml_node rs : doc.child("QBXML").child("QBXMLMsgsRs").children()) {
                EXPECT_STREQ(rs.attribute("statusSeverity").value(), "Error") << result.response;
            }
        } else {
            EXPECT_EQ(result.failure.code, LinkError::RequestRejected);
            EXPECT_FALSE(result.failure.message.empty());
        }
    }
}

}  // namespace
}  // namespace quarrion
