#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "results/result_list.h"

namespace quarrion {

class IncItem;
class Examinors;

// What an examination reports to its host while it runs.
struct ExaminationHooks {
    // The type's status text changed (also written to the included type's `Message`).
    std::function<void(const std::string& message)> Message;
    // Lets pending window events run. Called on a time slice, not per record, so a
    // large response does not pay for event processing on every record.
    std::function<void()> Yield;
    // Checked after every record: true stops the examination there.
    std::function<bool()> Closing;
    // Runs `work` (finding the answer's records: it touches nothing of the host) off the owner's
    // thread and returns when it is done, letting events run meanwhile, so a large
    // answer does not hold the host still while it is scanned. Without it the work runs
    // in place.
    std::function<void(const std::function<void()>& work)> RunAside;
    std::chrono::milliseconds Slice{30};
    // Without RunAside, answers of at least this many bytes are scanned for their
    // records on a thread of the examination's own while the records found so far are
    // judged; smaller ones are scanned first (a thread costs more than it saves).
    std::size_t ScanAsideFrom = std::size_t{1} << 20;
};

// The columns a type's list shows: its display columns in order, each with the
// tag's path as key, the column heading and the tag's data-type code.
ResultList ListFor(const IncItem& item);

// Examines the stored response of `item` against its field rules, or the search's
// word rules on its search columns, and fills `list` (columns from `ListFor`, one row
// per match in response order, keyed by the record's position). The response text
// is left as it is: its records are found in one pass and each is parsed alone while
// it is judged, with paths rooted at its element, so examining costs memory for one
// record, not for the whole answer as nodes.
//
// Status texts: "i/n  Found m" while running, then " Done." appended, or
// "No matches found." for a response without records. Returns true when the
// examination finished (the item is then `Done`); false when closing stopped it after
// the current record, leaving `Done` false and the rows found so far. A response that
// cannot be parsed ends the examination with the rows it has, as an empty one would.
bool ExamineResponse(IncItem& item, Examinors& examinors, ResultList& list,
                     const ExaminationHooks& hooks = {});

}  // namespace quarrion
