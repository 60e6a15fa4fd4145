#include "results/response_examiner.h"

#include <pugixml.hpp>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "link/record_text.h"
#include "model/examinors.h"
#include "model/inc_item.h"
#include "model/record_judge.h"
#include "qbxml/request_type_info.h"
#include "qbxml/shown_value.h"
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

// The same read from the answer's text, for an answer that is scanned, not parsed.
struct LimitScan {
    bool reached = false;
    unsigned long long left = 0;

    bool Start(std::string_view name, std::size_t, std::string_view attributes, bool, int depth) {
        if (depth == 1 && name != "QBXML") return false;
        if (depth == 2 && name != "QBXMLMsgsRs") return false;
        if (depth != 3) return true;
        const std::string value = XmlScan::Attribute(attributes, "limitReached");
        // Read as pugixml reads a boolean attribute.
        if (value.empty() || std::strchr("1tTyY", value[0]) == nullptr) return true;
        reached = true;
        const std::string remaining = XmlScan::Attribute(attributes, "iteratorRemainingCount");
        left = std::strtoull(remaining.c_str(), nullptr, 10);
        return false;
    }
    bool End(std::string_view, std::size_t, int depth) { return depth > 2; }
    void Text(std::string_view, int) {}
};

std::string LimitNote(std::string_view text, std::size_t searched) {
    // Most answers are whole: only one that names the mark is scanned for it.
    if (text.find("limitReached") == std::string_view::npos) return {};
    LimitScan scan;
    static_cast<void>(XmlScan::Scan(text, scan));
    return scan.reached ? LimitSentence(searched, scan.left) : std::string();
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
    // nodes. Other text is parsed whole.
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
    std::vector<std::string_view> texts;
    bool scanned = false;
    std::string limitNote;
    auto scan = [&] {
        scanned = XmlScan::IsUtf8Text(response) && !RecordTexts::Spans(response, recordName, texts);
        if (scanned) limitNote = LimitNote(response, texts.size());
    };
    if (hooks.RunAside && !response.empty()) {
        hooks.RunAside(scan);
        if (closing()) return false;
    } else {
        scan();
    }
    pugi::xml_document document;
    std::vector<pugi::xml_node> records;
    if (!scanned) {
        texts.clear();
        pugi::xml_parse_result parsed = document.load_buffer(
            response.data(), response.size(), pugi::parse_default, pugi::encoding_utf8);
        if (!parsed && !response.empty()) {
            // Deliberately not "No matches found.": an answer that cannot be read says
            // nothing about matches, and the status must not claim there were none.
            setMessage(std::string("The answer could not be read: ") + parsed.description() + ".");
            item.Done = true;
            return true;
        }
        records = RecordElements(document, recordName);
        limitNote = LimitNote(document, records.size());
    }
    const std::size_t total = scanned ? texts.size() : records.size();
    if (total == 0) {
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
    pugi::xml_document scratch;
    std::string scratchText;
    auto sliceEnds = Clock::now() + hooks.Slice;
    for (std::size_t i = 0; i < total; ++i) {
        pugi::xml_node record;
        if (scanned) {
            scratchText.assign(texts[i]);
            pugi::xml_parse_result parsed = scratch.load_buffer_inplace(
                scratchText.data(), scratchText.size(), pugi::parse_default, pugi::encoding_utf8);
            if (!parsed) {
                setMessage("The answer could not be read: record " + std::to_string(i + 1) + ", " +
                           parsed.description() + ".");
                item.Done = true;
                return true;
            }
            record = scratch.document_element();
        } else {
            record = records[i];
        }
        if (judge.Decide(record, matchText)) {
            ++found;
            ResultRow& row = list.Rows.emplace_back();
            pugi::xml_attribute ownKey = record.attribute("tslkey");
            row.Key = ownKey ? ownKey.value() : RecordKey(i);
            row.MatchText = matchText;
            row.Cells.reserve(columnPaths.size());
            for (std::size_t c = 0; c < columnPaths.size(); ++c) {
                row.Cells.push_back(ShownValue(TypedText(columnPaths[c].First(record)),
                                               list.Columns[c].DataTypeCode));
            }
        }
        bool last = i + 1 == total;
        if (last || Clock::now() >= sliceEnds) {
            setMessage(Progress(i + 1, total, found));
            if (hooks.Yield) hooks.Yield();
            sliceEnds = Clock::now() + hooks.Slice;
        }
        if (closing()) return false;
    }
    setMessage(
        item.Message + " Done." + limitNote +
        (judge.ListsEverythingUntested() ? " " + std::string(kEveryRecordNotice) : std::string()));
    item.Done = true;
    return true;
}

}  // namespace quarrion
