#include <gtest/gtest.h>

#include "catalog/qbxml_tag.h"
#include "foundation/codes.h"

namespace quarrion {
namespace {

// The path decides searchability and group where it names a name or a text; other
// paths keep what was given.
TEST(QBXMLTag, TagNameDecidesSearchableAndGroup) {
    struct Case {
        const char* tagName;
        bool givenSearchable;
        bool searchable;
        const char* group;  // the given group is "Given"
    };
    const Case cases[] = {
        {"//CustomerRet/CompanyName", false, true, "Names"},
        {"//InvoiceRet/Memo", false, true, "Text"},
        {"//ItemServiceRet/SalesOrPurchase/DESC", false, true, "Text"},
        // "name" wins over "memo" when a path holds both.
        {"//InvoiceRet/MemoName", false, true, "Names"},
        {"//InvoiceRet/TxnDate", false, false, "Given"},
        {"//InvoiceRet/BalanceRemaining", true, true, "Given"},
    };
    for (const auto& c : cases) {
        QBXMLTag tag;
        tag.Searchable = c.givenSearchable;
        tag.SearchGroup = "Given";
        tag.SetTagName(c.tagName);
        EXPECT_EQ(tag.Searchable, c.searchable) << c.tagName;
        EXPECT_EQ(tag.SearchGroup, c.group) << c.tagName;
    }
}

TEST(QBXMLTag, KeyDataTypeCodeAndEditSequenceIgnored) {
    QBXMLTag tag;
    tag.Code = RequestTypeCode::PurchaseOrder;
    tag.SetTagName("//InvoiceRet/TxnDate");
    EXPECT_EQ(tag.Key(), "12//InvoiceRet/TxnDate");
    EXPECT_FALSE(tag.Ignore());
    for (const char* editSequence : {"//InvoiceRet/EditSequence", "//InvoiceRet/EDITSEQUENCE"}) {
        tag.SetTagName(editSequence);
        EXPECT_TRUE(tag.Ignore()) << editSequence;
    }
    tag.SetDataType("NOSUCHTYPE");
    EXPECT_EQ(tag.DataType(), "NOSUCHTYPE");
    EXPECT_EQ(tag.DataTypeCode(), 0);
}

}  // namespace
}  // namespace quarrion
