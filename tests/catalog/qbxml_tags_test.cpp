#include <gtest/gtest.h>

#include <vector>

#include "catalog/qbxml_tags.h"
#include "foundation/codes.h"

namespace quarrion {
namespace {

// Adds a plain entry of `code` with the given result-column sequence.
QBXMLTag* AddTag(QBXMLTags& tags, int code, const std::string& tagName, int sequence = 0) {
    return tags.Add(code, "", 0, sequence, tagName, "Heading", 1, "", false, "", "STRTYPE", 0);
}

TEST(QBXMLTags, AddSetsEveryGivenValueAndAnIndex) {
    QBXMLTags tags;
    QBXMLTag* tag = tags.Add(RequestTypeCode::Invoice, "InvRef", 2, 3, "//InvoiceRet/Subtotal",
                             "Subtotal", 1, "Net", true, "Amounts", "AMTTYPE", 77);
    ASSERT_NE(tag, nullptr);
    EXPECT_EQ(tag->Code, 4);
    EXPECT_EQ(tag->Reference, "InvRef");
    EXPECT_EQ(tag->DefaultSequence, 2);
    EXPECT_EQ(tag->Sequence, 3);
    EXPECT_EQ(tag->TagName(), "//InvoiceRet/Subtotal");
    EXPECT_EQ(tag->DefaultHeading, "Subtotal");
    EXPECT_EQ(tag->Level, 1);
    EXPECT_EQ(tag->UserHeading(), "Net");
    EXPECT_TRUE(tag->Searchable);
    EXPECT_EQ(tag->SearchGroup, "Amounts");
    EXPECT_EQ(tag->DataType(), "AMTTYPE");
    EXPECT_EQ(tag->DataTypeCode(), DataTypeCode::Amt);
    EXPECT_EQ(tag->ID, 77);
    EXPECT_EQ(tag->Index, 1);
    EXPECT_EQ(AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/TxnDate")->Index, 2);
}

TEST(QBXMLTags, TagNameRuleOverridesTheGivenFlags) {
    QBXMLTags tags;
    QBXMLTag* tag = tags.Add(RequestTypeCode::CreditMemo, "", 0, 0, "//CustomerRet/CompanyName",
                             "Company", 1, "", false, "", "STRTYPE", 0);
    EXPECT_TRUE(tag->Searchable);
    EXPECT_EQ(tag->SearchGroup, "Names");
    QBXMLTag* date = tags.Add(RequestTypeCode::Invoice, "", 0, 0, "//InvoiceRet/TxnDate", "Date", 1,
                              "", true, "Dates", "DATETYPE", 0);
    EXPECT_TRUE(date->Searchable);
    EXPECT_EQ(date->SearchGroup, "Dates");
}

TEST(QBXMLTags, AddOfAnExistingKeyInOtherCaseReturnsTheFirstUnchanged) {
    QBXMLTags tags;
    QBXMLTag* first = AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/TxnDate", 1);
    QBXMLTag* second = tags.Add(RequestTypeCode::Invoice, "Other", 9, 9, "//INVOICERET/txndate",
                                "Other", 3, "Other", true, "X", "AMTTYPE", 5);
    EXPECT_EQ(second, first);
    EXPECT_EQ(tags.Count(), 1u);
    EXPECT_EQ(first->Sequence, 1);
    EXPECT_EQ(first->TagName(), "//InvoiceRet/TxnDate");
    EXPECT_EQ(first->DataType(), "STRTYPE");
    // The same path under another request type is another entry.
    EXPECT_NE(AddTag(tags, RequestTypeCode::CreditMemo, "//InvoiceRet/TxnDate"), first);
    EXPECT_EQ(tags.Count(), 2u);
}

TEST(QBXMLTags, ItemFindsByKeyInAnyCaseAndByPosition) {
    QBXMLTags tags;
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/RefNumber");
    QBXMLTag* date = AddTag(tags, RequestTypeCode::PurchaseOrder, "//InvoiceRet/TxnDate");
    EXPECT_EQ(tags.Item("12//invoiceret/txndate"), date);
    EXPECT_EQ(tags.Item(RequestTypeCode::PurchaseOrder, "//InvoiceRet/TXNDATE"), date);
    EXPECT_EQ(tags.Item(static_cast<std::size_t>(date->Index)), date);
    EXPECT_EQ(tags.Item("4//InvoiceRet/TxnDate"), nullptr);
    EXPECT_EQ(tags.Item(std::size_t{0}), nullptr);
    EXPECT_EQ(tags.Item(std::size_t{3}), nullptr);
}

TEST(QBXMLTags, RemoveOfAMissingKeyDoesNothing) {
    QBXMLTags tags;
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/RefNumber");
    tags.Remove("4//InvoiceRet/Nothing");
    tags.Remove(std::size_t{7});
    EXPECT_EQ(tags.Count(), 1u);
    tags.Remove("4//INVOICERET/REFNUMBER");
    EXPECT_EQ(tags.Count(), 0u);
}

TEST(QBXMLTags, ClearRestartsTheIndex) {
    QBXMLTags tags;
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/RefNumber");
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/TxnDate");
    tags.Clear();
    EXPECT_EQ(tags.Count(), 0u);
    EXPECT_EQ(AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/TxnDate")->Index, 1);
}

TEST(QBXMLTags, EnumerationKeepsInsertionOrder) {
    QBXMLTags tags;
    std::vector<std::string> paths = {"//B", "//A", "//C"};
    for (const auto& path : paths) AddTag(tags, 1, path);
    std::vector<std::string> seen;
    for (const QBXMLTag& tag : tags) seen.push_back(tag.TagName());
    EXPECT_EQ(seen, paths);
}

TEST(QBXMLTags, RequestIsSequencedNeedsAPositiveSequenceOfThatType) {
    QBXMLTags tags;
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/RefNumber", 0);
    AddTag(tags, RequestTypeCode::CreditMemo, "//CreditMemoRet/RefNumber", 2);
    EXPECT_FALSE(tags.RequestIsSequenced(4));
    EXPECT_TRUE(tags.RequestIsSequenced(5));
    EXPECT_FALSE(tags.RequestIsSequenced(6));
    tags.Item(1)->Sequence = 1;
    EXPECT_TRUE(tags.RequestIsSequenced(4));
}

TEST(QBXMLTags, RequestHeadersOrderBySequenceThenCatalogPosition) {
    QBXMLTags tags;
    // Positions 1..9; sequences 2, 1, 2 sit at positions 4, 9, 6.
    for (int position = 1; position <= 9; ++position) {
        int sequence = position == 4 ? 2 : position == 9 ? 1 : position == 6 ? 2 : 0;
        AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/E" + std::to_string(position),
               sequence);
    }
    AddTag(tags, RequestTypeCode::CreditMemo, "//CreditMemoRet/First",
           1);  // another type never shows up
    std::vector<QBXMLTag*> headers;
    ASSERT_TRUE(tags.RequestHeaders(4, headers));
    ASSERT_EQ(headers.size(), 3u);
    EXPECT_EQ(headers[0]->Index, 9);
    EXPECT_EQ(headers[1]->Index, 4);
    EXPECT_EQ(headers[2]->Index, 6);
}

TEST(QBXMLTags, RequestHeadersSortFourDigitKeysAsText) {
    QBXMLTags tags;
    // "0009_0002" < "0010_0001" < "0100_0003" < "10000_0004" < "2000_0005": up to 9999
    // text order is numeric order; 10000 makes a longer key that sorts before 2000.
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/Ten", 10);
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/Nine", 9);
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/Hundred", 100);
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/TenThousand", 10000);
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/TwoThousand", 2000);
    std::vector<QBXMLTag*> headers;
    ASSERT_TRUE(tags.RequestHeaders(4, headers));
    std::vector<std::string> names;
    for (QBXMLTag* tag : headers) names.push_back(tag->TagName());
    EXPECT_EQ(names, (std::vector<std::string>{"//InvoiceRet/Nine", "//InvoiceRet/Ten",
                                               "//InvoiceRet/Hundred", "//InvoiceRet/TenThousand",
                                               "//InvoiceRet/TwoThousand"}));
}

TEST(QBXMLTags, RequestHeadersOfAnUnsequencedTypeFailsWithNothing) {
    QBXMLTags tags;
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/RefNumber", 0);
    std::vector<QBXMLTag*> headers = {nullptr};
    EXPECT_FALSE(tags.RequestHeaders(4, headers));
    EXPECT_TRUE(headers.empty());
}

}  // namespace
}  // namespace quarrion
