#include "link/records_response.h"

#include <gtest/gtest.h>

#include "company_text.h"
#include "link/link_settings.h"
#include "link/owner_event_queue.h"
#include "link/relaywick.h"
#include "processor_test_support.h"
#include "qbxml/request_type_info.h"
#include "support/temp_home.h"

namespace quarrion {
namespace {

using namespace std::chrono_literals;

// One page of an iterator walk: `records` under an InvoiceQueryRs.
std::string Page(const std::vector<std::string>& records, std::size_t remaining,
                 const std::string& head = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n") {
    std::string page = head +
                       "<QBXML>\n<QBXMLMsgsRs>\n<InvoiceQueryRs requestID=\"1\" "
                       "statusCode=\"0\" statusSeverity=\"Info\" statusMessage=\"Status "
                       "&amp; OK\" iteratorRemainingCount=\"" +
                       std::to_string(remaining) + "\" iteratorID=\"{w-1}\">\n";
    for (const std::string& record : records) page += "  " + record + "\r\n";
    return page + "</InvoiceQueryRs>\n</QBXMLMsgsRs>\n</QBXML>\n";
}

// Records as another program may write them: odd spacing, references, CDATA.
const std::vector<std::string> kRecords = {
    "<InvoiceRet>\n    <TxnID>T-1</TxnID>\n    <Memo>A &amp; B &#233;</Memo>\n  </InvoiceRet>",
    "<InvoiceRet tslkey='k9'><TxnID>T-2</TxnID><Memo><![CDATA[<x> & y]]></Memo></InvoiceRet>",
    "<InvoiceRet><TxnID>T-3</TxnID><Empty/></InvoiceRet>",
};

// Records are kept byte for byte: the search run's response-file test follows one
// from the file to the kept answer. Here, what a page says of itself and the limit.
TEST(RecordsResponse, ReadsThePagesInfoAndTakesNoMoreThanAskedFor) {
    RecordsResponse answer("Invoice");
    QueryPageInfo info;
    ASSERT_EQ(answer.AddPage(Page(kRecords, 1), 2, info), "");
    EXPECT_EQ(info.status.message, "Status & OK");
    EXPECT_EQ(info.iteratorId, "{w-1}");
    EXPECT_EQ(info.remaining, 1u);
    EXPECT_EQ(info.recordsInPage, 3u);
    EXPECT_EQ(info.recordsTaken, 2u);
    EXPECT_EQ(answer.RecordCount(), 2u);
    std::string whole = answer.Finish();
    EXPECT_NE(whole.find(kRecords[1]), std::string::npos);
    EXPECT_EQ(whole.find("T-3"), std::string::npos);
    pugi::xml_document document;
    ASSERT_EQ(Qbxml::Load(document, whole), "") << whole;
    pugi::xml_node rs = document.child("QBXML").child("QBXMLMsgsRs").child("InvoiceQueryRs");
    EXPECT_STREQ(rs.attribute("statusMessage").value(), "Status & OK");
}

// A page in another encoding goes through the parser: the same records come out.
TEST(RecordsResponse, APageInAnotherEncodingGivesTheSameRecords) {
    auto ids = [](const std::string& head) {
        RecordsResponse answer("Invoice");
        QueryPageInfo info;
        EXPECT_EQ(answer.AddPage(Page(kRecords, 0, head), 100, info), "");
        pugi::xml_document document;
        EXPECT_EQ(Qbxml::Load(document, answer.Finish()), "");
        std::vector<std::string> found;
        for (pugi::xpath_node record : document.select_nodes("//InvoiceRet")) {
            found.push_back(record.node().child_value("TxnID") + std::string("|") +
                            record.node().child_value("Memo"));
        }
        return found;
    };
    auto scanned = ids("<?xml version=\"1.0\" encoding=\"utf-8\"?>\n");
    auto parsed = ids("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\n");
    ASSERT_EQ(scanned.size(), 3u);
    EXPECT_EQ(scanned[1], "T-2|<x> & y");
    EXPECT_EQ(scanned[0], "T-1|A & B \xC3\xA9");
    EXPECT_EQ(scanned, parsed);
}

TEST(RecordsResponse, APageCutOffInARecordAddsNothing) {
    RecordsResponse answer("Invoice");
    QueryPageInfo info;
    ASSERT_EQ(answer.AddPage(Page({kRecords[0]}, 2), 100, info), "");
    const std::string page = Page({kRecords[1], kRecords[2]}, 0);
    const std::string cut = page.substr(0, page.find("<Empty/>"));
    std::string error = answer.AddPage(cut, 100, info);
    EXPECT_NE(error.find("could not be read"), std::string::npos) << error;
    EXPECT_NE(error.find("cut off"), std::string::npos) << error;
    EXPECT_EQ(answer.RecordCount(), 1u);
    std::string whole = answer.Finish();
    EXPECT_EQ(whole.find("T-2"), std::string::npos);
    EXPECT_EQ(whole.find("T-3"), std::string::npos);
}

TEST(RecordsResponse, AnErrorStatusAddsNothing) {
    RecordsResponse answer("Invoice");
    QueryPageInfo info;
    std::string page = Page(kRecords, 0);
    const std::string ok = "statusCode=\"0\" statusSeverity=\"Info\"";
    page.replace(page.find(ok), ok.size(), "statusCode=\"3100\" statusSeverity=\"Error\"");
    ASSERT_EQ(answer.AddPage(page, 100, info), "");
    EXPECT_TRUE(info.status.IsError());
    EXPECT_EQ(info.status.code, 3100);
    EXPECT_EQ(answer.RecordCount(), 0u);
}

TEST(RecordsResponse, TheLinkReportsACutOffAnswerAndKeepsNoneOfIt) {
    test::HomeOfItsOwn home;
    {
        OwnerEventQueue queue;
        // The first page of the walk comes whole, the second cut off inside a record.
        Relaywick link(queue.Poster(), [] {
            return std::make_unique<test::StubProcessor>([asked = 0](std::string_view) mutable {
                if (++asked == 1) return ProcessResult{Page({kRecords[0]}, 2), {}};
                const std::string page = Page({kRecords[1], kRecords[2]}, 0);
                return ProcessResult{page.substr(0, page.find("</Memo>")), {}};
            });
        });
        std::vector<std::string> messages;
        bool done = false;
        int responses = 0;
        std::vector<std::int32_t> popUps;
        link.Events().Message = [&](std::int32_t, const std::string& text, bool isDone,
                                    const std::string&) {
            messages.push_back(text);
            done = done || isDone;
        };
        link.Events().Response = [&](std::int32_t, std::string, const std::string&,
                                     const std::string&) { ++responses; };
        link.Events().PopUp = [&](std::int32_t code, const std::string&) {
            popUps.push_back(code);
        };
        link.RequestRecords(LinkDate{}, LinkDate{}, 1, 0, "", "Invoice", "", 4);
        ASSERT_TRUE(queue.RunUntil([&] { return done; }, 20s));
        queue.RunUntil([] { return false; }, 20ms);
        EXPECT_EQ(responses, 0);
        ASSERT_FALSE(messages.empty());
        EXPECT_NE(messages.back().find("could not be read"), std::string::npos) << messages.back();
        EXPECT_EQ(popUps, std::vector<std::int32_t>{LinkError::ResponseUnreadable});
    }
}

}  // namespace
}  // namespace quarrion
