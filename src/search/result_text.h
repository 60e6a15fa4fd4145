#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "output/delimited_export.h"
#include "results/result_list.h"

namespace quarrion {

class IncItems;
class SearchObject2;

// Text forms of a finished search for a terminal or a script. Each takes the
// search's included types and its result lists, list i belonging to the type at
// position i + 1 (as SearchRun::Lists gives them).

// The caption a search's outputs carry (JSON, the workbook's name): the search's
// Caption, except that a bound left open (a zero date, which the terminal tool allows
// and the console does not) is not shown as the zero date: an unnamed search without
// dates is "All dates", one with a single bound "(from X)" or "(to X)".
std::string ResultsCaption(SearchObject2& search);

// A JSON string literal of UTF-8 text: quotes and backslashes escaped, control
// characters written as escapes, every other character as it is; bytes that are not
// valid UTF-8 become U+FFFD, so the output is always valid JSON.
std::string JsonString(std::string_view text);

// One JSON object:
//   {"caption": ..., "types": [{"request_type": 4, "name": "Invoice",
//    "title": "Invoice", "message": ..., "done": true,
//    "columns": [{"key": "//InvoiceRet/TxnDate", "heading": "Date"}, ...],
//    "rows": [{"key": "k0", "cells": ["2026-11-02", ...], "match": "ACME"}, ...]}, ...]}
// with the types in search order and the rows in examination order; ends with a line
// break.
std::string ResultsJson(std::string_view caption, const IncItems& items,
                        std::span<const ResultList> lists);

// Aligned text, one block per type: its title, its status line, then a table of the
// record keys, the columns and (when any record has one) the match texts; number
// columns are aligned right. Control characters in values show as blanks, and values
// wider than `widest` terminal columns are cut with "...".
std::string ResultsTable(const IncItems& items, std::span<const ResultList> lists,
                         std::size_t widest = 48);

// Each list as its list file holds it (see WriteListFile), lists separated by an
// empty line, so one type's text equals its exported file.
std::string ResultsDelimited(std::span<const ResultList> lists, const ExportOptions& options);

// Rows of cells as aligned columns separated by two blanks, each line without
// trailing blanks; with `heading` the first row is underlined with dashes. Columns
// flagged in `rightAligned` are aligned right.
std::string AlignedTable(const std::vector<std::vector<std::string>>& rows, bool heading,
                         const std::vector<bool>& rightAligned = {});

// The columns a UTF-8 text takes in a terminal (wide characters count two,
// combining marks none).
std::size_t DisplayWidth(std::string_view text);

}  // namespace quarrion
