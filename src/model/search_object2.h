#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/codes.h"
#include "foundation/keyed_items.h"
#include "model/examinors.h"
#include "model/inc_items.h"
#include "model/text_match.h"

namespace quarrion {

// A search's dates are whole days.
using SearchDate = std::chrono::sys_days;
// The date a new search starts with (the classic zero date, 30 December 1899).
inline constexpr SearchDate ZeroDate =
    SearchDate(std::chrono::year(1899) / std::chrono::December / 30);
// "YYYY-MM-DD".
std::string FormatSearchDate(SearchDate date);

// Which date a search's range applies to.
namespace DateFilterCode {
inline constexpr long TransactionDate = 1;
inline constexpr long ModifiedDate = 2;
}  // namespace DateFilterCode

// One complete search: the word-search rules, the included request types (each with
// its field rules, search columns and display columns), the date range and which
// date it applies to, and how many records to ask for per type. Whoever passes a
// search on passes a copy made with `Copy`.
class SearchObject2 {
  public:
    SearchObject2() = default;
    SearchObject2(const SearchObject2&) = delete;
    SearchObject2& operator=(const SearchObject2&) = delete;

    // Position in a `SearchObject2s`; -1 when new.
    long Index = -1;
    // Identity in the search store; 0 = never saved.
    long ID = 0;
    // The saved name (the collection key) and the text entered when saving.
    std::string Name;
    std::string Description;
    quarrion::Examinors Examinors;
    IncItems IncludeItems;
    // The most records asked for per request. Only `Copy` changes it.
    long Max = 9000;
    SearchDate FromDate = ZeroDate;
    SearchDate ToDate = ZeroDate;
    // A `DateFilterCode`; 0 when new.
    long DateFilter = 0;
    // The range's ends as the user gave them when they were relative values
    // ("last-month", "year-to-date"; see date_value.h), kept so a saved search means
    // the same span whenever it runs; empty for a fixed day. `ResolveRelativeDates`
    // turns them into `FromDate` and `ToDate`.
    std::string FromText;
    std::string ToText;
    // How the rules compare texts (accents, letter case of field rules).
    quarrion::TextOptions TextOptions;

    // IntoTarget copies this into `target`, FromTarget the target into this: identity, name,
    // description, date filter, dates (with their relative texts), text options and
    // maximum, then the word rules and the included types deeply. `Index` stays. Other
    // values do nothing.
    void Copy(SearchObject2& target, CopyDirection direction);

    // Forgets identity, name, description and word rules, and each included type's
    // field rules and display columns. The included types, dates, date filter, text
    // options and maximum stay.
    void Clear();

    // Sets each end given as a relative value to that span's first (from) or last (to)
    // day counted from `today` (days since 1970-01-01). An end without a relative text,
    // or with one that no longer reads, keeps its day.
    void ResolveRelativeDates(std::int32_t today);

    // Hands `TextOptions` to every rule of the search, word rules and each included
    // type's field rules alike; the rules judge records by what they were handed last.
    void ShareTextOptions();

    std::string FormatFrom() const { return FormatSearchDate(FromDate); }
    std::string FormatTo() const { return FormatSearchDate(ToDate); }

    // The name when it holds more than blanks. Otherwise the date range, as
    // "(from and to)" or, for a single day, that day alone; a range entered backwards
    // is put in order in the search itself first.
    std::string Caption();
};

// Searches keyed by name (upper-cased).
class SearchObject2s : public KeyedItems<SearchObject2> {
  public:
    SearchObject2s() = default;
    SearchObject2s(const SearchObject2s&) = delete;
    SearchObject2s& operator=(const SearchObject2s&) = delete;

    // The search named `name`: the existing one unchanged, or a new one with that
    // name and `Index` = the running counter after the add.
    SearchObject2* Add(std::string_view name);
};

}  // namespace quarrion
