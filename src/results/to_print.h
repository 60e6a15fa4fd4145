#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <pugixml.hpp>

#include "results/result_list.h"

namespace quarrion {

// The request entry list the link's to-print update takes, for the rows of one list
// in the order shown: per row the record's TxnID, a TAB and its EditSequence when it
// has one, then a TAB and the row key; entries joined by ",". Rows whose key names no
// record are left out.
std::string ToPrintEntries(const std::vector<pugi::xml_node>& records, const ResultList& list);

// Applies the link's result list ("key TAB state TAB edit sequence", joined by ",")
// to the live record elements (their IsToBePrinted and EditSequence children) and to
// the list's cells in the column that shows IsToBePrinted, when there is one. Parts
// with fewer than three fields or a key outside the records are skipped. Returns how
// many records changed.
int ApplyToPrintResult(std::string_view result, const std::vector<pugi::xml_node>& records,
                       std::string_view recordElementName, ResultList& list);

}  // namespace quarrion
