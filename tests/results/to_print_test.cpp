#include "results/to_print.h"

#include <gtest/gtest.h>

#include "foundation/codes.h"
#include "results/record_paths.h"

namespace quarrion {
namespace {

constexpr const char* kResponse = R"(<QBXML><QBXMLMsgsRs><InvoiceQueryRs>
  <InvoiceRet><TxnID>T-0</TxnID><EditSequence>100</EditSequence><IsToBePrinted>false</IsToBePrinted></InvoiceRet>
  <InvoiceRet><TxnID>T-1</TxnID><IsToBePrinted>false</IsToBePrinted></InvoiceRet>
  <InvoiceRet><TxnID>T-2</TxnID><EditSequence>300</EditSequence></InvoiceRet>
</InvoiceQueryRs></QBXMLMsgsRs></QBXML>)";

class ToPrintTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(doc.load_string(kResponse));
        records = RecordElements(doc, "InvoiceRet");
        list.Columns = {{"//InvoiceRet/TxnID", "Id", 1},
                        {"//InvoiceRet/IsToBePrinted", "Print", DataTypeCode::Bool}};
        list.Rows = {{"k2", {"T-2", ""}, ""}, {"k0", {"T-0", "No"}, ""}, {"k1", {"T-1", "No"}, ""}};
    }
    pugi::xml_document doc;
    std::vector<pugi::xml_node> records;
    ResultList list;
};

TEST_F(ToPrintTest, EntriesFollowTheListOrderAndSkipMissingEditSequences) {
    EXPECT_EQ(ToPrintEntries(records, list), "T-2\t300\tk2,T-0\t100\tk0,T-1\tk1");
    list.Rows.push_back({"k9", {}, ""});
    EXPECT_EQ(ToPrintEntries(records, list), "T-2\t300\tk2,T-0\t100\tk0,T-1\tk1");
    list.Rows.clear();
    EXPECT_EQ(ToPrintEntries(records, list), "");
}

// Without the column only the records change: the terminal tool's to-print test, whose
// lists do not show it, sees the company saved.
TEST_F(ToPrintTest, ResultsUpdateTheRecordsAndTheShownColumn) {
    int changed = ApplyToPrintResult("k0\ttrue\t101,k2\ttrue\t301,k7\ttrue\t1,k1\ttrue", records,
                                     "InvoiceRet", list);
    EXPECT_EQ(changed, 2);
    EXPECT_STREQ(records[0].child_value("IsToBePrinted"), "true");
    EXPECT_STREQ(records[0].child_value("EditSequence"), "101");
    EXPECT_STREQ(records[2].child_value("IsToBePrinted"), "true");
    EXPECT_STREQ(records[1].child_value("IsToBePrinted"), "false")
        << "a part without three fields is skipped";
    EXPECT_EQ(list.Rows[0].Cells[1], "Yes");
    EXPECT_EQ(list.Rows[1].Cells[1], "Yes");
    EXPECT_EQ(list.Rows[2].Cells[1], "No");
}

}  // namespace
}  // namespace quarrion
