#!/usr/bin/python3
"""Reads a file the output windows wrote with an independent reader and prints what
it holds as JSON, for the window tests to compare with what they expect.

Usage: read_back.py csv FILE | tsv FILE | xlsx FILE | cells FILE
  csv, tsv  the rows as Python's csv module reads them: a list of lists of texts
  xlsx      openpyxl's view: {"sheets": [{"name": ..., "rows": [[value, ...], ...]}]}
            (numbers as numbers, formulas as their text)
  cells     every cell that holds something, one line each (not JSON): sheet TAB cell
            (A1) TAB kind TAB number format TAB value, where kind is date (a number
            shown through a date format), number, text or formula, and a date's value
            is written YYYY-MM-DD HH:MM:SS
Exits 2 when the file cannot be read.
"""

import csv
import json
import sys


def print_cells(path):
    import openpyxl

    kinds = {"n": "number", "s": "text", "f": "formula"}
    for sheet in openpyxl.load_workbook(path).worksheets:
        for row in sheet.iter_rows():
            for cell in row:
                if cell.value is None:
                    continue
                value = cell.value
                if cell.is_date:
                    value = value.strftime("%Y-%m-%d %H:%M:%S")
                kind = "date" if cell.is_date else kinds.get(cell.data_type, cell.data_type)
                print(f"{sheet.title}\t{cell.coordinate}\t{kind}\t{cell.number_format}\t{value}")


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    kind, path = sys.argv[1], sys.argv[2]
    try:
        if kind in ("csv", "tsv"):
            with open(path, newline="", encoding="utf-8") as handle:
                reader = csv.reader(handle, delimiter="," if kind == "csv" else "\t")
                print(json.dumps(list(reader)))
        elif kind == "xlsx":
            import openpyxl

            book = openpyxl.load_workbook(path)
            sheets = []
            for sheet in book.worksheets:
                rows = [list(row) for row in sheet.iter_rows(values_only=True)]
                sheets.append({"name": sheet.title, "rows": rows})
            print(json.dumps({"sheets": sheets}, default=str))
        elif kind == "cells":
            print_cells(path)
        else:
            print(f"unknown kind {kind!r}", file=sys.stderr)
            return 2
    except Exception as error:  # any failure to read is the test's answer
        print(f"cannot read {path}: {error}", file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
