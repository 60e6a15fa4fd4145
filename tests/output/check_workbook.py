#!/usr/bin/python3
"""Reads a workbook written by the workbook writer with openpyxl, an independent
reader, and checks what one scenario of workbook_writer_test.cpp must produce.

Usage: check_workbook.py SCENARIO FILE.xlsx
Exits 0 when every check holds, 1 with the failed checks on stderr otherwise, and 2
when the scenario is unknown or the file cannot be read.
"""

import sys

import openpyxl

failures = []

CURRENCY = '$#,##0.00_);[Red]($#,##0.00)'
COUNT = '_(* #,##0_);_(* (#,##0);_(* "-"??_);_(@_)'
PERCENT = '##0.00%_);[Red](##0.00%)'


def check(condition, message):
    if not condition:
        failures.append(message)


def equal(actual, expected, what):
    check(actual == expected, f"{what}: expected {expected!r}, got {actual!r}")


def rgb(color):
    return None if color is None else color.rgb


def check_heading_row(ws, headings):
    for column, heading in enumerate(headings, start=1):
        cell = ws.cell(row=1, column=column)
        equal(cell.value, heading, f"{ws.title} heading {cell.coordinate}")
        equal(cell.data_type, "s", f"{ws.title} heading {cell.coordinate} type")
        equal(cell.fill.fill_type, "solid", f"{ws.title} heading {cell.coordinate} fill")
        equal(rgb(cell.fill.fgColor), "FF696969", f"{ws.title} heading {cell.coordinate} colour")
        equal(rgb(cell.font.color), "FFFFFF00", f"{ws.title} heading {cell.coordinate} text colour")
        equal(cell.font.name, "Verdana", f"{ws.title} heading {cell.coordinate} font")
        equal(cell.font.sz, 8, f"{ws.title} heading {cell.coordinate} size")
    past = ws.cell(row=1, column=len(headings) + 1)
    equal(past.value, None, f"{ws.title} cell after the last heading")
    equal(ws.print_title_rows, "$1:$1", f"{ws.title} print titles")


def tabs(wb):
    equal(wb.sheetnames, ["Invoice", "Purchase Order"], "sheet names in tab order")
    equal(wb.active.title, "Purchase Order", "active sheet")
    check_heading_row(wb["Invoice"], ["Ref No.", "Amount"])
    check_heading_row(wb["Purchase Order"], ["PO No."])
    equal(wb["Invoice"]["A2"].value, "INV-1", "first invoice")
    equal(wb["Invoice"]["A3"].value, "INV-2", "second invoice")
    equal(wb["Purchase Order"]["A2"].value, "PO-9", "purchase order")


def values(wb):
    equal(wb.sheetnames, ["Values"], "sheet names")
    ws = wb["Values"]
    check_heading_row(ws, ["Text", "Amount", "Price", "Percent", "Qty", "Count",
                           "Float", "General"])
    # Rows 2..9 hold eight rows; row 10 holds the totals.
    expected = [
        # Text (141)   Amount (65)  Price (75)  Percent (74) Qty (76)  Int (70)  Float (73) General
        ("007",        10.5,        1.25,       0.125,       3,        1,        1500,      "123"),
        ("=SUM(A1)",   -2.25,       None,       0,           None,     2,        "1,5",     "=1+2"),
        ("",           None,        "n/a",      0.5,         1,        3,        None,      "2024-01-15"),
        ("plain",      1000,        4,          -0.02,       2.5,      4,        -7,        "x"),
        ("a",          "1,250.00",  5,          1,           1,        5,        0,         ""),
        ("b",          0,           6,          0.0375,      1,        6,        2,         "b"),
        ("c",          0.75,        7,          0.12,        1,        7,        3,         "c"),
        ("d",          100,         8,          0,           1,        8,        4,         "d"),
    ]
    formats = [("@", "s"), (CURRENCY, "n"), (CURRENCY, "n"), (PERCENT, "n"), (COUNT, "n"),
               (COUNT, "n"), ("General", "n"), ("General", "s")]
    for r, row in enumerate(expected, start=2):
        for c, value in enumerate(row, start=1):
            cell = ws.cell(row=r, column=c)
            where = f"Values {cell.coordinate}"
            if value == "" or value is None:
                equal(cell.value, None, f"{where} empty")
            elif isinstance(value, str):
                equal(cell.value, value, where)
                equal(cell.data_type, "s", f"{where} is text")
            else:
                check(isinstance(cell.value, (int, float)) and abs(cell.value - value) < 1e-12,
                      f"{where}: expected the number {value!r}, got {cell.value!r}")
                equal(cell.data_type, "n", f"{where} is a number")
            equal(cell.number_format, formats[c - 1][0], f"{where} number format")
            equal(cell.font.name, "Verdana", f"{where} font")
            equal(cell.font.sz, 8, f"{where} font size")
            equal(cell.alignment.vertical, "top", f"{where} alignment")
    # Percent cells carry the cell style "Percent" as well as the number format.
    for r in range(2, 10):
        equal(ws.cell(row=r, column=4).style, "Percent", f"Values D{r} cell style")
        equal(ws.cell(row=r, column=2).style, "Normal", f"Values B{r} cell style")
    # Totals under Amount (B), Qty (E) and Count (F) only.
    totals = {"B": "=SUM($B$2:$B$9)", "E": "=SUM($E$2:$E$9)", "F": "=SUM($F$2:$F$9)"}
    for column in "ABCDEFGH":
        cell = ws[f"{column}10"]
        if column in totals:
            equal(cell.value, totals[column], f"total {cell.coordinate}")
            equal(cell.data_type, "f", f"total {cell.coordinate} type")
            check(cell.font.b and cell.font.i, f"total {cell.coordinate} is bold italic")
            equal(cell.fill.fill_type, "solid", f"total {cell.coordinate} fill")
            equal(rgb(cell.fill.fgColor), "FFCCFFCC", f"total {cell.coordinate} colour")
            equal(cell.font.name, "Verdana", f"total {cell.coordinate} font")
        else:
            equal(cell.value, None, f"no total in {cell.coordinate}")
    equal(ws.max_row, 10, "last row")
    # Widths follow the content: the long General text makes its column the widest.
    widths = {c: ws.column_dimensions[c].width for c in "ABCDEFGH"}
    check(widths["H"] >= len("2024-01-15"), f"column H fits its text: {widths}")
    check(widths["A"] >= len("=SUM(A1)"), f"column A fits its text: {widths}")
    check(widths["B"] > widths["E"], f"amounts are wider than quantities: {widths}")


def values_cached(wb):
    ws = wb["Values"]
    # The stored results of the totals, for readers that do not calculate.
    check(abs(ws["B10"].value - (10.5 - 2.25 + 1000 + 0 + 0.75 + 100)) < 1e-9,
          f"cached amount total, got {ws['B10'].value!r}")
    check(abs(ws["E10"].value - 10.5) < 1e-9, f"cached quantity total, got {ws['E10'].value!r}")
    check(abs(ws["F10"].value - 36) < 1e-9, f"cached count total, got {ws['F10'].value!r}")


def empty(wb):
    equal(wb.sheetnames, ["Bill"], "sheet names")
    ws = wb["Bill"]
    check_heading_row(ws, ["Ref No.", "Amount Due", "Qty"])
    equal(ws.max_row, 1, "only the heading row")
    for column in "ABC":
        equal(ws[f"{column}2"].value, None, f"nothing below the heading in {column}")


def names(wb):
    equal(wb.sheetnames,
          ["A_R _ Aging_ _1_", "Invoice", "invoice (2)", "Invoice (2) (2)", "Sheet5", "Sheet6",
           "It's", "ABCDEFGHIJKLMNOPQRSTUVWXYZ01234", "ABCDEFGHIJKLMNOPQRSTUVWXYZ0 (2)",
           "Sheet5 (2)"],
          "sheet names made valid and unique")
    for ws in wb.worksheets:
        check(len(ws.title) <= 31, f"{ws.title!r} is at most 31 characters")


def no_columns(wb):
    ws = wb["Deposit"]
    equal(ws.max_column, 1, "no columns written")
    equal(ws["A1"].value, None, "no heading")
    equal(ws.print_title_rows, "$1:$1", "print titles of a list without columns")
    # Cells never written take the workbook's default format (the first cell format,
    # style "Normal"): the sheet font, top-aligned.
    for where in ("A1", "Z50"):
        cell = ws[where]
        equal(cell.font.name, "Verdana", f"default font at {where}")
        equal(cell.font.sz, 8, f"default font size at {where}")
    default = wb._cell_styles[0]
    equal(wb._fonts[default.fontId].name, "Verdana", "the default format's font")
    equal(wb._fonts[default.fontId].sz, 8, "the default format's font size")
    equal(wb._alignments[default.alignmentId].vertical, "top", "the default format's alignment")
    equal(wb._named_styles["Normal"].font.name, "Verdana", "the Normal style's font")


def repairs(wb):
    ws = wb["Texts"]
    equal(ws["A2"].value, "bad \ufffd byte", "an invalid byte")
    equal(ws["A3"].value, "non \ufffd char", "U+FFFE")
    equal(ws["A4"].value, "lone \ufffd surrogate", "an encoded surrogate")
    long_text = ws["A5"].value
    equal(len(long_text), 32767, "a long text is cut to what a cell holds")
    equal(long_text[-1], "\u2026", "the cut shows")
    equal(long_text[:10], "a" * 10, "the kept part")
    wide = ws["A6"].value
    units = sum(2 if ord(ch) > 0xFFFF else 1 for ch in wide)
    check(units <= 32767, f"UTF-16 units of a cut text of wide characters: {units}")
    equal(wide[-1], "\u2026", "the cut of wide characters shows")
    equal(ws["A7"].value, "caf\u00e9 \U0001F600", "valid text is kept")


SCENARIOS = {
    "repairs": (repairs, False),
    "no-columns": (no_columns, False),
    "tabs": (tabs, False),
    "values": (values, False),
    "values-cached": (values_cached, True),
    "empty": (empty, False),
    "names": (names, False),
}


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in SCENARIOS:
        print(__doc__, file=sys.stderr)
        return 2
    scenario, data_only = SCENARIOS[sys.argv[1]]
    try:
        wb = openpyxl.load_workbook(sys.argv[2], data_only=data_only)
    except Exception as error:  # the reader's own failure is the finding
        print(f"cannot read {sys.argv[2]}: {error}", file=sys.stderr)
        return 2
    scenario(wb)
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
