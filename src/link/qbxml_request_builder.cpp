#include "link/qbxml_request_builder.h"

#include <algorithm>
#include <array>

#include "qbxml/qbxml_document.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

// The query elements that differ between types, as QuickBooks defines the queries.
struct QueryShape {
    std::int32_t code;
    bool iterator;
    bool lineItems;
    bool linkedTxns;
    bool ownerId;
};

namespace T = RequestTypeCode;

constexpr std::array<QueryShape, 34> kShapes{{
    {T::Account, false, false, false, true},
    {T::Customer, true, false, false, true},
    {T::Employee, false, false, false, true},
    {T::Invoice, true, true, true, true},
    {T::CreditMemo, true, true, true, true},
    {T::Estimate, true, true, true, true},
    {T::SalesOrder, true, true, true, true},
    {T::SalesReceipt, true, true, false, true},
    {T::ReceivePayment, true, true, false, true},
    {T::Charge, true, false, true, true},
    {T::Vendor, true, false, false, true},
    {T::PurchaseOrder, true, true, true, true},
    {T::Bill, true, true, true, true},
    {T::BillPaymentCheck, true, true, false, true},
    {T::BillPaymentCreditCard, true, true, false, true},
    {T::Check, true, true, true, true},
    {T::CreditCardCharge, true, true, false, true},
    {T::CreditCardCredit, true, true, false, true},
    {T::VendorCredit, true, true, true, true},
    {T::ItemReceipt, true, true, true, true},
    {T::Deposit, true, true, false, true},
    {T::JournalEntry, true, true, false, true},
    {T::TimeTracking, true, false, false, false},
    {T::ItemService, true, false, false, true},
    {T::ItemInventory, true, false, false, true},
    {T::ItemNonInventory, true, false, false, true},
    {T::ItemOtherCharge, true, false, false, true},
    {T::ItemInventoryAssembly, true, false, false, true},
    {T::OtherName, false, false, false, true},
    {T::Class, false, false, false, false},
    {T::SalesRep, false, false, false, false},
    {T::StandardTerms, false, false, false, false},
    {T::CustomerType, false, false, false, false},
    {T::VendorType, false, false, false, false},
}};

const QueryShape* ShapeOf(std::int32_t code) {
    auto it = std::find_if(kShapes.begin(), kShapes.end(),
                           [&](const QueryShape& s) { return s.code == code; });
    return it == kShapes.end() ? nullptr : &*it;
}

constexpr std::string_view kRequestHead =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<?qbxml version=\"13.0\"?>\n<QBXML>\n";

void Element(std::string& out, std::string_view indent, std::string_view name,
             std::string_view value) {
    out.append(indent).append("<").append(name).append(">");
    Qbxml::AppendEscaped(out, value);
    out.append("</").append(name).append(">\n");
}

std::string_view IteratorWord(IteratorStep step) {
    switch (step) {
        case IteratorStep::Start:
            return "Start";
        case IteratorStep::Continue:
            return "Continue";
        case IteratorStep::Stop:
            return "Stop";
        default:
            return "";
    }
}

}  // namespace

bool QbxmlRequestBuilder::SupportsIterator(std::int32_t requestType) {
    const QueryShape* shape = ShapeOf(requestType);
    return shape && shape->iterator;
}

std::string QbxmlRequestBuilder::RecordsQueryRequest(const RecordsQuery& query) {
    const RequestType* type = RequestTypeInfo::Find(query.requestType);
    const QueryShape* shape = ShapeOf(query.requestType);
    if (!type || !shape) return {};
    std::string name = std::string(type->stem) + "QueryRq";

    std::string out(kRequestHead);
    out += "<QBXMLMsgsRq onError=\"stopOnError\">\n<" + name + " requestID=\"";
    Qbxml::AppendEscaped(out, query.requestId);
    out += "\"";
    if (shape->iterator && query.iterator != IteratorStep::None) {
        out += " iterator=\"" + std::string(IteratorWord(query.iterator)) + "\"";
        if (query.iterator != IteratorStep::Start) {
            out += " iteratorID=\"";
            Qbxml::AppendEscaped(out, query.iteratorId);
            out += "\"";
        }
    }
    out += ">\n";

    constexpr std::string_view in1 = "  ";
    constexpr std::string_view in2 = "    ";
    if (query.maxReturned > 0) Element(out, in1, "MaxReturned", std::to_string(query.maxReturned));

    bool hasFrom = !IsZeroDate(query.fromDate);
    bool hasTo = !IsZeroDate(query.toDate);
    bool dated = hasFrom || hasTo;
    if (type->isTransaction) {
        if (dated && query.dateFilter == 2) {
            out.append(in1).append("<ModifiedDateRangeFilter>\n");
            if (hasFrom)
                Element(out, in2, "FromModifiedDate", IsoDate(query.fromDate) + "T00:00:00");
            if (hasTo) Element(out, in2, "ToModifiedDate", IsoDate(query.toDate) + "T23:59:59");
            out.append(in1).append("</ModifiedDateRangeFilter>\n");
        } else if (dated && query.dateFilter == 1) {
            out.append(in1).append("<TxnDateRangeFilter>\n");
            if (hasFrom) Element(out, in2, "FromTxnDate", IsoDate(query.fromDate));
            if (hasTo) Element(out, in2, "ToTxnDate", IsoDate(query.toDate));
            out.append(in1).append("</TxnDateRangeFilter>\n");
        }
        if (shape->lineItems) Element(out, in1, "IncludeLineItems", "true");
        if (shape->linkedTxns) Element(out, in1, "IncludeLinkedTxns", "true");
    } else {
        // A search finds inactive list entries too.
        Element(out, in1, "ActiveStatus", "All");
        if (dated && query.dateFilter == 2) {
            if (hasFrom)
                Element(out, in1, "FromModifiedDate", IsoDate(query.fromDate) + "T00:00:00");
            if (hasTo) Element(out, in1, "ToModifiedDate", IsoDate(query.toDate) + "T23:59:59");
        }
    }
    // Owner 0 asks for the custom fields.
    if (shape->ownerId) Element(out, in1, "OwnerID", "0");
    out += "</" + name + ">\n</QBXMLMsgsRq>\n</QBXML>\n";
    return out;
}

std::string QbxmlRequestBuilder::ReReadRequest(std::int32_t requestType,
                                               std::span<const std::string> txnIds,
                                               const std::string& requestId) {
    const RequestType* type = RequestTypeInfo::Find(requestType);
    if (!type) return {};
    std::string name = std::string(type->stem) + "QueryRq";
    std::string out(kRequestHead);
    out += "<QBXMLMsgsRq onError=\"stopOnError\">\n<" + name + " requestID=\"";
    Qbxml::AppendEscaped(out, requestId);
    out += "\">\n";
    for (const std::string& id : txnIds) Element(out, "  ", "TxnID", id);
    Element(out, "  ", "IncludeRetElement", "TxnID");
    Element(out, "  ", "IncludeRetElement", "EditSequence");
    out += "</" + name + ">\n</QBXMLMsgsRq>\n</QBXML>\n";
    return out;
}

std::string QbxmlRequestBuilder::ToPrintRequest(std::int32_t requestType,
                                                std::span<const ToPrintChange> changes,
                                                bool toPrint) {
    const RequestType* type = RequestTypeInfo::Find(requestType);
    if (!type) return {};
    std::string stem(type->stem);
    std::string out(kRequestHead);
    out += "<QBXMLMsgsRq onError=\"continueOnError\">\n";
    for (const ToPrintChange& change : changes) {
        out += "<" + stem + "ModRq requestID=\"";
        Qbxml::AppendEscaped(out, change.requestId);
        out += "\">\n  <" + stem + "Mod>\n";
        Element(out, "    ", "TxnID", change.txnId);
        Element(out, "    ", "EditSequence", change.editSequence);
        Element(out, "    ", "IsToBePrinted", toPrint ? "true" : "false");
        out += "  </" + stem + "Mod>\n</" + stem + "ModRq>\n";
    }
    out += "</QBXMLMsgsRq>\n</QBXML>\n";
    return out;
}

}  // namespace quarrion
