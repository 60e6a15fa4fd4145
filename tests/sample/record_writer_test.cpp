#include "sample/record_writer.h"

#include <gtest/gtest.h>

#include <functional>

#include "foundation/codes.h"
#include "sample/record_layout.h"
#include "sample/record_tree.h"

namespace quarrion {
namespace {

constexpr std::int32_t kTerms = RequestTypeCode::StandardTerms;
constexpr std::int32_t kInvoice = RequestTypeCode::Invoice;

// One record of `type` as written after `fill` puts its values in.
std::string Write(std::int32_t type, const std::function<void(RecordNode root)>& fill) {
    RecordTree tree;
    fill(RecordNode(tree, RecordTree::kRoot));
    std::string text;
    RecordWriter(type).Write(tree, text, 0);
    return text;
}

// A level only ever goes one deeper, and only below a group; no group is empty.
TEST(RecordLayout, GroupsAreFollowedByTheirChildren) {
    for (std::int32_t code = 1; code <= 35; ++code) {
        const auto rows = RecordLayout::Rows(code);
        int level = 0;
        bool group = true;
        for (const LayoutRow& row : rows) {
            EXPECT_EQ(group, row.level == level + 1) << code;
            EXPECT_LE(row.level, level + 1) << code;
            level = row.level;
            group = row.kind == ValueKind::Group;
        }
        EXPECT_FALSE(group && !rows.empty()) << "a group ends type " << code;
    }
}

// Values come in layout order whatever the order added, escaped; what the type does
// not carry is left out.
TEST(RecordWriter, PutsWhatTheTypeCarriesInLayoutOrderAndLeavesOutTheRest) {
    const std::string written = Write(kTerms, [](RecordNode root) {
        root.Set(El::StdDueDays, "30");
        root.Set(El::Name, "Smith & Sons <\"Net\">");
        root.Set(El::ListID, "80000001-1");
        root.Set(El::FullName, "Net 30");             // terms have no FullName
        root.Set(El::Name, "Net 30 again");           // Name does not repeat
        root.Group(El::IsActive).Set(El::Name, "x");  // a group where a value belongs
    });
    EXPECT_EQ(written,
              "<StandardTermsRet>\n"
              "  <ListID>80000001-1</ListID>\n"
              "  <Name>Smith &amp; Sons &lt;\"Net\"&gt;</Name>\n"
              "  <StdDueDays>30</StdDueDays>\n"
              "</StandardTermsRet>\n");
}

// Groups that end up empty are left out.
TEST(RecordWriter, RepeatedGroupsKeepTheirOrderAndNestInLayoutOrder) {
    const std::string written = Write(kInvoice, [](RecordNode root) {
        for (const char* amount : {"1.00", "2.00"}) {
            RecordNode line = root.Group(El::InvoiceLineRet);
            line.Set(El::Amount, amount);
            RecordNode item = line.Group(El::ItemRef);
            item.Set(El::FullName, "Hinge");
            item.Set(El::ListID, "8000002A-1");
        }
        root.Set(El::TxnID, "1A0-1");
        root.Group(El::BillAddress).Set(El::Name, "not an address field");
        root.Group(El::CustomerRef);
    });
    EXPECT_EQ(written,
              "<InvoiceRet>\n"
              "  <TxnID>1A0-1</TxnID>\n"
              "  <InvoiceLineRet>\n"
              "    <ItemRef>\n"
              "      <ListID>8000002A-1</ListID>\n"
              "      <FullName>Hinge</FullName>\n"
              "    </ItemRef>\n"
              "    <Amount>1.00</Amount>\n"
              "  </InvoiceLineRet>\n"
              "  <InvoiceLineRet>\n"
              "    <ItemRef>\n"
              "      <ListID>8000002A-1</ListID>\n"
              "      <FullName>Hinge</FullName>\n"
              "    </ItemRef>\n"
              "    <Amount>2.00</Amount>\n"
              "  </InvoiceLineRet>\n"
              "</InvoiceRet>\n");
}

}  // namespace
}  // namespace quarrion
