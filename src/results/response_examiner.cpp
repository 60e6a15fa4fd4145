#include "results/response_examiner.h"

#include <pugixml.hpp>

#include <vector>

#include "model/examinors.h"
#include "model/inc_item.h"
#include "model/record_judge.h"
#include "qbxml/request_type_info.h"
#include "results/record_paths.h"

namespace quarrion {

namespace {

using Clock = std::chrono::steady_clock;

std::string Progress(std::size_t done, std::size_t total, std::size_t found) {
    return std::to_string(done) + "/" + std::to_string(total) + "  Found " + std::to_string(found);
}

// What the link says when it stopped at the record limit with records left (see
// RecordsResponse::MarkLimitReached): "" when the answer is whole, else the sentence
// the type's status ends with.
std::string LimitNote(const pugi::xml_document& document, std::size_t searched) {
    for (pugi::xml_node rs : document.child("QBXML").child("QBXMLMsgsRs").children()) {
        if (!rs.attribute("limitReached").as_bool()) continue;
        const unsigned long long left = rs.attribute("iteratorRemainingCount").as_ullong();
        if (left > 0) {
            return " " + std::to_string(searched) + " of " + std::to_string(searched + left) +
                   " records searched: raise the limit to see the rest.";
        }
        return " Only the first " + std::to_string(searched) +
               " records were searched and there may be more: raise the limit to see the rest.";
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

    // The examination works on a document of its own, so a nested examination of
    // another type (run from the yield hook) cannot disturb it.
    pugi::xml_document document;
    pugi::xml_parse_result parsed = document.load_buffer(item.Response.data(), item.Response.size(),
                                                         pugi::parse_default, pugi::encoding_utf8);
    if (!parsed && !item.Response.empty()) {
        // Deliberately not "No matches found.": an answer that cannot be read says
        // nothing about matches, and the status must not claim there were none.
        setMessage(std::string("The answer could not be read: ") + parsed.description() + ".");
        item.Done = true;
        return true;
    }
    std::vector<pugi::xml_node> records = RecordElements(document, recordName);
    const std::string limitNote = LimitNote(document, records.size());
    if (records.empty()) {
        if (closing()) return false;
        setMessage("No matches found." + limitNote);
        item.Done = true;
        return true;
    }

    std::vector<RecordPath> columnPaths;
    columnPaths.reserve(list.Columns.size());
    for (const ResultColumn& column : list.Columns) {
        columnPaths.emplace_back(RelativePath(column.Key, recordName));
    }

    RecordJudge judge(item, examinors);
    std::string matchText;
    std::size_t found = 0;
    const std::size_t total = records.size();
    auto sliceEnds = Clock::now() + hooks.Slice;
    for (std::size_t i = 0; i < total; ++i) {
        pugi::xml_node record = records[i];
        if (judge.Decide(record, matchText)) {
            ++found;
            ResultRow& row = list.Rows.emplace_back();
            pugi::xml_attribute ownKey = record.attribute("tslkey");
            row.Key = ownKey ? ownKey.value() : RecordKey(i);
            row.MatchText = matchText;
            row.Cells.reserve(columnPaths.size());
            for (const RecordPath& path : columnPaths)
                row.Cells.push_back(TypedText(path.First(record)));
        }
        bool last = i + 1 == total;
        if (last || Clock::now() >= sliceEnds) {
            setMessage(Progress(i + 1, total, found));
            if (hooks.Yield) hooks.Yield();
            sliceEnds = Clock::now() + hooks.Slice;
        }
        if (closing()) return false;
    }
    setMessage(item.Message + " Done." + limitNote);
    item.Done = true;
    return true;
}

}  // namespace quarrion
