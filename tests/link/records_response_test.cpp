#include "link/records_response.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "qbxml/qbxml_document.h"

namespace quarrion {
namespace {

using ::testing::HasSubstr;

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
// (An error status keeps no record: the terminal tool's hostile-answer test; a page cut
// off keeps none: the link's unreadable-answer test.)
TEST(RecordsResponse, ReadsThePagesInfoAndTakesNoMoreThanAskedFor) {
    RecordsResponse answer("Invoice");
    QueryPageInfo info;
    ASSERT_EQ(answer.AddPage(Page(kRecords, 1), 2, info), "");
    EXPECT_EQ((std::tuple{info.status.message, info.iteratorId, info.remaining, info.recordsInPage,
                          info.recordsTaken, answer.RecordCount()}),
              (std::tuple{std::string("Status & OK"), std::string("{w-1}"), 1u, 3u, 2u, 2u}));
    std::string whole = answer.Finish();
    EXPECT_THAT(whole, HasSubstr(kRecords[1]));
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
    EXPECT_EQ(scanned, (std::vector<std::string>{"T-1|A & B \xC3\xA9", "T-2|<x> & y", "T-3|"}));
    EXPECT_EQ(scanned, parsed);
}

}  // namespace
}  // namespace quarrion
