#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace quarrion {

// The dates a search hands to the link are whole days.
using LinkDate = std::chrono::year_month_day;

// A search without a date carries the zero date: the default-constructed value (not a
// valid calendar day) or any day before 1900, which covers the classic zero date
// 1899-12-30. QuickBooks holds nothing that old, so no real bound is lost.
bool IsZeroDate(const LinkDate& date);

// "YYYY-MM-DD".
std::string IsoDate(const LinkDate& date);

// The day of a "YYYY-MM-DD..." text; the zero date when the text does not start with one.
LinkDate ParseIsoDate(std::string_view text);

}  // namespace quarrion
