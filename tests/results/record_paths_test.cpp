#include "results/record_paths.h"

#include <gtest/gtest.h>

namespace quarrion {
namespace {

constexpr const char* kResponse = R"(<?xml version="1.0"?>
<QBXML><QBXMLMsgsRs><InvoiceQueryRs statusCode="0">
  <InvoiceRet><TxnID>T-1</TxnID><EditSequence>11</EditSequence>
    <CustomerRef><ListID>C-1</ListID><FullName>Acme</FullName></CustomerRef>
    <InvoiceLineRet><ItemRef><FullName>Bolts</FullName></ItemRef><Amount>5.00</Amount></InvoiceLineRet>
    <InvoiceLineRet><ItemRef><FullName>Nuts</FullName></ItemRef><Amount>7.00</Amount></InvoiceLineRet>
  </InvoiceRet>
  <InvoiceRet><TxnID>T-2</TxnID><Memo>two</Memo></InvoiceRet>
  <Other><InvoiceRet><ListID>L-3</ListID></InvoiceRet></Other>
</InvoiceQueryRs></QBXMLMsgsRs></QBXML>)";

class RecordPathsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(doc.load_string(kResponse)); }
    pugi::xml_document doc;
};

TEST_F(RecordPathsTest, RecordElementsAreFoundAnywhereInDocumentOrder) {
    auto records = RecordElements(doc, "InvoiceRet");
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(RecordId(records[0]), "T-1");
    EXPECT_EQ(RecordId(records[1]), "T-2");
    EXPECT_EQ(RecordId(records[2]), "L-3");
    EXPECT_TRUE(RecordElements(doc, "BillRet").empty());
}

TEST_F(RecordPathsTest, KeysRoundTripAndRejectOtherTexts) {
    EXPECT_EQ(RecordKey(0), "k0");
    EXPECT_EQ(KeyPosition("k12"), 12u);
    EXPECT_EQ(KeyPosition("k"), std::nullopt);
    EXPECT_EQ(KeyPosition("x1"), std::nullopt);
    EXPECT_EQ(KeyPosition("k1a"), std::nullopt);
    EXPECT_EQ(KeyPosition("k-1"), std::nullopt);
}

TEST_F(RecordPathsTest, RelativePathsOnlyComeFromTheRecordsOwnPrefix) {
    EXPECT_EQ(RelativePath("//InvoiceRet/CustomerRef/FullName", "InvoiceRet"),
              "CustomerRef/FullName");
    EXPECT_EQ(RelativePath("//InvoiceRetX/Memo", "InvoiceRet"), std::nullopt);
    EXPECT_EQ(RelativePath("//BillRet/Memo", "InvoiceRet"), std::nullopt);
    EXPECT_EQ(RelativePath("//InvoiceRet", "InvoiceRet"), std::nullopt);
}

TEST_F(RecordPathsTest, APathSeesOnlyItsOwnRecord) {
    auto records = RecordElements(doc, "InvoiceRet");
    RecordPath memo(RelativePath("//InvoiceRet/Memo", "InvoiceRet"));
    EXPECT_FALSE(memo.First(records[0]));
    EXPECT_EQ(TypedText(memo.First(records[1])), "two");
    RecordPath item(RelativePath("//InvoiceRet/InvoiceLineRet/ItemRef/FullName", "InvoiceRet"));
    EXPECT_EQ(TypedText(item.First(records[0])), "Bolts");
    auto all = item.All(records[0]);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(TypedText(all[1]), "Nuts");
    RecordPath none(std::nullopt);
    EXPECT_FALSE(none.First(records[0]));
}

TEST_F(RecordPathsTest, NonPlainPathsGoThroughXPathWithinTheRecord) {
    auto records = RecordElements(doc, "InvoiceRet");
    RecordPath second(std::string("InvoiceLineRet[2]/Amount"));
    EXPECT_EQ(TypedText(second.First(records[0])), "7.00");
    RecordPath broken(std::string("InvoiceLineRet[["));
    EXPECT_FALSE(broken.First(records[0]));
}

TEST_F(RecordPathsTest, NodePathsStopAtTheRecordElement) {
    auto records = RecordElements(doc, "InvoiceRet");
    auto name = records[0].child("CustomerRef").child("FullName");
    EXPECT_EQ(NodePath(name, "InvoiceRet"), "//InvoiceRet/CustomerRef/FullName");
    EXPECT_EQ(TypedText(records[0].child("CustomerRef")), "C-1Acme");
}

}  // namespace
}  // namespace quarrion
