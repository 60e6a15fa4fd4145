#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/outcome.h"
#include "model/criterion.h"
#include "model/field_criterion.h"
#include "model/request_search_rule.h"
#include "model/search_object2.h"
#include "search/rule_text.h"

namespace quarrion {

class QBXMLTags;

// The message every search without an included type gets.
inline constexpr const char* kNoTypeMessage =
    "You must select at least one transaction type, or list, to perform a search.";

// The request types a text names: a code ("4"), a type name or title in any letter
// case with blanks ignored ("invoice", "CreditMemo", "inventory item"), or "all" (every
// offered type in code order). An unknown text gives an error that suggests close type
// names, matched against names, titles and the words of titles.
struct RequestTypesResult {
    std::vector<std::int32_t> Types;
    std::string Error;
    explicit operator bool() const { return Error.empty(); }
};
RequestTypesResult RequestTypesOf(std::string_view text);

// A date written YYYY-MM-DD that exists; nothing otherwise.
std::optional<SearchDate> ParseSearchDate(std::string_view text);

// Puts a search together the way the search console does, from the parts a user
// chose: the included types in tab order, the dates and date filter, the global rule
// rows in order and each type's field rule rows. The rows may be given as model
// objects (a console's editors) or as rule text (see rule_text.h).
//
// Each included type gets the catalog's default display columns (the result columns
// in column order, by the user's headings) and then either its field rules, when it
// has some, or the search columns the global rules call for (ChooseSearchColumns).
// The catalog must outlive the builder and stay loaded while it builds.
class SearchBuilder {
  public:
    explicit SearchBuilder(const QBXMLTags& catalog);
    SearchBuilder(const SearchBuilder&) = delete;
    SearchBuilder& operator=(const SearchBuilder&) = delete;

    // Adds an offered request type after those added before; a type added again keeps
    // its first place. False (and nothing added) for a code that is not offered.
    bool IncludeType(std::int32_t requestType);
    const std::vector<std::int32_t>& Types() const { return types_; }

    // Zero dates leave their bound out; no dates at all mean no date range. The
    // filter is a DateFilterCode.
    void SetDates(SearchDate from, SearchDate to, long dateFilter);
    // The relative values ("last-month", see date_value.h) the dates were given as, kept
    // with the search so it resolves them whenever it runs; "" for an end given as a
    // fixed day.
    void SetRelativeDates(std::string fromText, std::string toText);

    // How the rules compare texts: accents, and the letter case of field rules.
    void SetTextOptions(const TextOptions& options) { textOptions_ = options; }

    // Appends a global rule row.
    void AddRule(std::unique_ptr<Criterion> row);
    // Parses "[and|or] CHOICE OP VALUE" and appends it. "" or what is wrong.
    std::string AddRule(std::string_view text);

    // Appends a field rule row to the standing rules of the row's type.
    void AddFieldRule(std::int32_t requestType, std::unique_ptr<FieldCriterion> row);
    // Parses "TYPE: [and|or] PATH OP VALUE" and appends it. The type must be included
    // already; the path is looked up in the catalog below the type's record element
    // ("//" + stem + "Ret/" + PATH; a path starting with "//" is taken whole). Answers ""
    // or what is wrong: an unknown or not included type, an unknown path (naming close
    // matches), an operation that does not fit the field, a value that is no number, or
    // a second rule on the same field in one AND group (which would replace the first).
    // The type "*" gives the rule to every type included so far whose record has the
    // field; the others keep the global rules. It is refused when no included type has
    // the field.
    std::string AddFieldRule(std::string_view text);

    // The standing rules of a type (display columns, field rules), made from the
    // catalog on first use. A caller may change the display columns before `Build`.
    RequestSearchRule& Standing(std::int32_t requestType);

    // Fills `search`: the global rules grouped from the rows (BuildExaminors), the
    // dates with their relative values, the date filter, the text options, and one included item
    // per type in order with its display columns and its field rules or search columns. The
    // search's identity, name and description stay; its earlier rules and items go. Fails with
    // kNoTypeMessage when no type is included (the search is then left as it was).
    Outcome Build(SearchObject2& search);

  private:
    std::string AddFieldRule(const FieldRuleTextResult& parsed);
    std::string AddFieldRuleToEveryType(const FieldRuleTextResult& parsed);

    const QBXMLTags& catalog_;
    std::vector<std::int32_t> types_;
    SearchDate from_ = ZeroDate;
    SearchDate to_ = ZeroDate;
    std::string fromText_;
    std::string toText_;
    long dateFilter_ = DateFilterCode::TransactionDate;
    TextOptions textOptions_;
    std::vector<std::unique_ptr<Criterion>> rules_;
    RequestSearchRules standing_;
    std::map<std::int32_t, std::vector<std::unique_ptr<FieldCriterion>>> fieldRows_;
};

// Makes a search read back from the store ready to run, as the console does when a
// saved search is chosen: an included type without display columns takes the
// catalog's defaults, and each type's search columns are chosen again from the
// search's global rules (field rules, when a type has some, stay and decide it).
void PrepareSavedSearch(SearchObject2& search, const QBXMLTags& catalog);

// The record-relative paths of a type's catalog entries, in catalog order.
std::vector<std::string> FieldPathsOf(const QBXMLTags& catalog, std::int32_t requestType);

}  // namespace quarrion
