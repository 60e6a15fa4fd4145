#include "wizard/view.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "catalog/qbxml_tags.h"
#include "model/display_column.h"
#include "qbxml/request_type_info.h"
#include "wizard/format_text.h"

namespace quarrion {
namespace {

constexpr std::int32_t kInvoice = 4;
constexpr std::int32_t kPurchaseOrder = 12;
constexpr std::int32_t kNotOffered = 14;

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

TEST(ElementPathTest, IsThePathBelowTheRecordElement) {
    EXPECT_EQ(ElementPath("//InvoiceRet/CustomerRef/FullName"), "CustomerRef/FullName");
    EXPECT_EQ(ElementPath("//InvoiceRet"), "//InvoiceRet");
    EXPECT_EQ(ElementPath("TxnDate"), "TxnDate");
}

class ViewTest : public ::testing::Test {
  protected:
    // An invoice element at `level`, shown at `sequence` (0: not shown).
    QBXMLTag* Add(const std::string& path, int sequence, int level = 1,
                  const std::string& userHeading = "", int code = kInvoice) {
        const std::string record = code == kInvoice ? "//InvoiceRet/" : "//PurchaseOrderRet/";
        return catalog_.Add(code, "", sequence, sequence, record + path, path + " default", level,
                            userHeading, false, "", "STRTYPE", 0);
    }
    static std::string Short(const std::string& tagName) {
        return tagName.substr(tagName.find('/', 2) + 1);
    }
    std::vector<std::pair<std::string, int>> Sequences() const {
        std::vector<std::pair<std::string, int>> seen;
        for (const auto& tag : view_.Tags) seen.emplace_back(Short(tag->TagName), tag->Sequence);
        return seen;
    }
    std::vector<View::CheckedNode> Nodes(const std::vector<std::string>& checked) const {
        std::vector<View::CheckedNode> nodes;
        for (const auto& tag : view_.Tags) {
            bool on =
                std::find(checked.begin(), checked.end(), Short(tag->TagName)) != checked.end();
            nodes.push_back({tag->TagName, on});
        }
        return nodes;
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
    EXPECT_EQ(Sequences(), (std::vector<std::pair<std::string, int>>{
                               {"TxnDate", 2}, {"CustomerRef/FullName", 0}, {"RefNumber", 1}}));
    EXPECT_EQ(view_.Tags.Item(1)->Heading, "Date");
    EXPECT_EQ(view_.Tags.Item(2)->Heading, "CustomerRef/FullName default");
    EXPECT_EQ(view_.Tags.Item(2)->Level, 2);
    EXPECT_TRUE(view_.Tags.Item(3)->Protect);

    view_.LoadCatalog(catalog_, kPurchaseOrder);
    ASSERT_EQ(view_.Tags.Count(), 1u);
    EXPECT_EQ(view_.Tags.Item(1)->Index, 1);
}

// Nodes naming no tag are passed over; a node's name is matched in any letter case.
TEST_F(ViewTest, UncheckingAColumnHidesItAndNoneCheckedAnswersZero) {
    Add("A", 1);
    Add("B", 2);
    view_.LoadCatalog(catalog_, kInvoice);
    EXPECT_EQ(view_.NumberChecked(Nodes({"B"})), 1);
    EXPECT_EQ(Sequences(), (std::vector<std::pair<std::string, int>>{{"A", 0}, {"B", 3}}));
    EXPECT_EQ(view_.NumberChecked({{"//InvoiceRet/Gone", true}, {"//invoiceret/a", true}}), 1);
    EXPECT_EQ(view_.Tags.Item(1)->Sequence, 4);

    EXPECT_EQ(view_.NumberChecked(Nodes({})), 0);
    EXPECT_FALSE(view_.Tags.IsSequenced());
}

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
    EXPECT_EQ(Sequences(),
              (std::vector<std::pair<std::string, int>>{{"A", 0}, {"B", 2}, {"C", 1}}));
    EXPECT_EQ(view_.Tags.Item(3)->Heading, "Mine");
    EXPECT_EQ(view_.Tags.Count(), 3u);
}

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
    ASSERT_EQ(columns.Count(), 2u);
    EXPECT_EQ(columns.Item(1)->Tag()->TagName(), "//InvoiceRet/C");
    EXPECT_EQ(columns.Item(1)->Heading(), "Cee");
    EXPECT_EQ(columns.Item(1)->Index, 1);
    EXPECT_EQ(columns.Item(2)->Heading(), "Alpha");
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
    EXPECT_EQ(view_.Tags.Item(1)->Tag(), nullptr);
    EXPECT_EQ(view_.Tags.Item(1)->Sequence, 1);
    EXPECT_EQ(view_.Tags.Item(2)->Tag(), reloaded);
    EXPECT_EQ(view_.Tags.Item(2)->Sequence, 1);
    EXPECT_EQ(view_.Tags.Item(2)->Heading, "Bee");
}

}  // namespace
}  // namespace quarrion
