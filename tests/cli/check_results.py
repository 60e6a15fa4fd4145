#!/usr/bin/python3
"""Reads what the terminal tool wrote with independent readers and prints a summary
the cli tests compare.

Usage:
  check_results.py json FILE   checks the JSON shape; prints the caption, then per
                               type "name: key key ..." and per row its cells
  check_results.py xlsx FILE   reads the workbook with openpyxl; prints per sheet
                               "title: heading|heading ..." and the first column's
                               values down to the first empty cell
Exits 1 with the failed checks on stderr when the shape is wrong.
"""

import json
import sys

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def keys_in_order(pairs):
    return pairs  # keep the pairs so the order can be checked


def as_object(pairs):
    return dict(pairs)


def check_json(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    ordered = json.loads(text, object_pairs_hook=lambda pairs: pairs)
    check(isinstance(ordered, list) and [k for k, _ in ordered] == ["caption", "types"],
          "top level keys are caption, types")
    data = json.loads(text)
    check(isinstance(data["caption"], str), "caption is a string")
    lines = [data["caption"]]
    type_keys = ["request_type", "name", "title", "message", "done", "columns", "rows"]
    for position, (_, types) in enumerate([p for p in ordered if p[0] == "types"]):
        for t in types:
            check([k for k, _ in t] == type_keys, f"type keys in order: {[k for k, _ in t]}")
    for t in data["types"]:
        check(isinstance(t["request_type"], int), "request_type is a number")
        check(isinstance(t["done"], bool), "done is true or false")
        for field in ("name", "title", "message"):
            check(isinstance(t[field], str), f"{field} is a string")
        for column in t["columns"]:
            check(list(column.keys()) == ["key", "heading"], "column keys are key, heading")
            check(column["key"].startswith("//" + t["name"] + "Ret/"), "column key is a tag path")
        for row in t["rows"]:
            check(list(row.keys()) == ["key", "cells", "match"], "row keys are key, cells, match")
            check(row["key"].startswith("k") and row["key"][1:].isdigit(), "row key is k + number")
            check(len(row["cells"]) == len(t["columns"]), "one cell per column")
            check(all(isinstance(c, str) for c in row["cells"]), "cells are strings")
        positions = [int(r["key"][1:]) for r in t["rows"]]
        check(positions == sorted(positions), "rows in examination order")
        lines.append(t["name"] + ": " + " ".join(r["key"] for r in t["rows"]))
        for row in t["rows"]:
            lines.append("  " + "|".join(row["cells"]) + " / " + row["match"])
    return lines


def shown(cell):
    """A date cell as its date format shows it, so it compares with the list's text."""
    if cell.is_date and cell.number_format == "yyyy-mm-dd":
        return cell.value.strftime("%Y-%m-%d")
    return str(cell.value)


def check_xlsx(path):
    import openpyxl

    workbook = openpyxl.load_workbook(path)
    lines = []
    for ws in workbook.worksheets:
        headings = [c.value for c in ws[1]]
        lines.append(ws.title + ": " + "|".join("" if h is None else str(h) for h in headings))
        row = 2
        while ws.cell(row=row, column=1).value not in (None, ""):
            lines.append("  " + shown(ws.cell(row=row, column=1)))
            row += 1
    return lines


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("json", "xlsx"):
        print(__doc__, file=sys.stderr)
        return 2
    lines = check_json(sys.argv[2]) if sys.argv[1] == "json" else check_xlsx(sys.argv[2])
    if failures:
        print("\n".join(sorted(set(failures))), file=sys.stderr)
        return 1
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
