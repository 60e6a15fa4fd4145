#include "results/response_examiner.h"

#include <gtest/gtest.h>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"
#include "model/examinors.h"
#include "model/inc_item.h"
#include "model/search_column_choice.h"
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
        catalog.Add(RequestTypeCode::Invoice, "RefNumber", 1, 1, "//InvoiceRet/RefNumber", "Num", 1,
                    "", false, "", "STRTYPE", 0);
        catalog.Add(RequestTypeCode::Invoice, "FullName", 2, 2, "//InvoiceRet/CustomerRef/FullName",
                    "Customer", 2, "", false, "", "STRTYPE", 0);
        catalog.Add(RequestTypeCode::Invoice, "Subtotal", 3, 3, "//InvoiceRet/Subtotal", "Amount",
                    1, "", false, "", "AMTTYPE", 0);
        catalog.Add(RequestTypeCode::Invoice, "Memo", 0, 0, "//InvoiceRet/Memo", "Memo", 1, "",
                    false, "", "STRTYPE", 0);
        item.Name = "Invoice";
        item.SetRequestType(RequestTypeCode::Invoice);
        for (auto& tag : catalog) {
            if (tag.Sequence > 0) item.DisplayColumns.Add(tag);
        }
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
    ASSERT_EQ(list.Rows.size(), 3u);
    EXPECT_EQ(list.Rows[1].Cells, (std::vector<std::string>{"1002", "Bolt & Nut", "20.00"}));
    ASSERT_EQ(list.Columns.size(), 3u);
    EXPECT_EQ(list.Columns[2].Heading, "Amount");
    EXPECT_EQ(list.Columns[2].DataTypeCode, DataTypeCode::Amt);
    EXPECT_EQ(messages.back(), "3/3  Found 3 Done.");
}

// The rows a rule set lists, as "key=match text" joined by "|". Each case examines
// the same item again, so keys must stay those of the records.
TEST_F(ResponseExaminerTest, RulesListTheRecordsTheyMeetWithTheFirstMatchInColumnOrder) {
    struct Case {
        const char* label;
        long op;
        long choice;
        const char* value;
        bool refEndsWith02;  // a field rule, which decides alone
        const char* rows;
        const char* message;
    };
    const Case cases[] = {
        {"text", Operation::Contains, Choice::Text, "supply", false, "k0=Acme Supply|k2=Supply run",
         "3/3  Found 2 Done."},
        {"numbers never read text", Operation::GreaterThan, Choice::AnyNumber, "500", false,
         "k0=750.00|k2=510.00", "3/3  Found 2 Done."},
        {"a later record", Operation::StartsWith, Choice::Text, "Caf", false,
         "k2=Caf\xC3\xA9 M\xC3\xBCller", "3/3  Found 1 Done."},
        {"field rules win", Operation::Contains, Choice::Text, "supply", true,
         "k1=", "3/3  Found 1 Done."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        examinors.Clear();
        item.FieldExaminors.Clear();
        AddRule(c.op, c.choice, c.value);
        if (c.refEndsWith02) {
            item.FieldExaminors.Add()
                ->FieldCriteria
                .Add(*catalog.Item(RequestTypeCode::Invoice, "//InvoiceRet/RefNumber"),
                     Operation::EndsWith)
                ->TextCompare.SetValue("02");
        }
        ASSERT_TRUE(ExamineResponse(item, examinors, list));
        std::string rows;
        for (const ResultRow& row : list.Rows) {
            rows += (rows.empty() ? "" : "|") + row.Key + "=" + row.MatchText;
        }
        EXPECT_EQ(rows, c.rows);
        EXPECT_EQ(item.Message, c.message);
        EXPECT_TRUE(item.Done);
    }
}

TEST_F(ResponseExaminerTest, AnAnswerWithoutRecordsOrUnreadableEndsTheType) {
    const std::pair<const char*, const char*> cases[] = {
        {"<QBXML><QBXMLMsgsRs><InvoiceQueryRs statusCode=\"1\"/></QBXMLMsgsRs></QBXML>",
         "No matches found."},
        {"<QBXML><unclosed>", "could not be read"},
    };
    for (const auto& [response, says] : cases) {
        item.Response = response;
        ASSERT_TRUE(ExamineResponse(item, examinors, list));
        EXPECT_TRUE(list.Rows.empty());
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
