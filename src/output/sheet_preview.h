#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "results/result_list.h"

namespace quarrion {

// What a workbook sheet shows, for previews of the workbook the writer makes (see
// workbook_writer.h): the same decision of number or text per cell, the same
// formats, the same totals.

// The whole text as a number: optional blanks, an optional sign, digits with at most
// one decimal point, an optional exponent, optional blanks. Anything else (empty
// text, "1,250.00", "12 units", "inf") is not a number and stays text in a sheet.
bool ParseSheetNumber(std::string_view text, double& value);

// A date or date-time cell's moment on the company's wall clock.
struct SheetDate {
    int Year = 0;
    int Month = 0;
    int Day = 0;
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// A qbXML date ("2026-11-02") or date-time ("2026-11-02T10:15:00", with or without
// an offset such as "-05:00" or "Z", which is dropped: QuickBooks shows the company's
// own clock). Only days that exist, in years 1900 to 9999 (what a spreadsheet's date
// serials cover), parse; anything else stays text in a sheet.
bool ParseSheetDate(std::string_view text, SheetDate& date);

// A cell as its column's format shows it:
//   65, 75  "$1,234.50", negative "($1,234.50)"
//   70, 76  "1,235", negative "(1,235)", zero "-"
//   74      the cell's leading number divided by 100, as "12.50%" ("(12.50%)")
//   2       a date as "2026-11-02"
//   3       a date-time as "2026-11-02 10:15:00"
// Formats apply only to cells written as numbers or dates; every other cell, and
// every cell of another code, shows its text unchanged.
std::string SheetCellText(std::string_view text, std::int32_t dataTypeCode);

// True when the cell is written as a negative number (the formats show it in red).
bool SheetCellNegative(std::string_view text, std::int32_t dataTypeCode);

// The totals row below a list: per column, the sum of its number cells as the
// column's format shows it, for columns of codes 65, 70 and 76; nothing for other
// columns. No totals at all (an empty vector) for a list without rows.
std::vector<std::optional<std::string>> SheetTotals(const ResultList& list);

}  // namespace quarrion
