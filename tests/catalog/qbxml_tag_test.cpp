#include <gtest/gtest.h>

#include "catalog/qbxml_tag.h"
#include "foundation/codes.h"
#include "qbxml/request_type_info.h"

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
        {"//InvoiceRet/CustomerRef/FullName", false, true, "Names"},
        {"//InvoiceRet/Memo", false, true, "Text"},
        {"//InvoiceRet/InvoiceLineRet/Desc", false, true, "Text"},
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
        EXPECT_EQ(tag.TagName(), c.tagName);
        EXPECT_EQ(tag.Searchable, c.searchable) << c.tagName;
        EXPECT_EQ(tag.SearchGroup, c.group) << c.tagName;
    }
}

TEST(QBXMLTag, UserHeadingFallsBackToDefaultWhenBlank) {
    QBXMLTag tag;
    tag.DefaultHeading = "Customer";
    EXPECT_EQ(tag.UserHeading(), "Customer");
    tag.SetUserHeading("   ");
    EXPECT_EQ(tag.UserHeading(), "Customer");
    EXPECT_EQ(tag.StoredUserHeading(), "   ");
    tag.SetUserHeading(" Client ");
    EXPECT_EQ(tag.UserHeading(), " Client ");
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
    tag.SetDataType("AMTTYPE");
    EXPECT_EQ(tag.DataTypeCode(), DataTypeCode::Amt);
    tag.SetDataType("NOSUCHTYPE");
    EXPECT_EQ(tag.DataType(), "NOSUCHTYPE");
    EXPECT_EQ(tag.DataTypeCode(), RequestTypeInfo::DataTypeCodeByName("NOSUCHTYPE"));
}

TEST(QBXMLTag, OutputLineWritesTheSixteenControlFileColumns) {
    QBXMLTag tag;
    EXPECT_EQ(tag.OutputLine(), "0\t\t0\t0\t\t\t0\t\tFalse\t\tFalse\tFalse\tFalse\tFalse\t\tFalse");
    tag.Code = RequestTypeCode::Invoice;
    tag.Reference = "Ref";
    tag.DefaultSequence = 3;
    tag.Sequence = 5;
    tag.SetTagName("//InvoiceRet/TxnDate");
    tag.DefaultHeading = "Date";
    tag.Level = 1;
    tag.SetUserHeading("  ");
    tag.Version21 = true;
    tag.Version11 = true;
    tag.SetDataType("DATETYPE");
    tag.Version30 = true;
    EXPECT_EQ(tag.OutputLine(),
              "4\tRef\t3\t5\t//InvoiceRet/TxnDate\tDate\t1\t  \tFalse\t\t"
              "True\tFalse\tTrue\tFalse\tDATETYPE\tTrue");
}

}  // namespace
}  // namespace quarrion
