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
    std::vector<std::string> ids;
    for (pugi::xml_node record : records) ids.push_back(RecordId(record));
    EXPECT_EQ(ids, (std::vector<std::string>{"T-1", "T-2", "L-3"}));
    EXPECT_TRUE(RecordElements(doc, "BillRet").empty());
}

TEST_F(RecordPathsTest, KeysRoundTripAndRejectOtherTexts) {
    EXPECT_EQ(RecordKey(0), "k0");
    EXPECT_EQ(KeyPosition("k12"), 12u);
    for (const char* other : {"k", "x1", "k1a", "k-1"}) EXPECT_EQ(KeyPosition(other), std::nullopt);
}

TEST_F(RecordPathsTest, RelativePathsOnlyComeFromTheRecordsOwnPrefix) {
    EXPECT_EQ(RelativePath("//InvoiceRet/CustomerRef/FullName", "InvoiceRet"),
              "CustomerRef/FullName");
    for (const char* other : {"//InvoiceRetX/Memo", "//BillRet/Memo", "//InvoiceRet"})
        EXPECT_EQ(RelativePath(other, "InvoiceRet"), std::nullopt) << other;
}

// Plain paths are walked, as the engine agreement test sees on every type; others go
// through XPath within the record.
TEST_F(RecordPathsTest, NonPlainPathsGoThroughXPathWithinTheRecord) {
    auto records = RecordElements(doc, "InvoiceRet");
    EXPECT_EQ(TypedText(RecordPath(std::string("InvoiceLineRet[2]/Amount")).First(records[0])),
              "7.00");
    EXPECT_FALSE(RecordPath(std::string("InvoiceLineRet[[")).First(records[0]));
    EXPECT_FALSE(RecordPath(std::nullopt).First(records[0]));
    EXPECT_EQ(TypedText(records[0].child("CustomerRef")), "C-1Acme");
}

}  // namespace
}  // namespace quarrion
