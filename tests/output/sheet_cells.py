#!/usr/bin/python3
"""Prints every cell of a workbook as openpyxl, an independent reader, sees it, one
line per cell, for the workbook tests to compare with what they expect.

Usage: sheet_cells.py FILE
Each line: sheet TAB cell (A1) TAB kind TAB number format TAB value, where kind is
date (a number shown through a date format), number, text, formula or blank, and a
date's value is written YYYY-MM-DD HH:MM:SS. Exits 2 when the file cannot be read.
"""

import sys


def kind_of(cell):
    if cell.is_date:
        return "date"
    return {"n": "number", "s": "text", "f": "formula"}.get(cell.data_type, cell.data_type)


def main():
    if len(sys.argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    try:
        import openpyxl

        book = openpyxl.load_workbook(sys.argv[1])
        for sheet in book.worksheets:
            for row in sheet.iter_rows():
                for cell in row:
                    if cell.value is None:
                        continue
                    value = cell.value
                    if cell.is_date:
                        value = value.strftime("%Y-%m-%d %H:%M:%S")
                    print(f"{sheet.title}\t{cell.coordinate}\t{kind_of(cell)}\t"
                          f"{cell.number_format}\t{value}")
    except Exception as error:  # any failure to read is the test's answer
        print(f"cannot read {sys.argv[1]}: {error}", file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
