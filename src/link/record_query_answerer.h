#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "link/record_text.h"
#include "link/request_processor.h"
#include "qbxml/qbxml_document.h"

namespace quarrion {

// Answers a qbXML query request from the records of one type, as QuickBooks does:
// selection by TxnID or ListID, or by the transaction-date or modified-date range and
// the active status; MaxReturned; and the iterator walk (Start, Continue, Stop), whose
// state it keeps. One answerer serves one processor and is not thread-safe.
//
// Dates compare as local times: TxnDate by its day, TimeModified by its first 19
// characters ("YYYY-MM-DDTHH:MM:SS") against the bounds, a bound that is only a day
// covering the whole day. A record without the date element a filter reads is kept.
class RecordQueryAnswerer {
  public:
    // How much of each record to return.
    enum class Trim {
        // Return records whole (response files hold what was exported, nothing more).
        None,
        // As QuickBooks: line items only with IncludeLineItems true, linked transactions
        // only with IncludeLinkedTxns true, custom fields (DataExtRet) only of the
        // OwnerIDs asked for, and only the IncludeRetElement children when given.
        AsRequested,
    };

    // Appends the response element stem + "QueryRs" for `request` and answers its
    // status: 0 with records, 1 (Info) when nothing matches, 500 (Warn) when some ids
    // asked for are missing, errors for an unknown iterator or an unsupported filter.
    // `records` are all records of the stem in document order; `generation` must change
    // whenever they are rebuilt, which ends the walks over the old ones. With `spans`,
    // where each record appended sits in `out` is added to it.
    QbxmlStatus Answer(const pugi::xml_node& request, std::string_view stem,
                       std::span<const pugi::xml_node> records, std::uint64_t generation, Trim trim,
                       std::string& out, std::vector<RecordSpan>* spans = nullptr);

    // The same over records kept as text: a record is copied out as it stands unless
    // the request's shape leaves out something it holds, and only then parsed.
    QbxmlStatus Answer(const pugi::xml_node& request, std::string_view stem,
                       std::span<const RecordText> records, std::uint64_t generation, Trim trim,
                       std::string& out, std::vector<RecordSpan>* spans = nullptr);

    // Whether a walk over records of the stem is still open.
    bool Walking(std::string_view stem) const;

    // Walks still open (abandoned walks beyond a small number are dropped oldest first).
    std::size_t OpenWalks() const { return walks_.size(); }

  private:
    template <class Records>
    QbxmlStatus AnswerFrom(const pugi::xml_node& request, std::string_view stem,
                           const Records& records, std::uint64_t generation, Trim trim,
                           std::string& out, std::vector<RecordSpan>* spans);

    struct Walk {
        std::string id;
        std::string stem;
        std::uint64_t generation = 0;
        std::vector<std::uint32_t> positions;  // into the records, in answer order
        std::size_t next = 0;
    };

    std::deque<Walk> walks_;
    std::uint64_t walkCounter_ = 0;
};

}  // namespace quarrion
