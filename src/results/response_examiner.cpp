#include "results/response_examiner.h"

#include <pugixml.hpp>

#include <vector>

#include "link/xml_scanner.h"
#include "model/examinors.h"
#include "model/inc_item.h"
#include "model/record_judge.h"
#include "qbxml/request_type_info.h"
#include "qbxml/shown_value.h"
#include "results/record_feed.h"
#include "results/record_paths.h"

namespace quarrion {

namespace {

using Clock = std::chrono::steady_clock;

std::string Progress(std::size_t done, std::size_t total, std::size_t found) {
    return std::to_string(done) + "/" + std::to_string(total) + "  Found " + std::to_string(found);
}

// The sentence a type's status ends with when the link stopped at the record limit
// with records left (see RecordsResponse::MarkLimitReached), from the QueryRs
// element's limitReached and iteratorRemainingCount values.
std::string LimitSentence(std::size_t searched, unsigned long long left) {
    if (left > 0) {
        return " " + std::to_string(searched) + " of " + std::to_string(searched + left) +
               " records searched: raise the limit to see the rest.";
    }
    return " Only the first " + std::to_string(searched) +
           " records were searched and there may be more: raise the limit to see the rest.";
}

// What the link says when it stopped at the record limit with records left: "" when
// the answer is whole, else the sentence the type's status ends with.
std::string LimitNote(const pugi::xml_document& document, std::size_t searched) {
    for (pugi::xml_node rs : document.child("QBXML").child("QBXMLMsgsRs").children()) {
        if (!rs.attribute("limitReached").as_bool()) continue;
        return LimitSentence(searched, rs.attribute("iteratorRemainingCount").as_ullong());
    }
    return {};
}

}  // namespace

ResultList ListFor(const IncItem& item) {
    ResultList list;
    list.RequestType = static_cast<std::int32_t>(item.RequestType());
    list.Title = RequestTypeInfo::TypeTitle(list.RequestType);
    for (const DisplayColumn& column : item.DisplayColumns) {
        const QBXMLTagRef& tag = column.Tag();
        list.Columns.push_back({tag ? tag->TagName() : std::string(), column.Heading(),
                                tag ? tag->DataTypeCode() : 0});
    }
    return list;
}

bool ExamineResponse(IncItem& item, Examinors& examinors, ResultList& list,
                     const ExaminationHooks& hooks) {
    auto setMessage = [&](std::string message) {
        item.Message = std::move(message);
        if (hooks.Message) hooks.Message(item.Message);
    };
    auto closing = [&] { return hooks.Closing && hooks.Closing(); };

    list = ListFor(item);
    const std::string recordName =
        RequestTypeInfo::RecordElementName(static_cast<std::int32_t>(item.RequestType()));

    // The examination works on documents of its own, so a nested examination of
    // another type (run from the yield hook) cannot disturb it. A UTF-8 answer (all
    // the link hands over) is scanned for its records, and each is parsed alone into
    // one scratch document while it is judged: the whole answer never exists as
    // nodes. Other text, or text the scan refuses, is parsed whole.
    // Events run in the yield, or while the scan runs aside, may replace the item's
    // answer (a new answer, a to-print write-back); the records found must stay
    // valid, so then the examination reads a copy of its own, taken here on the
    // owner's thread.
    std::string ownText;
    std::string_view response = item.Response;
    if (hooks.Yield || hooks.RunAside) {
        ownText = item.Response;
        response = ownText;
    }
    RecordFeed feed(response, recordName);
    bool scanned = XmlScan::IsUtf8Text(response);
    if (scanned) {
        if (hooks.RunAside && !response.empty()) {
            hooks.RunAside([&] { feed.Scan(); });
            if (closing()) return false;
        } else if (response.size() >= hooks.ScanAsideFrom) {
            // Records are judged while the rest are still being found.
            feed.ScanAside();
        } else {
            feed.Scan();
        }
    }

    std::vector<RecordPath> columnPaths;
    columnPaths.reserve(list.Columns.size());
    for (const ResultColumn& column : list.Columns) {
        columnPaths.emplace_back(RelativePath(column.Key, recordName));
    }
    RecordJudge judge(item, examinors);
    std::string matchText;
    std::size_t found = 0;
    auto judgeRecord = [&](pugi::xml_node record, std::size_t i) {
        if (!judge.Decide(record, matchText)) return;
        ++found;
        ResultRow& row = list.Rows.emplace_back();
        pugi::xml_attribute ownKey = record.attribute("tslkey");
        row.Key = ownKey ? ownKey.value() : RecordKey(i);
        row.MatchText = matchText;
        row.Cells.reserve(columnPaths.size());
        for (std::size_t c = 0; c < columnPaths.size(); ++c) {
            row.Cells.push_back(
                ShownValue(TypedText(columnPaths[c].First(record)), list.Columns[c].DataTypeCode));
        }
    };
    auto sliceEnds = Clock::now() + hooks.Slice;
    std::size_t reported = 0;  // records the last progress report counted
    // Reports progress and lets events run; true when closing stops the examination.
    auto progress = [&](std::size_t done, std::size_t total) {
        setMessage(Progress(done, total, found));
        reported = done;
        if (hooks.Yield) hooks.Yield();
        sliceEnds = Clock::now() + hooks.Slice;
        return closing();
    };

    std::string limitNote;
    if (scanned) {
        // Records are judged as the scan finds them. The count a progress report
        // needs is known once the scan has ended, which it has long before the first
        // time slice ends: finding records is far quicker than judging them.
        pugi::xml_document scratch;
        std::string scratchText;
        std::string_view text;
        for (std::size_t i = 0; feed.Get(i, text); ++i) {
            scratchText.assign(text);
            pugi::xml_parse_result parsed = scratch.load_buffer_inplace(
                scratchText.data(), scratchText.size(), pugi::parse_default, pugi::encoding_utf8);
            if (!parsed) {
                // In a text the scan refuses, the parser reading it whole has the say.
                if (feed.Failed()) break;
                setMessage("The answer could not be read: record " + std::to_string(i + 1) + ", " +
                           parsed.description() + ".");
                item.Done = true;
                return true;
            }
            judgeRecord(scratch.document_element(), i);
            if (Clock::now() >= sliceEnds) {
                if (feed.Failed()) break;
                if (progress(i + 1, feed.Count())) return false;
            } else if (closing()) {
                return false;
            }
        }
        scanned = !feed.Failed();
        if (scanned) {
            const std::size_t count = feed.Count();
            if (feed.LimitReached()) limitNote = LimitSentence(count, feed.Unsearched());
            if (count == 0) {
                if (closing()) return false;
                setMessage("No matches found." + limitNote);
                item.Done = true;
                return true;
            }
            if (reported != count && progress(count, count)) return false;
        } else {
            // What was judged of a text the scan refuses counts for nothing: the
            // parser reads it whole, as it would have from the start.
            list.Rows.clear();
            found = 0;
        }
    }
    if (!scanned) {
        pugi::xml_document document;
        pugi::xml_parse_result parsed = document.load_buffer(
            response.data(), response.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!parsed && !response.empty()) {
            // Deliberately not "No matches found.": an answer that cannot be read says
            // nothing about matches, and the status must not claim there were none.
            setMessage(std::string("The answer could not be read: ") + parsed.description() + ".");
            item.Done = true;
            return true;
        }
        std::vector<pugi::xml_node> records = RecordElements(document, recordName);
        limitNote = LimitNote(document, records.size());
        if (records.empty()) {
            if (closing()) return false;
            setMessage("No matches found." + limitNote);
            item.Done = true;
            return true;
        }
        for (std::size_t i = 0; i < records.size(); ++i) {
            judgeRecord(records[i], i);
            if (i + 1 == records.size() || Clock::now() >= sliceEnds) {
                if (progress(i + 1, records.size())) return false;
            } else if (closing()) {
                return false;
            }
        }
    }
    setMessage(
        item.Message + " Done." + limitNote +
        (judge.ListsEverythingUntested() ? " " + std::string(kEveryRecordNotice) : std::string()));
    item.Done = true;
    return true;
}

}  // namespace quarrion
