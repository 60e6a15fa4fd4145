#include "link/qbxml_request_builder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include "foundation/codes.h"
#include "qbxml/request_type_info.h"

namespace quarrion {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

LinkDate Day(int y, unsigned m, unsigned d) {
    return LinkDate{year{y}, month{m}, day{d}};
}

// A query element as one line: its attributes, then each child as name=text, or as
// name(...) around its own children, in document order.
std::string Outline(const pugi::xml_node& node) {
    std::string text;
    for (pugi::xml_attribute attribute : node.attributes()) {
        text += std::string("@") + attribute.name() + "=" + attribute.value() + " ";
    }
    for (pugi::xml_node child : node.children()) {
        if (child.first_child().type() == pugi::node_element) {
            text += std::string(child.name()) + "(" + Outline(child) + ") ";
        } else {
            text += std::string(child.name()) + "=" + child.text().get() + " ";
        }
    }
    if (!text.empty()) text.pop_back();
    return text;
}

// The query element `name` of a built request, outlined; "" when the text holds none.
std::string QueryOutline(const std::string& text, const std::string& name) {
    pugi::xml_document doc;
    pugi::xml_node query = doc.load_string(text.c_str())
                               ? doc.child("QBXML").child("QBXMLMsgsRq").child(name.c_str())
                               : pugi::xml_node();
    return query ? Outline(query) : "<no " + name + " in " + text + ">";
}

// Dates by which a search filters (1 transaction date, 2 modified date), the maximum
// and the iterator step: the query element QuickBooks gets, in its required order.
struct QueryCase {
    std::int32_t type;
    std::int32_t dateFilter;
    LinkDate from;
    LinkDate to;
    std::int32_t maxReturned;
    IteratorStep iterator;
    std::string outline;
};

TEST(QbxmlRequestBuilder, RecordsQueriesHoldWhatTheSearchAsksForInQuickBooksOrder) {
    using namespace RequestTypeCode;
    const LinkDate none{}, jan1 = Day(2026, 1, 1), mar31 = Day(2026, 3, 31);
    const LinkDate classicZero = Day(1899, 12, 30);
    const std::string linked = "IncludeLineItems=true IncludeLinkedTxns=true OwnerID=0";
    const std::string txnRange = "TxnDateRangeFilter(FromTxnDate=2026-01-01 ToTxnDate=2026-03-31) ";
    const std::string modRange =
        "FromModifiedDate=2026-01-01T00:00:00 ToModifiedDate=2026-03-31T23:59:59";
    const IteratorStep noWalk = IteratorStep::None;
    const QueryCase cases[] = {
        {Invoice, 1, jan1, mar31, 500, noWalk, "MaxReturned=500 " + txnRange + linked},
        {Invoice, 2, jan1, mar31, 9000, noWalk,
         "MaxReturned=9000 ModifiedDateRangeFilter(" + modRange + ") " + linked},
        {Invoice, 1, Day(2026, 2, 1), none, 9000, noWalk,
         "MaxReturned=9000 TxnDateRangeFilter(FromTxnDate=2026-02-01) " + linked},
        {Invoice, 2, none, Day(2026, 2, 28), 9000, noWalk,
         "MaxReturned=9000 ModifiedDateRangeFilter(ToModifiedDate=2026-02-28T23:59:59) " + linked},
        {Invoice, 2, classicZero, classicZero, 9000, noWalk, "MaxReturned=9000 " + linked},
        {Invoice, 0, jan1, mar31, 9000, noWalk, "MaxReturned=9000 " + linked},
        {Invoice, 1, jan1, mar31, 0, noWalk, txnRange + linked},
        {Invoice, 0, none, none, 100, IteratorStep::Start,
         "@iterator=Start MaxReturned=100 " + linked},
        {Customer, 1, jan1, mar31, 9000, noWalk, "MaxReturned=9000 ActiveStatus=All OwnerID=0"},
        {Customer, 2, jan1, mar31, 10, noWalk,
         "MaxReturned=10 ActiveStatus=All " + modRange + " OwnerID=0"},
        {TimeTracking, 0, none, none, 0, noWalk, ""},
        {Charge, 0, none, none, 0, noWalk, "IncludeLinkedTxns=true OwnerID=0"},
        {Class, 0, none, none, 0, noWalk, "ActiveStatus=All"},
        {Account, 0, none, none, 0, IteratorStep::Start, "ActiveStatus=All OwnerID=0"},
    };
    for (const QueryCase& c : cases) {
        RecordsQuery query;
        query.requestType = c.type;
        query.dateFilter = c.dateFilter;
        query.fromDate = c.from;
        query.toDate = c.to;
        query.maxReturned = c.maxReturned;
        query.iterator = c.iterator;
        const std::string name = std::string(RequestTypeInfo::TypeName(c.type)) + "QueryRq";
        EXPECT_EQ(QueryOutline(QbxmlRequestBuilder::RecordsQueryRequest(query), name),
                  "@requestID=1" + (c.outline.empty() ? "" : " " + c.outline))
            << name << " filter " << c.dateFilter << " max " << c.maxReturned;
    }
}

TEST(QbxmlRequestBuilder, UnknownTypesBuildNothing) {
    RecordsQuery query;
    query.requestType = 14;
    EXPECT_EQ(QbxmlRequestBuilder::RecordsQueryRequest(query), "");
    EXPECT_EQ(QbxmlRequestBuilder::ToPrintRequest(99, {}, true), "");
}

TEST(QbxmlRequestBuilder, ToPrintRequestHoldsOneModifyRequestPerTransaction) {
    std::vector<ToPrintChange> changes{{"T-1", "1001", "0"}, {"T<2>", "1002", "1"}};
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(QbxmlRequestBuilder::ToPrintRequest(12, changes, true).c_str()));
    EXPECT_EQ(Outline(doc.child("QBXML").child("QBXMLMsgsRq")),
              "@onError=continueOnError "
              "PurchaseOrderModRq(@requestID=0 PurchaseOrderMod(TxnID=T-1 EditSequence=1001 "
              "IsToBePrinted=true)) "
              "PurchaseOrderModRq(@requestID=1 PurchaseOrderMod(TxnID=T<2> EditSequence=1002 "
              "IsToBePrinted=true))");
}

}  // namespace
}  // namespace quarrion
