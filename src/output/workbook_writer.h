#pragma once

#include <cstddef>
#include <filesystem>
#include <functional>
#include <span>
#include <string>

#include "foundation/outcome.h"
#include "results/result_list.h"

namespace quarrion {

// Called after every 10 rows of a list: rows written so far over all lists, and the
// rows of all lists together. Runs on the writer's thread; it may update a progress
// display but must not touch the lists being written.
using WorkbookProgress = std::function<void(std::size_t rowsWritten, std::size_t rowsTotal)>;

// Writes a search's result lists as one .xlsx workbook, one worksheet per list in the
// order given (tab order), each sheet named after the list's title made valid and
// unique (see sheet_names.h).
//
// Per sheet: the whole sheet in Verdana 8 aligned to the top; the headings in row 1
// in column order on a dim-grey fill in yellow, repeated at the top of every printed
// page; one row per result row. A column's data-type code decides its cells:
//   65, 75  currency "$#,##0.00_);[Red]($#,##0.00)"
//   70, 76  whole numbers "_(* #,##0_);_(* (#,##0);_(* "-"??_);_(@_)"
//   74      percent "##0.00%_);[Red](##0.00%)"; the value is the cell's leading number
//           divided by 100 (12.5 shows as 12.50%; no number counts as 0)
//   141     text "@"
//   2, 3    dates "yyyy-mm-dd", date-times "yyyy-mm-dd hh:mm:ss": a cell that reads as
//           a qbXML date or date-time (ParseSheetDate) is written as a date serial,
//           so a spreadsheet sorts and filters it as a date; any other is text
// Any other code keeps the General format. In columns whose code has the number bit
// (64) a cell that is entirely a number is written as a number; every other cell is
// written as text, so a value starting with "=" never becomes a formula. Below the
// last row, columns of codes 65, 70 and 76 get "=SUM($C$2:$C$n)" (their own column
// and rows) in bold italic on light green (#CCFFCC), with the sum stored as the
// cached result so readers that do not calculate still show it. A list without rows
// gives the styled heading row only. Column widths are fitted to the longest shown
// value. The last sheet is left active, as after filling the sheets in turn.
//
// Rows are streamed to disk as they are written, so memory does not grow with the
// number of rows. The file is written whole or not at all: on failure the target is
// left as it was, and the failure carries a message for the user.
Outcome WriteWorkbook(const std::filesystem::path& file, std::span<const ResultList* const> lists,
                      const WorkbookProgress& progress = {});
Outcome WriteWorkbook(const std::filesystem::path& file, std::span<const ResultList> lists,
                      const WorkbookProgress& progress = {});

}  // namespace quarrion
