#pragma once

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

#include "foundation/codes.h"
#include "foundation/keyed_items.h"
#include "model/examinors.h"
#include "model/inc_items.h"

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

    // IntoTarget copies this into `target`, FromTarget the target into this: identity, name,
    // description, date filter, dates and maximum, then the word rules and the
    // included types deeply. `Index` stays. Other values do nothing.
    void Copy(SearchObject2& target, CopyDirection direction);

    // Forgets identity, name, description and word rules, and each included type's
    // field rules and display columns. The included types, dates, date filter and
    // maximum stay.
    void Clear();

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
