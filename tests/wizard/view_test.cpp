#include "wizard/view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "model/display_column.h"
#include "qbxml/request_type_info.h"
#include "wizard/format_text.h"

namespace quarrion {
namespace {

constexpr std::int32_t kInvoice = RequestTypeCode::Invoice;
constexpr std::int32_t kPurchaseOrder = RequestTypeCode::PurchaseOrder;
constexpr std::int32_t kNotOffered = 14;  // no request type has this code

// Both placeholders, in any letter case, give the type's title and name; anything else
// stays as written, and a type the wizard does not offer gives nothing.
TEST(FormatTextTest, ReplacesBothPlaceholdersInAnyCase) {
    const struct {
        const char* text;
        std::int32_t requestType;
        const char* expected;
    } cases[] = {
        {"&requesttitle Display Columns", kPurchaseOrder, "Purchase Order Display Columns"},
        {"&RequestTitle and &REQUESTNAME", kPurchaseOrder, "Purchase Order and PurchaseOrder"},
        {"for &requesttitle, then &requesttitle.", kInvoice, "for Invoice, then Invoice."},
        {"no placeholder & no harm", kInvoice, "no placeholder & no harm"},
        {"&request alone stays", kInvoice, "&request alone stays"},
        {"[&requesttitle]", kNotOffered, "[]"}};
    for (const auto& c : cases) EXPECT_EQ(FormatText(c.text, c.requestType), c.expected) << c.text;
}

class ViewTest : public ::testing::Test {
  protected:
    // An invoice element at `level`, shown at `sequence` (0: not shown), headed "default"
    // unless the user gave it a heading.
    QBXMLTag* Add(const std::string& path, int sequence, int level = 1,
                  const std::string& userHeading = "", int code = kInvoice) {
        const std::string record = code == kInvoice ? "//InvoiceRet/" : "//PurchaseOrderRet/";
        return catalog_.Add(code, "", sequence, sequence, record + path, "default", level,
                            userHeading, false, "", "STRTYPE", 0);
    }
    // The view's tags in order as "path:sequence:heading".
    std::string Tags() const {
        std::string text;
        for (const auto& tag : view_.Tags) {
            text += (text.empty() ? "" : " ") + ElementPath(tag->TagName) + ":" +
                    std::to_string(tag->Sequence) + ":" + tag->Heading;
        }
        return text;
    }
    QBXMLTags catalog_;
    View view_;
};

TEST_F(ViewTest, LoadingATypeTakesItsEntriesInCatalogOrderWithSequenceAndHeading) {
    Add("TxnDate", 2, 1, "Date");
    Add("PONumber", 1, 1, "", kPurchaseOrder);
    Add("CustomerRef/FullName", 0, 2);
    Add("RefNumber", 1);
    view_.SetProtect(true);
    view_.LoadCatalog(catalog_, kInvoice);
    EXPECT_EQ(view_.RequestType, kInvoice);
    EXPECT_EQ(Tags(), "TxnDate:2:Date CustomerRef/FullName:0:default RefNumber:1:default");
    EXPECT_EQ(view_.Tags.Item(2)->Level, 2);
    EXPECT_TRUE(view_.Tags.Item(3)->Protect);

    view_.LoadCatalog(catalog_, kPurchaseOrder);
    EXPECT_EQ(Tags(), "PONumber:1:default");
    EXPECT_EQ(view_.Tags.Item(1)->Index, 1);
}

// Checked columns are numbered in list order above the highest sequence any tag holds;
// nodes naming no tag are passed over and a node's name is matched in any letter case.
TEST_F(ViewTest, CheckedColumnsAreNumberedAboveTheHighestAndNoneCheckedAnswersZero) {
    Add("A", 1);
    Add("B", 2);
    view_.LoadCatalog(catalog_, kInvoice);
    EXPECT_EQ(view_.NumberChecked({{"//InvoiceRet/A", false}, {"//InvoiceRet/B", true}}), 1);
    EXPECT_EQ(Tags(), "A:0:default B:3:default");
    EXPECT_EQ(view_.NumberChecked({{"//InvoiceRet/Gone", true}, {"//invoiceret/a", true}}), 1);
    EXPECT_EQ(Tags(), "A:4:default B:3:default");
    EXPECT_EQ(view_.NumberChecked({{"//InvoiceRet/A", false}, {"//InvoiceRet/B", false}}), 0);
    EXPECT_FALSE(view_.Tags.IsSequenced());
}

// A search's columns are shown at their places under their headings; a column the
// catalog no longer lists is left out.
TEST_F(ViewTest, ASearchsColumnsAreShownAtTheirPlacesUnderTheirHeadings) {
    Add("A", 1);
    QBXMLTag* b = Add("B", 0, 2);
    QBXMLTag* c = Add("C", 2);
    DisplayColumns columns;
    columns.RequestType = kInvoice;
    columns.Add(*c, "Mine");
    columns.Add(*b);
    QBXMLTags other;
    columns.Add(*other.Add(kInvoice, "", 0, 0, "//InvoiceRet/Gone", "Gone", 1, "", false, "",
                           "STRTYPE", 0));
    view_.LoadDisplayColumns(catalog_, columns);
    EXPECT_EQ(view_.RequestType, kInvoice);
    EXPECT_EQ(Tags(), "A:0:default B:2:default C:1:Mine");
}

// Finish rebuilds the columns in order; a blank heading falls back to the user heading.
TEST_F(ViewTest, FinishingRebuildsTheColumnsInOrderAndBlankHeadingsFallBack) {
    Add("A", 0, 1, "Alpha");
    Add("B", 0);
    Add("C", 0);
    view_.LoadCatalog(catalog_, kInvoice);
    view_.ApplyPreview({{"//InvoiceRet/A", 2, "  "}, {"//InvoiceRet/C", 1, "Cee"}});
    DisplayColumns columns;
    columns.RequestType = kInvoice;
    columns.Add(*catalog_.Item(kInvoice, "//InvoiceRet/B"));
    view_.FillDisplayColumns(columns);
    std::string shown;
    for (const DisplayColumn& column : columns) {
        shown += std::to_string(column.Index) + ":" + ElementPath(column.Tag()->TagName()) + ":" +
                 column.Heading() + " ";
    }
    EXPECT_EQ(shown, "1:C:Cee 2:A:Alpha ");
    EXPECT_EQ(columns.RequestType, kInvoice);
}

TEST_F(ViewTest, RebindingAfterAReloadKeepsTheUsersChoices) {
    Add("A", 1);
    Add("B", 0);
    view_.LoadCatalog(catalog_, kInvoice);
    view_.ApplyPreview({{"//InvoiceRet/B", 1, "Bee"}});
    catalog_.Clear();
    QBXMLTag* reloaded = Add("B", 4);
    view_.Rebind(catalog_);
    EXPECT_EQ(Tags(), "A:1:default B:1:Bee");
    EXPECT_EQ(view_.Tags.Item(1)->Tag(), nullptr);
    EXPECT_EQ(view_.Tags.Item(2)->Tag(), reloaded);
}

}  // namespace
}  // namespace quarrion
