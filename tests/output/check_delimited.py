#!/usr/bin/python3
"""Reads a delimited file written by the exporter with Python's csv module and checks
that it gives back exactly the expected rows.

Usage: check_delimited.py csv|tsv FILE EXPECTED [--no-formula-lines]
EXPECTED holds the rows, each ended by a record separator (0x1E), their field texts
each ended by a unit separator (0x1F). With
--no-formula-lines, no physical line of the file may start with =, +, - or @.
Exits 0 when every check holds, 1 with the failed checks on stderr.
"""

import csv
import io
import sys


def main():
    if len(sys.argv) not in (4, 5) or sys.argv[1] not in ("csv", "tsv"):
        print(__doc__, file=sys.stderr)
        return 2
    kind, path, expected_path = sys.argv[1:4]
    with open(expected_path, encoding="utf-8", newline="") as f:
        expected = [row.split("\x1f")[:-1] for row in f.read().split("\x1e")[:-1]]
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    source = io.StringIO(text, newline="")
    if kind == "csv":
        rows = list(csv.reader(source))
    else:
        rows = list(csv.reader(source, delimiter="\t", quoting=csv.QUOTE_NONE))
    failures = []
    if rows != expected:
        failures.append(f"read back {len(rows)} rows:")
        for i in range(max(len(rows), len(expected))):
            got = rows[i] if i < len(rows) else None
            want = expected[i] if i < len(expected) else None
            if got != want:
                failures.append(f"  row {i + 1}: expected {want!r}, got {got!r}")
    if len(sys.argv) == 5 and sys.argv[4] == "--no-formula-lines":
        for number, line in enumerate(text.replace("\r\n", "\n").replace("\r", "\n").split("\n"), 1):
            if line[:1] in ("=", "+", "-", "@"):
                failures.append(f"physical line {number} starts a formula: {line!r}")
    for failure in failures:
        print(failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
