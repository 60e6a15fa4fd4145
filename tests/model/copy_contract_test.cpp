// The model's `Copy` contract, one suite for the types that carry it: IntoTarget makes
// the target a deep copy (what it held before is gone), FromTarget makes this one a
// copy of the target, a value outside the two changes nothing, and a copy shares
// nothing that changing it could reach back through.

#include <gtest/gtest.h>

#include <string>

#include "catalog/qbxml_tag.h"
#include "foundation/codes.h"
#include "model/compare_data.h"
#include "model/compare_list.h"
#include "model/compare_range.h"
#include "model/criteria.h"
#include "model/criterion.h"
#include "model/display_column.h"
#include "model/examinors.h"
#include "model/field_examinors.h"
#include "model/search_object2.h"
#include "support/loose_tag.h"

namespace quarrion {
namespace {

using namespace std::chrono;

constexpr CopyDirection kNeither = static_cast<CopyDirection>(2);

using test::LooseTag;

// Everything a copy carries, as text: two descriptions are equal exactly when one
// object is a faithful copy of the other. Values are described as read (an empty
// number reads as 0), since FromTarget takes them so.
std::string Describe(const CompareData& d) {
    return std::to_string(d.TypeOfData()) + ":" +
           (d.TypeOfData() == Kind::Number ? NumberText(d.ValueNumber()) : d.ValueText());
}
std::string Describe(const CompareList& list) {
    std::string text = std::to_string(list.TypeOfData()) + "[";
    for (const auto& item : list) text += Describe(*item) + ";";
    return text + "]";
}
std::string Describe(const CompareRange& range) {
    return Describe(range.A()) + ".." + Describe(range.B());
}
std::string Describe(const RuleValues& v) {
    return Describe(v.TextCompare) + " " + Describe(v.NumberCompare) + " " +
           Describe(v.NumberRange) + " " + Describe(v.TextList) + " " + Describe(v.NumberList);
}
std::string Describe(const Criterion& c) {
    return c.AndOr + " " + std::to_string(c.Operand) + " " + std::to_string(c.DataType()) + " " +
           Describe(static_cast<const RuleValues&>(c));
}
std::string Describe(const Examinors& groups) {
    std::string text;
    for (const Examinor& group : groups) {
        for (const Criterion& c : group.Criteria) text += Describe(c) + ",";
        text += " or ";
    }
    return text;
}
std::string Describe(const FieldExaminors& groups) {
    std::string text;
    for (const FieldExaminor& group : groups) {
        text += "(";
        for (const FieldCriterion& rule : group.FieldCriteria) {
            text += rule.Field()->TagName() + " " + rule.AndOr + " " +
                    std::to_string(rule.Operand) + " " +
                    Describe(static_cast<const RuleValues&>(rule)) + ",";
        }
        text += ") or ";
    }
    return text;
}
std::string Describe(const DisplayColumns& columns) {
    std::string text;
    for (const DisplayColumn& column : columns) {
        text += column.Tag()->TagName() + "=" + column.Heading() + ";";
    }
    return text;
}
std::string Describe(const SearchObject2& s) {
    std::string text = std::to_string(s.ID) + "|" + s.Name + "|" + s.Description + "|" +
                       std::to_string(s.Max) + "|" + std::to_string(s.DateFilter) + "|" +
                       s.FormatFrom() + "|" + s.FormatTo() + "|" + Describe(s.Examinors);
    for (const IncItem& item : s.IncludeItems) {
        text += "|" + item.Name + " " + std::to_string(item.RequestType()) + " " +
                std::to_string(item.Done) + " " + item.Message + " " + item.Response + " " +
                Describe(item.FieldExaminors) + " " + Describe(item.DisplayColumns) + " " +
                std::to_string(item.DisplayColumns.RequestType);
        for (const SearchColumn& column : item.SearchColumns) text += " " + column.ElementName();
    }
    return text;
}

// How each type is filled with something to copy, and changed deeply after copying.
void Fill(Criterion& c) {
    c.AndOr = "OR";
    c.Operand = Operation::InList;
    c.SetDataType(Choice::Text);
    c.TextCompare.SetValue("acme");
    c.TextList.Add(std::string("A100"));
    c.NumberRange.A().SetValue(1.0);
    c.NumberList.Add(3.0);
}
void Change(Criterion& c) {
    c.TextList.Item(1)->SetValue("Z999");
    c.TextList.Add(std::string("B200"));
    c.NumberRange.A().SetValue(7.0);
    c.SetDataType(Choice::AnyNumber);
}

void Fill(Examinors& groups) {
    Criteria& first = groups.Add()->Criteria;
    Fill(*first.Add(Operation::Contains, Choice::Text));
    first.Add(Operation::Between, Choice::Amount)->NumberRange.B().SetValue(10.0);
    groups.Add()
        ->Criteria.Add(Operation::GreaterThan, Choice::AnyNumber)
        ->NumberCompare.SetValue(500.0);
}
void Change(Examinors& groups) {
    groups.Item(2)->Criteria.Item(1)->NumberCompare.SetValue(1.0);
    groups.Item(1)->Criteria.Clear();
    groups.Add();
}

void Fill(FieldExaminors& groups) {
    FieldCriterion* rule = groups.Add()->FieldCriteria.Add(
        LooseTag("//InvoiceRet/InvoiceLineRet/Desc", "STRTYPE"), Operation::InList);
    rule->AndOr = "OR";
    rule->TextList.Add(std::string("Freight charge"));
    groups.Add()
        ->FieldCriteria.Add(LooseTag("//InvoiceRet/Subtotal", "AMTTYPE"), Operation::GreaterThan)
        ->NumberCompare.SetValue(500.0);
}
void Change(FieldExaminors& groups) {
    FieldCriterion* rule = groups.Item(1)->FieldCriteria.Item(1);
    rule->TextList.Clear();
    rule->Operand = Operation::Contains;
    groups.Item(1)->FieldCriteria.Add(LooseTag("//InvoiceRet/Memo", "STRTYPE"), Operation::IsBlank);
}

void Fill(DisplayColumns& columns) {
    columns.Add(LooseTag("//InvoiceRet/RefNumber", "STRTYPE"), "Number");
    columns.Add(LooseTag("//InvoiceRet/Memo", "STRTYPE"), "Notes");
}
void Change(DisplayColumns& columns) {
    columns.Item(1)->SetHeading("Changed");
}

void Fill(SearchObject2& search) {
    search.ID = 31;
    search.Name = "Big invoices";
    search.Description = "over 500";
    search.Max = 250;
    search.DateFilter = DateFilterCode::ModifiedDate;
    search.FromDate = sys_days(2024y / January / 1);
    search.ToDate = sys_days(2024y / June / 30);
    Fill(search.Examinors);
    IncItem* item = search.IncludeItems.Add("Invoice", RequestTypeCode::Invoice);
    item->Done = true;
    item->Message = "3/3  Found 1 Done.";
    item->Response = "<InvoiceRet/>";
    Fill(item->FieldExaminors);
    item->SearchColumns.Add(*LooseTag("//InvoiceRet/Subtotal", "AMTTYPE"));
    Fill(item->DisplayColumns);
    search.IncludeItems.Add("Customer", RequestTypeCode::Customer);
}
void Change(SearchObject2& search) {
    Change(search.Examinors);
    IncItem* item = search.IncludeItems.Item("INVOICE");
    Change(item->FieldExaminors);
    item->SearchColumns.Clear();
    Change(item->DisplayColumns);
    item->Response = "other";
    item->Done = false;
    search.IncludeItems.Remove("Customer");
    search.Name = "renamed";
}

template <class T>
class CopyContract : public ::testing::Test {};

// Values, lists, ranges and rule groups are met inside the rules and groups that hold
// them, which never copy one onto itself.
using CopiedTypes =
    ::testing::Types<Criterion, Examinors, FieldExaminors, DisplayColumns, SearchObject2>;
TYPED_TEST_SUITE(CopyContract, CopiedTypes);

TYPED_TEST(CopyContract, IntoTargetAndFromTargetMakeDeepCopiesAndNothingElseCopies) {
    TypeParam original;
    Fill(original);
    const std::string filled = Describe(original);

    // IntoTarget replaces what the target held with a copy that shares nothing.
    TypeParam target;
    Fill(target);
    Change(target);
    original.Copy(target, CopyDirection::IntoTarget);
    EXPECT_EQ(Describe(target), filled);
    Change(target);
    EXPECT_NE(Describe(target), filled);

    // FromTarget makes this one such a copy of the target.
    TypeParam reader;
    reader.Copy(original, CopyDirection::FromTarget);
    EXPECT_EQ(Describe(reader), filled);
    Change(reader);

    // Another direction, or a copy onto itself, changes nothing.
    TypeParam empty;
    const std::string nothing = Describe(empty);
    original.Copy(empty, kNeither);
    empty.Copy(original, kNeither);
    EXPECT_EQ(Describe(empty), nothing);
    original.Copy(original, CopyDirection::IntoTarget);
    original.Copy(original, CopyDirection::FromTarget);
    EXPECT_EQ(Describe(original), filled);
}

// What each type keeps for itself, beside the shared contract.

TEST(CopyKeeps, CompareDataCopiesInAsStoredAndOutAsRead) {
    CompareData number;
    number.SetTypeOfData(Kind::Number);
    number.SetValue("12abc");
    CompareData target;
    number.Copy(target, CopyDirection::IntoTarget);
    EXPECT_EQ(std::get<std::string>(target.Stored()), "12abc");
    CompareData reader;
    reader.Copy(number, CopyDirection::FromTarget);
    EXPECT_EQ(std::get<double>(reader.Stored()), 12);
}

TEST(CopyKeeps, IdentityResultsAndCatalogEntriesStayWithTheirOwner) {
    Criterion rule;
    Fill(rule);
    rule.Index = 3;
    rule.Compare("A100", "STRTYPE");
    Criterion copy;
    copy.Index = 9;
    rule.Copy(copy, CopyDirection::IntoTarget);
    EXPECT_EQ(copy.Index, 9);
    EXPECT_EQ(copy.Result(), RuleResult::NotApplicable);
    EXPECT_TRUE(copy.ReferencesDataType("STRTYPE"));

    SearchObject2 search;
    Fill(search);
    search.Index = 4;
    SearchObject2 other;
    other.Index = 7;
    search.Copy(other, CopyDirection::IntoTarget);
    EXPECT_EQ(other.Index, 7);
    EXPECT_EQ(other.IncludeItems.Item("INVOICE")->Index, 1);

    DisplayColumns columns;
    Fill(columns);
    columns.RequestType = RequestTypeCode::Invoice;
    DisplayColumns target;
    target.RequestType = RequestTypeCode::SalesOrder;
    columns.Copy(target, CopyDirection::IntoTarget);
    EXPECT_EQ(target.RequestType, RequestTypeCode::SalesOrder);

    FieldExaminors groups, copies;  // field rules share their catalog entry
    Fill(groups);
    groups.Copy(copies, CopyDirection::IntoTarget);
    EXPECT_EQ(copies.Item(1)->FieldCriteria.Item(1)->Field(),
              groups.Item(1)->FieldCriteria.Item(1)->Field());
}

}  // namespace
}  // namespace quarrion
