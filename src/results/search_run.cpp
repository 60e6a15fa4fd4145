#include "results/search_run.h"

#include <sstream>

#include "foundation/app_paths.h"
#include "link/record_text.h"
#include "link/relaywick.h"
#include "model/date_value.h"
#include "model/search_column_choice.h"
#include "qbxml/request_type_info.h"
#include "results/record_paths.h"
#include "results/to_print.h"

namespace quarrion {

namespace {

bool IsBlank(const std::string& text) {
    return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

LinkDate ToLinkDate(SearchDate date) {
    return LinkDate(date);
}

constexpr unsigned kParseFlags = pugi::parse_default | pugi::parse_declaration | pugi::parse_pi;

}  // namespace

SearchRun::SearchRun(Relaywick& link) : link_(link) {
    RelaywickEvents& events = link_.Events();
    events.Message = [this](std::int32_t type, const std::string& text, bool done,
                            const std::string& file) { OnMessage(type, text, done, file); };
    // The answer is taken over, not copied: it can be as large as the company's records.
    events.Response = [this](std::int32_t type, std::string response, const std::string&,
                             const std::string& context) {
        OnResponse(type, std::move(response), context);
    };
    events.PopUp = [this](std::int32_t code, const std::string& message) {
        if (PopUp) PopUp(code, message);
    };
}

void SearchRun::Start() {
    // A range given as relative values means the span as of the day the search runs.
    search_.ResolveRelativeDates(DateRulesToday());
    lists_.clear();
    for (IncItem& item : search_.IncludeItems) lists_.push_back(ListFor(item));
    for (IncItem& item : search_.IncludeItems) {
        auto type = static_cast<std::int32_t>(item.RequestType());
        std::string name = RequestTypeInfo::TypeName(type);
        std::string xmlFile = (DataFolder() / (name + ".xml")).string();
        link_.RequestRecords(ToLinkDate(search_.FromDate), ToLinkDate(search_.ToDate),
                             static_cast<std::int32_t>(search_.DateFilter),
                             static_cast<std::int32_t>(search_.Max), "", item.Name, xmlFile, type);
    }
}

ResultList* SearchRun::ListOf(std::int32_t requestType) {
    IncItem* item = ItemOf(requestType);
    if (!item || item->Index < 1 || static_cast<std::size_t>(item->Index) > lists_.size())
        return nullptr;
    return &lists_[static_cast<std::size_t>(item->Index - 1)];
}

IncItem* SearchRun::ItemOf(std::int32_t requestType) {
    return search_.IncludeItems.ItemByRequestType(requestType);
}

void SearchRun::OnMessage(std::int32_t requestType, const std::string& text, bool done,
                          const std::string& file) {
    if (!IsBlank(file)) {
        quickBooksFile_ = file;
        if (FileReported) FileReported(file);
    }
    for (IncItem& item : search_.IncludeItems) {
        if (item.RequestType() != requestType) continue;
        if (done) item.Done = true;
        item.Message = text;
    }
    if (Changed) Changed(requestType);
}

void SearchRun::OnResponse(std::int32_t requestType, std::string response,
                           const std::string& context) {
    if (!IsBlank(context)) responseContext_ = context;
    IncItem* item = ItemOf(requestType);
    if (!item) return;
    item->Response = std::move(response);
    item->Message = "Received records, please wait ...";
    item->Done = false;
    if (Changed) Changed(requestType);
    if (!closing_) Examine(*item);
}

void SearchRun::Examine(IncItem& item) {
    auto type = static_cast<std::int32_t>(item.RequestType());
    ResultList* list = ListOf(type);
    if (!list) return;
    ExaminationHooks hooks;
    hooks.Message = [this, type](const std::string&) {
        if (Changed) Changed(type);
    };
    hooks.Yield = Yield;
    hooks.RunAside = RunAside;
    hooks.Closing = [this] { return closing_; };
    // The list is rebuilt from here on: the type is done again only when the
    // examination finishes (a close stops it first).
    item.Done = false;
    if (Examining) Examining(type);
    search_.ShareTextOptions();
    ExamineResponse(item, search_.Examinors, *list, hooks);
    if (Changed) Changed(type);
}

void SearchRun::ReExamine() {
    if (lists_.size() != search_.IncludeItems.Count()) {
        lists_.clear();
        for (IncItem& item : search_.IncludeItems) lists_.push_back(ListFor(item));
    }
    for (IncItem& item : search_.IncludeItems) {
        if (closing_) return;
        Examine(item);
    }
}

void SearchRun::ReSearch(SearchObject2& edited, const QBXMLTags& catalog) {
    for (IncItem& item : edited.IncludeItems) RebuildSearchColumns(item, edited.Examinors, catalog);
    search_.Copy(edited, CopyDirection::FromTarget);
    ReExamine();
}

int SearchRun::SetToPrint(std::int32_t requestType, bool toPrint, bool skipEditSequenceCheck) {
    IncItem* item = ItemOf(requestType);
    ResultList* list = ListOf(requestType);
    if (!item || !list) return 0;
    pugi::xml_document document;
    document.load_buffer(item->Response.data(), item->Response.size(), kParseFlags,
                         pugi::encoding_utf8);
    const std::string recordName = RequestTypeInfo::RecordElementName(requestType);
    std::vector<pugi::xml_node> records = RecordElements(document, recordName);

    std::string entries = ToPrintEntries(records, *list);
    std::string result;
    link_.UpdateToPrint(requestType, entries, quickBooksFile_, toPrint, 100, skipEditSequenceCheck,
                        result);
    int changed = ApplyToPrintResult(result, records, recordName, *list);

    std::ostringstream out;
    document.save(out, "", pugi::format_raw, pugi::encoding_utf8);
    item->Response = out.str();
    if (Changed) Changed(requestType);
    return changed;
}

bool SearchRun::RecordCopy(std::int32_t requestType, const std::string& key,
                           pugi::xml_document& out) const {
    const IncItem* item = search_.IncludeItems.ItemByRequestType(requestType);
    auto position = KeyPosition(key);
    if (!item || !position) return false;
    const std::string recordName = RequestTypeInfo::RecordElementName(requestType);
    // One record is all a look-up needs: found by a scan, it alone is parsed.
    std::vector<std::string_view> texts;
    if (XmlScan::IsUtf8Text(item->Response) &&
        !RecordTexts::Spans(item->Response, recordName, texts)) {
        if (*position >= texts.size()) return false;
        const std::string_view text = texts[*position];
        out.reset();
        return static_cast<bool>(
            out.load_buffer(text.data(), text.size(), pugi::parse_default, pugi::encoding_utf8));
    }
    pugi::xml_document document;
    if (!document.load_buffer(item->Response.data(), item->Response.size(), pugi::parse_default,
                              pugi::encoding_utf8)) {
        return false;
    }
    std::vector<pugi::xml_node> records = RecordElements(document, recordName);
    if (*position >= records.size()) return false;
    out.reset();
    out.append_copy(records[*position]);
    return true;
}

std::string SearchRun::RecordId(std::int32_t requestType, const std::string& key) const {
    pugi::xml_document record;
    if (!RecordCopy(requestType, key, record)) return {};
    return quarrion::RecordId(record.document_element());
}

}  // namespace quarrion
