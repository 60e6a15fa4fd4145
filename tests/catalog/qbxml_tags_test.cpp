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
    EXPECT_EQ(tag->OutputLine(),
              "4\tInvRef\t2\t3\t//InvoiceRet/Subtotal\tSubtotal\t1\tNet\tTrue\t"
              "Amounts\tFalse\tFalse\tFalse\tFalse\tAMTTYPE\tFalse");
    EXPECT_EQ(tag->DataTypeCode(), DataTypeCode::Amt);
    EXPECT_EQ(tag->ID, 77);
    EXPECT_EQ(AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/TxnDate")->Index, 2);
    // The path's own rule overrides the given flags.
    QBXMLTag* name = tags.Add(RequestTypeCode::CreditMemo, "", 0, 0, "//CustomerRet/CompanyName",
                              "Company", 1, "", false, "", "STRTYPE", 0);
    EXPECT_TRUE(name->Searchable);
    EXPECT_EQ(name->SearchGroup, "Names");
}

// A key is the type's code and the path, in any case: adding it again returns the
// first entry unchanged. Positions and removal are the keyed collection's.
TEST(QBXMLTags, KeysIgnoreCaseForAddingAndFinding) {
    QBXMLTags tags;
    QBXMLTag* first = AddTag(tags, RequestTypeCode::PurchaseOrder, "//InvoiceRet/TxnDate", 1);
    QBXMLTag* second =
        tags.Add(RequestTypeCode::PurchaseOrder, "Other", 9, 9, "//INVOICERET/txndate", "Other", 3,
                 "Other", true, "X", "AMTTYPE", 5);
    EXPECT_EQ(second, first);
    EXPECT_EQ(tags.Count(), 1u);
    EXPECT_EQ(first->DataType(), "STRTYPE");
    EXPECT_EQ(tags.Item(RequestTypeCode::PurchaseOrder, "//InvoiceRet/TXNDATE"), first);
    EXPECT_EQ(tags.Item("4//InvoiceRet/TxnDate"), nullptr);
    // The same path under another type is another entry.
    QBXMLTag* invoice = AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/TxnDate");
    EXPECT_EQ(tags.Item("4//invoiceret/txndate"), invoice);
    tags.Clear();  // a reload numbers its entries from 1 again
    EXPECT_EQ(AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/TxnDate")->Index, 1);
}

TEST(QBXMLTags, RequestIsSequencedNeedsAPositiveSequenceOfThatType) {
    QBXMLTags tags;
    AddTag(tags, RequestTypeCode::Invoice, "//InvoiceRet/RefNumber", 0);
    AddTag(tags, RequestTypeCode::CreditMemo, "//CreditMemoRet/RefNumber", 2);
    EXPECT_FALSE(tags.RequestIsSequenced(RequestTypeCode::Invoice));
    EXPECT_TRUE(tags.RequestIsSequenced(RequestTypeCode::CreditMemo));
    std::vector<QBXMLTag*> headers = {nullptr};
    EXPECT_FALSE(tags.RequestHeaders(RequestTypeCode::Invoice, headers));
    EXPECT_TRUE(headers.empty());
}

// Headers order by a text key of sequence and catalog position: up to 9999 text order
// is numeric order; 10000 makes a longer key that sorts before 2000.
TEST(QBXMLTags, RequestHeadersOrderBySequenceTextThenCatalogPosition) {
    QBXMLTags tags;
    const char* paths[] = {"None",    "Ten",  "Nine",        "TwoA",
                           "Hundred", "TwoB", "TenThousand", "TwoThousand"};
    const int sequences[] = {0, 10, 9, 2, 100, 2, 10000, 2000};
    for (int i = 0; i < 8; ++i) AddTag(tags, RequestTypeCode::Invoice, paths[i], sequences[i]);
    AddTag(tags, RequestTypeCode::CreditMemo, "Other", 1);  // another type never shows up
    std::vector<QBXMLTag*> headers;
    ASSERT_TRUE(tags.RequestHeaders(RequestTypeCode::Invoice, headers));
    std::vector<std::string> names;
    for (QBXMLTag* tag : headers) names.push_back(tag->TagName());
    EXPECT_EQ(names, (std::vector<std::string>{"TwoA", "TwoB", "Nine", "Ten", "Hundred",
                                               "TenThousand", "TwoThousand"}));
}

}  // namespace
}  // namespace quarrion
