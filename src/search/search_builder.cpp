#include "search/search_builder.h"

#include <algorithm>
#include <charconv>
#include <set>

#include "catalog/qbxml_tags.h"
#include "foundation/calendar_day.h"
#include "foundation/text_fold.h"
#include "model/examinors.h"
#include "model/field_examinors.h"
#include "model/search_column_choice.h"
#include "qbxml/request_type_info.h"
#include "search/close_matches.h"
#include "search/rule_text.h"

namespace quarrion {

namespace {

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

std::string WithoutBlanks(std::string_view text) {
    std::string kept;
    for (char c : text) {
        if (c != ' ' && c != '\t') kept.push_back(c);
    }
    return kept;
}

std::string JoinedSuggestions(const std::vector<std::string>& matches) {
    std::string joined;
    for (const std::string& match : matches) {
        if (!joined.empty()) joined += ", ";
        joined += match;
    }
    return joined;
}

// The catalog tag name of a field path of a type's record.
std::string TagNameOf(std::int32_t type, const std::string& path) {
    return path.substr(0, 2) == "//" ? path
                                     : "//" + RequestTypeInfo::RecordElementName(type) + "/" + path;
}

}  // namespace

RequestTypesResult RequestTypesOf(std::string_view text) {
    RequestTypesResult result;
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (EqualsIgnoringCase(text, "all")) {
        for (const RequestType& type : RequestTypeInfo::All()) result.Types.push_back(type.code);
        return result;
    }
    std::int32_t code = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), code);
    if (!text.empty() && error == std::errc() && end == text.data() + text.size()) {
        if (RequestTypeInfo::Find(code)) {
            result.Types.push_back(code);
        } else {
            result.Error = Quoted(text) + " is not a type code; the codes are 1 to 35 without 14";
        }
        return result;
    }
    // A name or a title, any case, blanks ignored: "InventoryItem", "inventory item" and
    // "ItemInventory" all name the same type.
    const std::string wanted = WithoutBlanks(text);
    for (const RequestType& type : RequestTypeInfo::All()) {
        if (EqualsIgnoringCase(wanted, type.stem) ||
            EqualsIgnoringCase(wanted, WithoutBlanks(type.title))) {
            result.Types.push_back(type.code);
            return result;
        }
    }
    std::vector<std::string> names, stems;
    for (const RequestType& type : RequestTypeInfo::All()) {
        names.emplace_back(type.stem);
        stems.emplace_back(type.stem);
        names.push_back(WithoutBlanks(type.title));
        stems.emplace_back(type.stem);
        // Each word of a title too, so "inventry" still finds the inventory items.
        std::string_view title = type.title;
        for (std::size_t blank; (blank = title.find(' ')) != std::string_view::npos;) {
            names.emplace_back(title.substr(0, blank));
            stems.emplace_back(type.stem);
            title.remove_prefix(blank + 1);
        }
        if (title != type.title) {
            names.emplace_back(title);
            stems.emplace_back(type.stem);
        }
    }
    const std::string advice =
        "; give a code, a name such as Invoice, a title such as \"Sales Receipt\", or all "
        "(\"quarrion-cli types\" lists them)";
    std::vector<std::string> close;
    for (const std::string& match : CloseMatches(wanted, names, names.size())) {
        // Each suggestion by its name, once, however it was matched. Equal candidates
        // (a title word shared by several types) each stand for their own type.
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] != match) continue;
            if (std::find(close.begin(), close.end(), stems[i]) == close.end())
                close.push_back(stems[i]);
        }
        if (close.size() >= 3) break;
    }
    if (close.size() > 3) close.resize(3);
    result.Error = Quoted(text) + " is not a type" +
                   (close.empty() ? "" : " (did you mean " + JoinedSuggestions(close) + "?)") +
                   advice;
    return result;
}

std::optional<SearchDate> ParseSearchDate(std::string_view text) {
    std::optional<std::int32_t> day = ParseIsoDay(text);
    if (!day) return std::nullopt;
    return SearchDate(std::chrono::days(*day));
}

SearchBuilder::SearchBuilder(const QBXMLTags& catalog) : catalog_(catalog) {}

bool SearchBuilder::IncludeType(std::int32_t requestType) {
    if (!RequestTypeInfo::Find(requestType)) return false;
    for (std::int32_t type : types_) {
        if (type == requestType) return true;
    }
    types_.push_back(requestType);
    return true;
}

void SearchBuilder::SetDates(SearchDate from, SearchDate to, long dateFilter) {
    from_ = from;
    to_ = to;
    dateFilter_ = dateFilter;
}

void SearchBuilder::SetRelativeDates(std::string fromText, std::string toText) {
    fromText_ = std::move(fromText);
    toText_ = std::move(toText);
}

void SearchBuilder::AddRule(std::unique_ptr<Criterion> row) {
    rules_.push_back(std::move(row));
}

std::string SearchBuilder::AddRule(std::string_view text) {
    RuleTextResult parsed = ParseRuleText(text);
    if (!parsed) return parsed.Error;
    auto row = std::make_unique<Criterion>();
    if (std::string error = FillCriterion(parsed.Rule, *row); !error.empty()) return error;
    AddRule(std::move(row));
    return {};
}

void SearchBuilder::AddFieldRule(std::int32_t requestType, std::unique_ptr<FieldCriterion> row) {
    fieldRows_[requestType].push_back(std::move(row));
}

std::string SearchBuilder::AddFieldRule(std::string_view text) {
    FieldRuleTextResult parsed = ParseFieldRuleText(text);
    if (!parsed) return parsed.Error;
    if (parsed.TypeText == "*") return AddFieldRuleToEveryType(parsed);
    return AddFieldRule(parsed);
}

std::string SearchBuilder::AddFieldRuleToEveryType(const FieldRuleTextResult& parsed) {
    if (types_.empty()) return "a field rule for every type (*) needs the types included first";
    const std::string& path = parsed.Rule.Subject;
    std::vector<std::int32_t> having;
    for (std::int32_t type : types_) {
        if (catalog_.Item(static_cast<int>(type), TagNameOf(type, path))) having.push_back(type);
    }
    if (having.empty()) {
        return "no included type has a field " + Quoted(path) +
               "; \"quarrion-cli catalog list TYPE\" lists a type's fields";
    }
    // A type without the element keeps the global rules, as if no rule were written for
    // it; every type that has it gets the rule, checked as its own.
    for (std::int32_t type : having) {
        FieldRuleTextResult own = parsed;
        own.TypeText = RequestTypeInfo::TypeName(type);
        if (std::string error = AddFieldRule(own); !error.empty())
            return own.TypeText + ": " + error;
    }
    return {};
}

std::string SearchBuilder::AddFieldRule(const FieldRuleTextResult& parsed) {
    RequestTypesResult types = RequestTypesOf(parsed.TypeText);
    if (!types) return types.Error;
    if (types.Types.size() != 1) return "a field rule names one type, not " + parsed.TypeText;
    const std::int32_t type = types.Types.front();
    const std::string stem = RequestTypeInfo::TypeName(type);
    bool included = false;
    for (std::int32_t t : types_) included = included || t == type;
    if (!included) {
        return "the field rule is for " + stem +
               ", which is not among the included types (add --type " + stem + ")";
    }

    const std::string& path = parsed.Rule.Subject;
    const std::string tagName = TagNameOf(type, path);
    const QBXMLTag* tag = catalog_.Item(static_cast<int>(type), tagName);
    if (!tag) {
        std::string error = stem + " has no field " + Quoted(path);
        std::vector<std::string> close =
            CloseMatches(RelativeFieldPath(path), FieldPathsOf(catalog_, type));
        if (!close.empty()) {
            error += "; close matches: " + JoinedSuggestions(close);
        } else {
            error += "; \"quarrion-cli catalog list " + stem + "\" lists its fields";
        }
        return error;
    }

    auto row = std::make_unique<FieldCriterion>();
    if (std::string error = FillFieldCriterion(parsed.Rule, ShareTag(*tag), *row); !error.empty()) {
        return error;
    }

    // Rules of one AND group are kept by field, so a second rule on a field would
    // silently replace the first: say so instead.
    auto& rows = fieldRows_[type];
    std::set<std::string> groupFields;
    for (const auto& earlier : rows) {
        if (earlier->AndOr == "OR") groupFields.clear();
        groupFields.insert(UpperCase(earlier->Field()->TagName()));
    }
    if (row->AndOr == "OR") groupFields.clear();
    if (groupFields.count(UpperCase(tag->TagName()))) {
        return "two rules on " + RelativeFieldPath(tag->TagName()) +
               " in one AND group; join them with or, or use between or in";
    }
    AddFieldRule(type, std::move(row));
    return {};
}

RequestSearchRule& SearchBuilder::Standing(std::int32_t requestType) {
    RequestSearchRule* rule = standing_.Add(requestType, &catalog_);
    // Only offered codes reach here: IncludeType and AddFieldRule check them.
    return *rule;
}

Outcome SearchBuilder::Build(SearchObject2& search) {
    if (types_.empty()) return Outcome::Fail(kNoTypeMessage);

    std::vector<Criterion*> rows;
    for (const auto& row : rules_) rows.push_back(row.get());
    BuildExaminors(rows, search.Examinors);
    search.FromDate = from_;
    search.ToDate = to_;
    search.FromText = fromText_;
    search.ToText = toText_;
    search.DateFilter = dateFilter_;
    search.TextOptions = textOptions_;

    search.IncludeItems.Clear();
    for (std::int32_t type : types_) {
        RequestSearchRule& standing = Standing(type);
        if (auto found = fieldRows_.find(type); found != fieldRows_.end()) {
            std::vector<FieldCriterion*> fieldRows;
            for (const auto& row : found->second) fieldRows.push_back(row.get());
            BuildFieldExaminors(fieldRows, standing.FieldExaminors);
        }
        IncItem* item = search.IncludeItems.Add(RequestTypeInfo::TypeName(type), type);
        standing.DisplayColumns.Copy(item->DisplayColumns, CopyDirection::IntoTarget);
        ChooseSearchColumns(*item, &standing, search.Examinors, catalog_);
    }
    return {};
}

void PrepareSavedSearch(SearchObject2& search, const QBXMLTags& catalog) {
    for (IncItem& item : search.IncludeItems) {
        RequestSearchRule standing;
        standing.SetRequestType(item.RequestType(), &catalog);
        if (item.DisplayColumns.Count() == 0)
            standing.DefaultColumns.Copy(item.DisplayColumns, CopyDirection::IntoTarget);
        item.FieldExaminors.Copy(standing.FieldExaminors, CopyDirection::IntoTarget);
        ChooseSearchColumns(item, &standing, search.Examinors, catalog);
    }
}

std::vector<std::string> FieldPathsOf(const QBXMLTags& catalog, std::int32_t requestType) {
    std::vector<std::string> paths;
    for (const QBXMLTag& tag : catalog) {
        if (tag.Code == requestType) paths.push_back(RelativeFieldPath(tag.TagName()));
    }
    return paths;
}

}  // namespace quarrion
