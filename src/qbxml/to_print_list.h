#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quarrion {

// One listed transaction a results window asks the link to mark: "TxnID", then, when
// the record has one, TAB and its EditSequence, then TAB and the row key. Entries are
// joined by ",".
struct ToPrintEntry {
    std::string txnId;
    std::string editSequence;
    bool hasEditSequence = false;
    std::string key;
    // False for an entry that has neither two nor three TAB-separated fields.
    bool wellFormed = true;
};

// One transaction the link reports back: row key, TAB, new IsToBePrinted text, TAB,
// new EditSequence. Entries are joined by ",".
struct ToPrintResult {
    std::string key;
    std::string isToBePrinted;
    std::string editSequence;
};

// Splits an entry list; "" gives no entries.
std::vector<ToPrintEntry> ParseToPrintEntries(std::string_view list);

// Joins results into the result list; none gives "".
std::string FormatToPrintResults(std::span<const ToPrintResult> results);

}  // namespace quarrion
