#include "results/response_examiner.h"

#include <gtest/gtest.h>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "model/examinors.h"
#include "model/inc_item.h"
#include "model/search_column_choice.h"
#include "results/company_responses.h"
#include "results/reference_examiner.h"

namespace quarrion {
namespace {

constexpr const char* kInvoices = R"(<QBXML><QBXMLMsgsRs><InvoiceQueryRs statusCode="0">
<InvoiceRet><TxnID>1-A</TxnID><RefNumber>1001</RefNumber><CustomerRef><FullName>Acme Supply</FullName></CustomerRef><Subtotal>750.00</Subtotal><Memo>rush</Memo></InvoiceRet>
<InvoiceRet><TxnID>2-A</TxnID><RefNumber>1002</RefNumber><CustomerRef><FullName>Bolt &amp; Nut</FullName></CustomerRef><Subtotal>20.00</Subtotal></InvoiceRet>
<InvoiceRet><TxnID>3-A</TxnID><RefNumber>1003</RefNumber><CustomerRef><FullName>Café Müller</FullName></CustomerRef><Subtotal>510.00</Subtotal><Memo>Supply run</Memo></InvoiceRet>
</InvoiceQueryRs></QBXMLMsgsRs></QBXML>)";

class ResponseExaminerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // Shown in sequence order; the memo (sequence 0) is only searched.
        const std::tuple<const char*, int, const char*, const char*, const char*> elements[] = {
            {"RefNumber", 1, "//InvoiceRet/RefNumber", "Num", "STRTYPE"},
            {"FullName", 2, "//InvoiceRet/CustomerRef/FullName", "Customer", "STRTYPE"},
            {"Subtotal", 3, "//InvoiceRet/Subtotal", "Amount", "AMTTYPE"},
            {"Memo", 0, "//InvoiceRet/Memo", "Memo", "STRTYPE"},
        };
        for (const auto& [name, sequence, path, heading, dataType] : elements) {
            QBXMLTag* tag = catalog.Add(RequestTypeCode::Invoice, name, sequence, sequence, path,
                                        heading, 1, "", false, "", dataType, 0);
            if (sequence > 0) item.DisplayColumns.Add(*tag);
        }
        item.SetRequestType(RequestTypeCode::Invoice);
        item.Response = kInvoices;
    }

    void AddRule(long op, long choice, const char* text) {
        Examinor* group = examinors.Count() ? examinors.Item(std::size_t{1}) : examinors.Add();
        Criterion* c = group->Criteria.Add(op, choice);
        c->TextCompare.SetValue(text);
        c->NumberCompare.SetValue(text);
        ChooseSearchColumns(item, nullptr, examinors, catalog);
    }

    QBXMLTags catalog;
    IncItem item;
    Examinors examinors;
    ResultList list;
};

TEST_F(ResponseExaminerTest, WithoutRulesEveryRecordIsListedWithItsCells) {
    std::vector<std::string> messages;
    ExaminationHooks hooks;
    hooks.Message = [&](const std::string& m) { messages.push_back(m); };
    ASSERT_TRUE(ExamineResponse(item, examinors, list, hooks));
    EXPECT_EQ(test::RowsText(list),
              "k0|1001|Acme Supply|750.00 / \n"
              "k1|1002|Bolt & Nut|20.00 / \n"
              "k2|1003|Café Müller|510.00 / \n");
    ASSERT_EQ(list.Columns.size(), 3u);
    EXPECT_EQ(list.Columns[2].DataTypeCode, DataTypeCode::Amt);
    EXPECT_EQ(messages.back(), "3/3  Found 3 Done.");
}

// The rows a rule set lists, as "key=match text" joined by "|". Each case examines
// the same item again, so keys must stay those of the records. Field rules deciding a
// type alone are the engine agreement test's.
TEST_F(ResponseExaminerTest, RulesListTheRecordsTheyMeetWithTheFirstMatchInColumnOrder) {
    const std::tuple<long, long, const char*, const char*> cases[] = {
        {Operation::Contains, Choice::Text, "supply", "k0=Acme Supply|k2=Supply run"},
        // Numbers never read text: "1001" is no amount.
        {Operation::GreaterThan, Choice::AnyNumber, "500", "k0=750.00|k2=510.00"},
    };
    for (const auto& [op, choice, value, expected] : cases) {
        examinors.Clear();
        AddRule(op, choice, value);
        ASSERT_TRUE(ExamineResponse(item, examinors, list));
        std::string rows;
        for (const ResultRow& row : list.Rows)
            rows += (rows.empty() ? "" : "|") + row.Key + "=" + row.MatchText;
        EXPECT_EQ(rows, expected);
        EXPECT_EQ(item.Message, "3/3  Found 2 Done.");
        EXPECT_TRUE(item.Done);
    }
}

// A record the scan passes but the parser refuses (a processing instruction without a
// target) ends the examination with the rows found before it.
TEST_F(ResponseExaminerTest, AnAnswerWithoutRecordsOrUnreadableEndsTheType) {
    const std::tuple<const char*, const char*, std::size_t> cases[] = {
        {"<QBXML><QBXMLMsgsRs><InvoiceQueryRs statusCode=\"1\"/></QBXMLMsgsRs></QBXML>",
         "No matches found.", 0},
        {"<QBXML><unclosed>", "could not be read", 0},
        {"<QBXML><QBXMLMsgsRs><InvoiceQueryRs><InvoiceRet><TxnID>1</TxnID></InvoiceRet>"
         "<InvoiceRet><TxnID>2</TxnID><?  ?></InvoiceRet><InvoiceRet><TxnID>3</TxnID></InvoiceRet>"
         "</InvoiceQueryRs></QBXMLMsgsRs></QBXML>",
         "could not be read: record 2", 1},
    };
    for (const auto& [response, says, rows] : cases) {
        item.Response = response;
        ASSERT_TRUE(ExamineResponse(item, examinors, list));
        EXPECT_EQ(list.Rows.size(), rows);
        EXPECT_NE(item.Message.find(says), std::string::npos) << item.Message;
        EXPECT_TRUE(item.Done);
    }
}

TEST_F(ResponseExaminerTest, ClosingStopsAfterTheCurrentRecordAndLeavesTheTypeOpen) {
    int judged = 0;
    ExaminationHooks hooks;
    hooks.Slice = std::chrono::milliseconds(0);
    hooks.Message = [&](const std::string&) { ++judged; };
    hooks.Closing = [&] { return judged >= 2; };
    EXPECT_FALSE(ExamineResponse(item, examinors, list, hooks));
    EXPECT_EQ(list.Rows.size(), 2u);
    EXPECT_FALSE(item.Done);
    EXPECT_EQ(item.Message, "2/3  Found 2");
}

TEST_F(ResponseExaminerTest, AColumnOutsideTheRecordsPrefixStaysEmpty) {
    item.DisplayColumns.Add(*catalog.Add(RequestTypeCode::Invoice, "Memo", 9, 9, "//BillRet/Memo",
                                         "Bill memo", 1, "", false, "", "STRTYPE", 0));
    ASSERT_TRUE(ExamineResponse(item, examinors, list));
    ASSERT_EQ(list.Columns.size(), 4u);
    EXPECT_EQ(list.Rows[0].Cells[3], "");
    EXPECT_EQ(list.Rows[0].Cells, test::ReferenceExamine(item, examinors).Rows[0].Cells);
}

}  // namespace
}  // namespace quarrion
