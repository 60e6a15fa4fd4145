#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "link/link_date.h"

namespace quarrion {

// Where a query stands in the qbXML iterator walk. Without an iterator the query asks
// once and MaxReturned caps the whole answer; with one MaxReturned is the page size.
enum class IteratorStep { None, Start, Continue, Stop };

// What one records query asks for.
struct RecordsQuery {
    std::int32_t requestType = 0;
    LinkDate fromDate{};
    LinkDate toDate{};
    // 1 filters by transaction date, 2 by modified date, anything else not by date.
    std::int32_t dateFilter = 0;
    // At most this many records (per page when iterating); 0 or less asks for all.
    std::int32_t maxReturned = 0;
    IteratorStep iterator = IteratorStep::None;
    std::string iteratorId;  // for Continue and Stop
    std::string requestId = "1";
};

// One transaction whose to-be-printed state is to change.
struct ToPrintChange {
    std::string txnId;
    std::string editSequence;
    std::string requestId;
};

// Builds the qbXML request message sets the link sends, with the element names and
// order QuickBooks requires (qbXML 13.0). Each text is a whole message set:
// declaration, qbxml version instruction, QBXML, QBXMLMsgsRq.
class QbxmlRequestBuilder {
  public:
    // The query of one type's records: MaxReturned; then, for transactions, a
    // TxnDateRangeFilter (date filter 1) or ModifiedDateRangeFilter (2), and
    // IncludeLineItems, IncludeLinkedTxns and OwnerID 0 where the type's query has them;
    // for lists, ActiveStatus All and FromModifiedDate/ToModifiedDate under date
    // filter 2 only. A zero date leaves its bound out; two zero dates leave the filter
    // out. Modified-date bounds cover whole days (00:00:00 to 23:59:59, local time).
    // "" for a type that is not offered.
    static std::string RecordsQueryRequest(const RecordsQuery& query);

    // Re-reads transactions by TxnID, asking only for TxnID and EditSequence.
    static std::string ReReadRequest(std::int32_t requestType, std::span<const std::string> txnIds,
                                     const std::string& requestId);

    // One modify request per change (TxnID, EditSequence, IsToBePrinted, in that order),
    // all in one message set that goes on after an error, so one stale transaction does
    // not stop the rest of its batch.
    static std::string ToPrintRequest(std::int32_t requestType,
                                      std::span<const ToPrintChange> changes, bool toPrint);

    // Whether the type's query takes the iterator attributes.
    static bool SupportsIterator(std::int32_t requestType);
};

}  // namespace quarrion
