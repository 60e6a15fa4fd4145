#include "link/record_query_answerer.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <random>
#include <unordered_set>

#include "link/link_date.h"
#include "link/message_set_processor.h"
#include "qbxml/request_type_info.h"

namespace quarrion {

namespace {

// Walks a caller abandoned without Stop are dropped beyond this many.
constexpr std::size_t kMaxOpenWalks = 32;

const char* const kNothingFound = "A query request did not find a matching object in QuickBooks";

struct Bounds {
    std::string from;  // "" for open
    std::string to;
};

// A day or a date-time bound, as a comparable "YYYY-MM-DDTHH:MM:SS"; "" when unreadable.
std::string DateTimeBound(std::string_view text, bool upper) {
    if (IsZeroDate(ParseIsoDate(text))) return {};
    if (text.size() <= 10)
        return std::string(text.substr(0, 10)) + (upper ? "T23:59:59" : "T00:00:00");
    if (text.size() < 19 || text[10] != 'T') return {};
    return std::string(text.substr(0, 19));
}

std::string DayBound(std::string_view text) {
    if (IsZeroDate(ParseIsoDate(text))) return {};
    return std::string(text.substr(0, 10));
}

bool InRange(std::string_view value, const Bounds& bounds) {
    if (!bounds.from.empty() && value < bounds.from) return false;
    if (!bounds.to.empty() && value > bounds.to) return false;
    return true;
}

// What a query asks for, read once.
struct Selection {
    std::vector<std::string> ids;  // TxnID or ListID elements
    const char* idElement = nullptr;
    bool byTxnDate = false;
    Bounds txnDate;
    bool byModified = false;
    Bounds modified;
    std::string activeStatus;  // "" when not given
    std::int64_t maxReturned = -1;
};

QbxmlStatus ReadSelection(const pugi::xml_node& rq, Selection& sel) {
    auto error = [](std::string message) {
        return QbxmlStatus::Make(QbxmlStatus::NotSupported, "Error", std::move(message));
    };
    for (pugi::xml_node child = rq.first_child(); child; child = child.next_sibling()) {
        std::string_view name = child.name();
        std::string_view value = child.text().get();
        if (name == "TxnID" || name == "ListID") {
            sel.idElement = name == "TxnID" ? "TxnID" : "ListID";
            sel.ids.emplace_back(value);
        } else if (name == "MaxReturned") {
            std::int64_t number = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (ec != std::errc() || end != value.data() + value.size() || number < 0) {
                return error("MaxReturned \"" + std::string(value) + "\" is not a count.");
            }
            sel.maxReturned = number;
        } else if (name == "TxnDateRangeFilter") {
            if (child.child("DateMacro")) return error("DateMacro is not supported here.");
            sel.byTxnDate = true;
            std::string_view from = Qbxml::ChildText(child, "FromTxnDate");
            std::string_view to = Qbxml::ChildText(child, "ToTxnDate");
            sel.txnDate = {from.empty() ? "" : DayBound(from), to.empty() ? "" : DayBound(to)};
            if ((!from.empty() && sel.txnDate.from.empty()) ||
                (!to.empty() && sel.txnDate.to.empty())) {
                return error("The transaction date range holds a date that cannot be read.");
            }
        } else if (name == "ModifiedDateRangeFilter" || name == "FromModifiedDate" ||
                   name == "ToModifiedDate") {
            sel.byModified = true;
            auto take = [&](std::string_view text, bool upper, std::string& bound) {
                if (text.empty()) return true;
                bound = DateTimeBound(text, upper);
                return !bound.empty();
            };
            bool ok = true;
            if (name == "ModifiedDateRangeFilter") {
                ok = take(Qbxml::ChildText(child, "FromModifiedDate"), false, sel.modified.from) &&
                     take(Qbxml::ChildText(child, "ToModifiedDate"), true, sel.modified.to);
            } else if (name == "FromModifiedDate") {
                ok = take(value, false, sel.modified.from);
            } else {
                ok = take(value, true, sel.modified.to);
            }
            if (!ok) return error("The modified date range holds a date that cannot be read.");
        } else if (name == "ActiveStatus") {
            sel.activeStatus = std::string(value);
        }
    }
    return {};
}

// The values of a record a selection reads: its dates when it has them, its active flag.
struct SelectedValues {
    bool hasTxnDate = false;
    std::string_view txnDate;
    bool hasTimeModified = false;
    std::string_view timeModified;
    std::string_view isActive;
};

bool Selected(const SelectedValues& record, const Selection& sel, bool isList) {
    if (sel.byTxnDate) {
        if (record.hasTxnDate && !InRange(record.txnDate.substr(0, 10), sel.txnDate)) {
            return false;
        }
    }
    if (sel.byModified) {
        if (record.hasTimeModified && !InRange(record.timeModified.substr(0, 19), sel.modified)) {
            return false;
        }
    }
    if (isList) {
        // QuickBooks answers only active entries unless asked otherwise.
        bool inactive = record.isActive == "false";
        if (sel.activeStatus.empty() || sel.activeStatus == "ActiveOnly") return !inactive;
        if (sel.activeStatus == "InactiveOnly") return inactive;
    }
    return true;
}

// Which children of each record the request leaves out.
struct Trimmer {
    bool active = false;
    bool dropLines = false;
    bool dropLinked = false;
    std::vector<std::string> owners;
    std::vector<std::string> only;  // IncludeRetElement

    bool Keeps(const pugi::xml_node& child) const {
        std::string_view name = child.name();
        if (!only.empty()) return std::find(only.begin(), only.end(), name) != only.end();
        if (dropLines &&
            (Qbxml::EndsWith(name, "LineRet") || Qbxml::EndsWith(name, "LineGroupRet") ||
             name == "JournalDebitLine" || name == "JournalCreditLine")) {
            return false;
        }
        if (dropLinked && name == "LinkedTxn") return false;
        if (name == "DataExtRet") {
            std::string_view owner = Qbxml::ChildText(child, "OwnerID");
            if (owner.empty()) owner = "0";
            return std::find(owners.begin(), owners.end(), owner) != owners.end();
        }
        return true;
    }
};

Trimmer MakeTrimmer(const pugi::xml_node& rq, bool isTransaction, RecordQueryAnswerer::Trim trim) {
    Trimmer t;
    if (trim == RecordQueryAnswerer::Trim::None) return t;
    t.active = true;
    t.dropLines =
        isTransaction && std::strcmp(Qbxml::ChildText(rq, "IncludeLineItems").data(), "true") != 0;
    t.dropLinked =
        isTransaction && std::strcmp(Qbxml::ChildText(rq, "IncludeLinkedTxns").data(), "true") != 0;
    for (pugi::xml_node owner : rq.children("OwnerID")) t.owners.emplace_back(owner.text().get());
    for (pugi::xml_node only : rq.children("IncludeRetElement"))
        t.only.emplace_back(only.text().get());
    return t;
}

void AppendRecord(std::string& out, const pugi::xml_node& record, const Trimmer& trimmer) {
    if (!trimmer.active) {
        Qbxml::AppendNode(out, record);
        out.push_back('\n');
        return;
    }
    out.append("<").append(record.name());
    for (pugi::xml_attribute a : record.attributes()) {
        out.append(" ").append(a.name()).append("=\"");
        Qbxml::AppendEscaped(out, a.value());
        out.append("\"");
    }
    out.append(">");
    for (pugi::xml_node child = record.first_child(); child; child = child.next_sibling()) {
        if (child.type() != pugi::node_element || trimmer.Keeps(child))
            Qbxml::AppendNode(out, child);
    }
    out.append("</").append(record.name()).append(">\n");
}

// Records as parsed nodes: selected by their children, written out (and trimmed) anew.
struct NodeRecords {
    std::span<const pugi::xml_node> records;

    std::size_t size() const { return records.size(); }
    SelectedValues Values(std::size_t i) const {
        const pugi::xml_node& record = records[i];
        SelectedValues values;
        pugi::xml_node date = record.child("TxnDate");
        values.hasTxnDate = static_cast<bool>(date);
        values.txnDate = date.text().get();
        pugi::xml_node modified = record.child("TimeModified");
        values.hasTimeModified = static_cast<bool>(modified);
        values.timeModified = modified.text().get();
        values.isActive = Qbxml::ChildText(record, "IsActive");
        return values;
    }
    std::string_view Id(std::size_t i, const char* idElement) const {
        return Qbxml::ChildText(records[i], idElement);
    }
    void Append(std::size_t i, const Trimmer& trimmer, std::string& out) const {
        AppendRecord(out, records[i], trimmer);
    }
};

// Records kept as text: copied out as they stand.
struct TextRecords {
    std::span<const RecordText> records;

    std::size_t size() const { return records.size(); }
    SelectedValues Values(std::size_t i) const {
        const RecordText& record = records[i];
        return {record.hasTxnDate, record.txnDate, record.hasTimeModified, record.timeModified,
                record.isActive};
    }
    std::string_view Id(std::size_t i, const char* idElement) const {
        return std::strcmp(idElement, "TxnID") == 0 ? records[i].txnId : records[i].listId;
    }
    void Append(std::size_t i, const Trimmer& trimmer, std::string& out) const {
        const RecordText& record = records[i];
        const bool reshaped = trimmer.active && (!trimmer.only.empty() || record.hasDataExt ||
                                                 (trimmer.dropLines && record.hasLines) ||
                                                 (trimmer.dropLinked && record.hasLinkedTxns));
        pugi::xml_document document;
        if (!reshaped || !Qbxml::Load(document, record.text).empty()) {
            out.append(record.text);
            out.push_back('\n');
            return;
        }
        AppendRecord(out, document.document_element(), trimmer);
    }
};

std::string NewWalkId(std::uint64_t counter) {
    static thread_local std::mt19937_64 random{std::random_device{}()};
    char text[64];
    std::snprintf(text, sizeof text, "{%08llX-%016llX}", static_cast<unsigned long long>(counter),
                  static_cast<unsigned long long>(random()));
    return text;
}

}  // namespace

bool RecordQueryAnswerer::Walking(std::string_view stem) const {
    return std::any_of(walks_.begin(), walks_.end(), [&](const Walk& w) { return w.stem == stem; });
}

QbxmlStatus RecordQueryAnswerer::Answer(const pugi::xml_node& request, std::string_view stem,
                                        std::span<const pugi::xml_node> records,
                                        std::uint64_t generation, Trim trim, std::string& out,
                                        std::vector<RecordSpan>* spans) {
    return AnswerFrom(request, stem, NodeRecords{records}, generation, trim, out, spans);
}

QbxmlStatus RecordQueryAnswerer::Answer(const pugi::xml_node& request, std::string_view stem,
                                        std::span<const RecordText> records,
                                        std::uint64_t generation, Trim trim, std::string& out,
                                        std::vector<RecordSpan>* spans) {
    return AnswerFrom(request, stem, TextRecords{records}, generation, trim, out, spans);
}

template <class Records>
QbxmlStatus RecordQueryAnswerer::AnswerFrom(const pugi::xml_node& request, std::string_view stem,
                                            const Records& records, std::uint64_t generation,
                                            Trim trim, std::string& out,
                                            std::vector<RecordSpan>* spans) {
    const std::string rsName = std::string(stem) + "QueryRs";
    const RequestType* type = RequestTypeInfo::FindByName(stem);
    const bool isTransaction = type ? type->isTransaction : false;
    const bool isList = type ? !type->isTransaction : false;
    std::string_view iterator = request.attribute("iterator").value();
    std::string_view iteratorId = request.attribute("iteratorID").value();

    Selection sel;
    if (QbxmlStatus status = ReadSelection(request, sel); status.IsError()) {
        MessageSetProcessor::AppendStatusOnly(out, rsName, request, status);
        return status;
    }
    Trimmer trimmer = MakeTrimmer(request, isTransaction, trim);
    // Every record is appended followed by a line end, which its span leaves out.
    auto append = [&](std::size_t position) {
        const std::size_t begin = out.size();
        records.Append(position, trimmer, out);
        if (spans) spans->push_back({begin, out.size() - 1});
    };

    // Continue and Stop go on with (or end) a walk begun earlier.
    if (iterator == "Continue" || iterator == "Stop") {
        auto walk = std::find_if(walks_.begin(), walks_.end(), [&](const Walk& w) {
            return w.id == iteratorId && w.stem == stem;
        });
        if (walk == walks_.end() || walk->generation != generation) {
            if (walk != walks_.end()) walks_.erase(walk);
            QbxmlStatus status = QbxmlStatus::Make(
                QbxmlStatus::IteratorInvalid, "Error",
                "The iterator \"" + std::string(iteratorId) +
                    "\" is not open (it ended, was stopped, or the data changed since it began).");
            MessageSetProcessor::AppendStatusOnly(out, rsName, request, status);
            return status;
        }
        if (iterator == "Stop") {
            std::string extra = " iteratorRemainingCount=\"0\" iteratorID=\"";
            Qbxml::AppendEscaped(extra, walk->id);
            extra += "\"";
            walks_.erase(walk);
            QbxmlStatus status;
            MessageSetProcessor::AppendStatusOnly(out, rsName, request, status, extra);
            return status;
        }
        std::size_t left = walk->positions.size() - walk->next;
        std::size_t page =
            sel.maxReturned >= 0 ? std::min<std::size_t>(left, sel.maxReturned) : left;
        std::size_t remaining = left - page;
        std::string extra =
            " iteratorRemainingCount=\"" + std::to_string(remaining) + "\" iteratorID=\"";
        Qbxml::AppendEscaped(extra, walk->id);
        extra += "\"";
        QbxmlStatus status;
        if (page == 0) status = QbxmlStatus::Make(QbxmlStatus::NothingFound, "Info", kNothingFound);
        MessageSetProcessor::AppendResponseStart(out, rsName, request, status, extra);
        for (std::size_t i = 0; i < page; ++i) append(walk->positions[walk->next + i]);
        out.append("</").append(rsName).append(">\n");
        walk->next += page;
        if (remaining == 0) walks_.erase(walk);
        return status;
    }

    // A new query: select in document order.
    std::vector<std::uint32_t> positions;
    QbxmlStatus status;
    if (!sel.ids.empty()) {
        std::unordered_set<std::string_view> wanted(sel.ids.begin(), sel.ids.end());
        std::unordered_set<std::string_view> found;
        for (std::size_t i = 0; i < records.size(); ++i) {
            std::string_view id = records.Id(i, sel.idElement);
            if (wanted.count(id) && found.insert(id).second)
                positions.push_back(static_cast<std::uint32_t>(i));
        }
        if (found.size() < wanted.size()) {
            std::string missing;
            for (const std::string& id : sel.ids) {
                if (!found.count(id)) {
                    missing = id;
                    break;
                }
            }
            status = QbxmlStatus::Make(
                QbxmlStatus::NotAllFound, "Warn",
                "The query request has not been fully completed. There was a required element (\"" +
                    missing + "\") that could not be found in QuickBooks.");
        }
    } else {
        for (std::size_t i = 0; i < records.size(); ++i) {
            if (Selected(records.Values(i), sel, isList))
                positions.push_back(static_cast<std::uint32_t>(i));
        }
    }

    const bool walking = iterator == "Start";
    std::size_t page = positions.size();
    if (sel.maxReturned >= 0) page = std::min<std::size_t>(page, sel.maxReturned);
    std::string extra;
    if (walking) {
        std::size_t remaining = positions.size() - page;
        std::string id = NewWalkId(++walkCounter_);
        extra = " iteratorRemainingCount=\"" + std::to_string(remaining) + "\" iteratorID=\"" + id +
                "\"";
        if (remaining > 0) {
            if (walks_.size() >= kMaxOpenWalks) walks_.pop_front();
            walks_.push_back(Walk{id, std::string(stem), generation, positions, page});
        }
    } else if (!iterator.empty()) {
        status =
            QbxmlStatus::Make(QbxmlStatus::NotSupported, "Error",
                              "The iterator value \"" + std::string(iterator) + "\" is not known.");
        MessageSetProcessor::AppendStatusOnly(out, rsName, request, status);
        return status;
    }
    if (positions.empty() && status.code == 0) {
        status = QbxmlStatus::Make(QbxmlStatus::NothingFound, "Info", kNothingFound);
    }
    MessageSetProcessor::AppendResponseStart(out, rsName, request, status, extra);
    for (std::size_t i = 0; i < page; ++i) append(positions[i]);
    out.append("</").append(rsName).append(">\n");
    return status;
}

}  // namespace quarrion
