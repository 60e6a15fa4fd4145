#include <gtest/gtest.h>

#include "catalog/qbxml_tag.h"
#include "foundation/codes.h"
#include "qbxml/request_type_info.h"

namespace quarrion {
namespace {

struct TagNameCase {
    const char* tagName;
    bool searchable;
    const char* group;
};

// Each entry starts unsearchable in group "Given"; the path decides what changes.
TEST(QBXMLTag, TagNameDecidesSearchableAndGroup) {
    const TagNameCase cases[] = {
        {"//CustomerRet/CompanyName", true, "Names"},
        {"//InvoiceRet/CustomerRef/FullName", true, "Names"},
        {"//InvoiceRet/Memo", true, "Text"},
        {"//InvoiceRet/InvoiceLineRet/Desc", true, "Text"},
        {"//ItemServiceRet/SalesOrPurchase/DESC", true, "Text"},
        // "name" wins over "memo" when a path holds both.
        {"//InvoiceRet/MemoName", true, "Names"},
        {"//InvoiceRet/TxnDate", false, "Given"},
        {"//InvoiceRet/Subtotal", false, "Given"},
    };
    for (const auto& c : cases) {
        QBXMLTag tag;
        tag.Searchable = false;
        tag.SearchGroup = "Given";
        tag.SetTagName(c.tagName);
        EXPECT_EQ(tag.TagName(), c.tagName);
        EXPECT_EQ(tag.Searchable, c.searchable) << c.tagName;
        EXPECT_EQ(tag.SearchGroup, c.group) << c.tagName;
    }
}

TEST(QBXMLTag, PathWithoutNameKeepsASearchableFlagSetEarlier) {
    QBXMLTag tag;
    tag.Searchable = true;
    tag.SearchGroup = "Amounts";
    tag.SetTagName("//InvoiceRet/BalanceRemaining");
    EXPECT_TRUE(tag.Searchable);
    EXPECT_EQ(tag.SearchGroup, "Amounts");
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

TEST(QBXMLTag, DataTypeSetsItsCode) {
    QBXMLTag tag;
    tag.SetDataType("AMTTYPE");
    EXPECT_EQ(tag.DataType(), "AMTTYPE");
    EXPECT_EQ(tag.DataTypeCode(), DataTypeCode::Amt);
    tag.SetDataType("STRTYPE");
    EXPECT_EQ(tag.DataTypeCode(), DataTypeCode::Str);
    tag.SetDataType("NOSUCHTYPE");
    EXPECT_EQ(tag.DataType(), "NOSUCHTYPE");
    EXPECT_EQ(tag.DataTypeCode(), RequestTypeInfo::DataTypeCodeByName("NOSUCHTYPE"));
}

TEST(QBXMLTag, KeyIsCodeFollowedByTagName) {
    QBXMLTag tag;
    tag.Code = 12;
    tag.SetTagName("//InvoiceRet/TxnDate");
    EXPECT_EQ(tag.Key(), "12//InvoiceRet/TxnDate");
}

TEST(QBXMLTag, IgnoreMarksEditSequenceInAnyCase) {
    QBXMLTag tag;
    tag.SetTagName("//InvoiceRet/EditSequence");
    EXPECT_TRUE(tag.Ignore());
    tag.SetTagName("//InvoiceRet/EDITSEQUENCE");
    EXPECT_TRUE(tag.Ignore());
    tag.SetTagName("//InvoiceRet/TxnID");
    EXPECT_FALSE(tag.Ignore());
}

TEST(QBXMLTag, OutputLineWritesTheSixteenControlFileColumns) {
    QBXMLTag tag;
    tag.Code = 4;
    tag.Reference = "Ref";
    tag.DefaultSequence = 3;
    tag.Sequence = 5;
    tag.SetTagName("//InvoiceRet/TxnDate");
    tag.DefaultHeading = "Date";
    tag.Level = 1;
    tag.SetUserHeading("  ");
    tag.Searchable = false;
    tag.SearchGroup = "";
    tag.Version21 = true;
    tag.Version20 = false;
    tag.Version11 = true;
    tag.Version10 = false;
    tag.SetDataType("DATETYPE");
    tag.Version30 = true;
    tag.VersionCA20 = true;
    tag.VersionCA30 = true;
    EXPECT_EQ(tag.OutputLine(),
              "4\tRef\t3\t5\t//InvoiceRet/TxnDate\tDate\t1\t  \tFalse\t\t"
              "True\tFalse\tTrue\tFalse\tDATETYPE\tTrue");
}

TEST(QBXMLTag, OutputLineKeepsEmptyLeadingTextColumns) {
    QBXMLTag tag;
    EXPECT_EQ(tag.OutputLine(), "0\t\t0\t0\t\t\t0\t\tFalse\t\tFalse\tFalse\tFalse\tFalse\t\tFalse");
}

}  // namespace
}  // namespace quarrion
