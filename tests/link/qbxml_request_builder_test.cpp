#include "link/qbxml_request_builder.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <string>
#include <vector>

namespace quarrion {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;

LinkDate Day(int y, unsigned m, unsigned d) {
    return LinkDate{year{y}, month{m}, day{d}};
}

// The query element of a built request, parsed.
struct Parsed {
    pugi::xml_document doc;
    pugi::xml_node query;
};

void Parse(const std::string& text, const char* name, Parsed& parsed) {
    ASSERT_TRUE(parsed.doc.load_string(text.c_str())) << text;
    pugi::xml_node set = parsed.doc.child("QBXML").child("QBXMLMsgsRq");
    ASSERT_TRUE(set) << text;
    parsed.query = set.child(name);
    ASSERT_TRUE(parsed.query) << text;
}

std::vector<std::string> ChildNames(const pugi::xml_node& node) {
    std::vector<std::string> names;
    for (pugi::xml_node child : node.children()) names.emplace_back(child.name());
    return names;
}

struct DateCase {
    const char* label;
    std::int32_t requestType;
    std::int32_t dateFilter;
    LinkDate from;
    LinkDate to;
    const char* expectedFilter;  // "" for none; "direct" for list From/ToModifiedDate
    const char* expectedFrom;    // "" when the bound must be absent
    const char* expectedTo;
};

class DateFilterTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DateFilterTest, BuildsTheFilterTheSearchAsksFor) {
    const DateCase& c = GetParam();
    RecordsQuery query;
    query.requestType = c.requestType;
    query.dateFilter = c.dateFilter;
    query.fromDate = c.from;
    query.toDate = c.to;
    query.maxReturned = 9000;
    std::string text = QbxmlRequestBuilder::RecordsQueryRequest(query);
    Parsed parsed;
    std::string name = c.requestType == 4 ? "InvoiceQueryRq" : "CustomerQueryRq";
    ASSERT_NO_FATAL_FAILURE(Parse(text, name.c_str(), parsed));
    pugi::xml_node q = parsed.query;

    std::string filter = c.expectedFilter;
    bool txnFilter = q.child("TxnDateRangeFilter");
    bool modFilter = q.child("ModifiedDateRangeFilter");
    bool direct = q.child("FromModifiedDate") || q.child("ToModifiedDate");
    EXPECT_EQ(txnFilter, filter == "TxnDateRangeFilter") << text;
    EXPECT_EQ(modFilter, filter == "ModifiedDateRangeFilter") << text;
    EXPECT_EQ(direct, filter == "direct") << text;
    if (filter.empty()) return;

    pugi::xml_node holder = filter == "direct" ? q : q.child(c.expectedFilter);
    const char* fromName = filter == "TxnDateRangeFilter" ? "FromTxnDate" : "FromModifiedDate";
    const char* toName = filter == "TxnDateRangeFilter" ? "ToTxnDate" : "ToModifiedDate";
    EXPECT_EQ(std::string(holder.child(fromName).text().get()), c.expectedFrom) << text;
    EXPECT_EQ(bool(holder.child(fromName)), *c.expectedFrom != 0) << text;
    EXPECT_EQ(std::string(holder.child(toName).text().get()), c.expectedTo) << text;
    EXPECT_EQ(bool(holder.child(toName)), *c.expectedTo != 0) << text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DateFilterTest,
    ::testing::Values(
        DateCase{"InvoiceByTxnDate", 4, 1, Day(2026, 1, 1), Day(2026, 3, 31), "TxnDateRangeFilter",
                 "2026-01-01", "2026-03-31"},
        DateCase{"InvoiceByModifiedDate", 4, 2, Day(2026, 1, 1), Day(2026, 3, 31),
                 "ModifiedDateRangeFilter", "2026-01-01T00:00:00", "2026-03-31T23:59:59"},
        DateCase{"InvoiceFromOnly", 4, 1, Day(2026, 2, 1), LinkDate{}, "TxnDateRangeFilter",
                 "2026-02-01", ""},
        DateCase{"InvoiceToOnlyModified", 4, 2, LinkDate{}, Day(2026, 2, 28),
                 "ModifiedDateRangeFilter", "", "2026-02-28T23:59:59"},
        DateCase{"InvoiceZeroDates", 4, 1, LinkDate{}, LinkDate{}, "", "", ""},
        DateCase{"InvoiceClassicZeroDates", 4, 2, Day(1899, 12, 30), Day(1899, 12, 30), "", "", ""},
        DateCase{"InvoiceNoFilterCode", 4, 0, Day(2026, 1, 1), Day(2026, 3, 31), "", "", ""},
        DateCase{"CustomerUnderTxnDate", 2, 1, Day(2026, 1, 1), Day(2026, 3, 31), "", "", ""},
        DateCase{"CustomerByModifiedDate", 2, 2, Day(2026, 1, 1), Day(2026, 3, 31), "direct",
                 "2026-01-01T00:00:00", "2026-03-31T23:59:59"},
        DateCase{"CustomerZeroDates", 2, 2, LinkDate{}, LinkDate{}, "", "", ""}),
    [](const ::testing::TestParamInfo<DateCase>& info) { return std::string(info.param.label); });

TEST(QbxmlRequestBuilder, TransactionQueryKeepsTheRequiredElementOrder) {
    RecordsQuery query;
    query.requestType = 4;
    query.dateFilter = 1;
    query.fromDate = Day(2026, 1, 1);
    query.toDate = Day(2026, 12, 31);
    query.maxReturned = 500;
    Parsed parsed;
    ASSERT_NO_FATAL_FAILURE(
        Parse(QbxmlRequestBuilder::RecordsQueryRequest(query), "InvoiceQueryRq", parsed));
    EXPECT_EQ(ChildNames(parsed.query),
              (std::vector<std::string>{"MaxReturned", "TxnDateRangeFilter", "IncludeLineItems",
                                        "IncludeLinkedTxns", "OwnerID"}));
    EXPECT_STREQ(parsed.query.child_value("MaxReturned"), "500");
    EXPECT_STREQ(parsed.query.child_value("IncludeLineItems"), "true");
    EXPECT_STREQ(parsed.query.child_value("OwnerID"), "0");
}

TEST(QbxmlRequestBuilder, ListQueryAsksForInactiveEntriesToo) {
    RecordsQuery query;
    query.requestType = 2;
    query.dateFilter = 2;
    query.fromDate = Day(2026, 1, 1);
    query.toDate = Day(2026, 12, 31);
    query.maxReturned = 10;
    Parsed parsed;
    ASSERT_NO_FATAL_FAILURE(
        Parse(QbxmlRequestBuilder::RecordsQueryRequest(query), "CustomerQueryRq", parsed));
    EXPECT_EQ(ChildNames(parsed.query),
              (std::vector<std::string>{"MaxReturned", "ActiveStatus", "FromModifiedDate",
                                        "ToModifiedDate", "OwnerID"}));
    EXPECT_STREQ(parsed.query.child_value("ActiveStatus"), "All");
}

TEST(QbxmlRequestBuilder, QueriesWithoutLineItemsOrOwnersLeaveThemOut) {
    RecordsQuery query;
    query.requestType = 24;  // TimeTracking
    Parsed time;
    ASSERT_NO_FATAL_FAILURE(
        Parse(QbxmlRequestBuilder::RecordsQueryRequest(query), "TimeTrackingQueryRq", time));
    EXPECT_TRUE(ChildNames(time.query).empty());

    query.requestType = 10;  // Charge: linked transactions, no line items
    Parsed charge;
    ASSERT_NO_FATAL_FAILURE(
        Parse(QbxmlRequestBuilder::RecordsQueryRequest(query), "ChargeQueryRq", charge));
    EXPECT_EQ(ChildNames(charge.query), (std::vector<std::string>{"IncludeLinkedTxns", "OwnerID"}));

    query.requestType = 31;  // Class
    Parsed cls;
    ASSERT_NO_FATAL_FAILURE(
        Parse(QbxmlRequestBuilder::RecordsQueryRequest(query), "ClassQueryRq", cls));
    EXPECT_EQ(ChildNames(cls.query), (std::vector<std::string>{"ActiveStatus"}));
}

TEST(QbxmlRequestBuilder, IteratorAttributesFollowTheWalk) {
    RecordsQuery query;
    query.requestType = 4;
    query.maxReturned = 100;
    query.iterator = IteratorStep::Start;
    Parsed start;
    ASSERT_NO_FATAL_FAILURE(
        Parse(QbxmlRequestBuilder::RecordsQueryRequest(query), "InvoiceQueryRq", start));
    EXPECT_STREQ(start.query.attribute("iterator").value(), "Start");
    EXPECT_FALSE(start.query.attribute("iteratorID"));

    query.iterator = IteratorStep::Continue;
    query.iteratorId = "{A&B}";
    query.requestId = "7";
    Parsed next;
    ASSERT_NO_FATAL_FAILURE(
        Parse(QbxmlRequestBuilder::RecordsQueryRequest(query), "InvoiceQueryRq", next));
    EXPECT_STREQ(next.query.attribute("iterator").value(), "Continue");
    EXPECT_STREQ(next.query.attribute("iteratorID").value(), "{A&B}");
    EXPECT_STREQ(next.query.attribute("requestID").value(), "7");
}

TEST(QbxmlRequestBuilder, TypesWithoutIteratorsNeverGetIteratorAttributes) {
    EXPECT_FALSE(QbxmlRequestBuilder::SupportsIterator(1));
    EXPECT_TRUE(QbxmlRequestBuilder::SupportsIterator(4));
    RecordsQuery query;
    query.requestType = 1;  // Account
    query.iterator = IteratorStep::Start;
    Parsed parsed;
    ASSERT_NO_FATAL_FAILURE(
        Parse(QbxmlRequestBuilder::RecordsQueryRequest(query), "AccountQueryRq", parsed));
    EXPECT_FALSE(parsed.query.attribute("iterator"));
}

TEST(QbxmlRequestBuilder, NoMaximumLeavesMaxReturnedOut) {
    RecordsQuery query;
    query.requestType = 4;
    query.maxReturned = 0;
    Parsed parsed;
    ASSERT_NO_FATAL_FAILURE(
        Parse(QbxmlRequestBuilder::RecordsQueryRequest(query), "InvoiceQueryRq", parsed));
    EXPECT_FALSE(parsed.query.child("MaxReturned"));
}

TEST(QbxmlRequestBuilder, UnknownTypesBuildNothing) {
    RecordsQuery query;
    query.requestType = 14;
    EXPECT_EQ(QbxmlRequestBuilder::RecordsQueryRequest(query), "");
    EXPECT_EQ(QbxmlRequestBuilder::ToPrintRequest(99, {}, true), "");
}

TEST(QbxmlRequestBuilder, ToPrintRequestHoldsOneModifyRequestPerTransaction) {
    std::vector<ToPrintChange> changes{{"T-1", "1001", "0"}, {"T<2>", "1002", "1"}};
    std::string text = QbxmlRequestBuilder::ToPrintRequest(12, changes, true);
    pugi::xml_document doc;
    ASSERT_TRUE(doc.load_string(text.c_str())) << text;
    pugi::xml_node set = doc.child("QBXML").child("QBXMLMsgsRq");
    EXPECT_STREQ(set.attribute("onError").value(), "continueOnError");
    std::vector<std::string> ids;
    for (pugi::xml_node rq : set.children("PurchaseOrderModRq")) {
        pugi::xml_node mod = rq.child("PurchaseOrderMod");
        EXPECT_EQ(ChildNames(mod),
                  (std::vector<std::string>{"TxnID", "EditSequence", "IsToBePrinted"}));
        EXPECT_STREQ(mod.child_value("IsToBePrinted"), "true");
        ids.push_back(mod.child_value("TxnID"));
        EXPECT_EQ(std::string(rq.attribute("requestID").value()), std::to_string(ids.size() - 1));
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"T-1", "T<2>"}));
    EXPECT_EQ(ChildNames(set).size(), 2u);
}

TEST(QbxmlRequestBuilder, ReReadAsksOnlyForIdsAndEditSequences) {
    std::vector<std::string> ids{"T-1", "T-2"};
    std::string text = QbxmlRequestBuilder::ReReadRequest(5, ids, "3");
    Parsed parsed;
    ASSERT_NO_FATAL_FAILURE(Parse(text, "CreditMemoQueryRq", parsed));
    EXPECT_EQ(
        ChildNames(parsed.query),
        (std::vector<std::string>{"TxnID", "TxnID", "IncludeRetElement", "IncludeRetElement"}));
}

}  // namespace
}  // namespace quarrion
