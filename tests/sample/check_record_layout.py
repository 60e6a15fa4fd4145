#!/usr/bin/python3
"""Regenerates the sample company's record layouts from tools/qbxml/record-elements.tsv
into a temporary folder and fails when they differ from the checked-in files, so the
table and the generated sources cannot drift apart."""

import difflib
import os
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GENERATED = ["record_layout_names.h", "record_layout_table.cpp"]


def main():
    with tempfile.TemporaryDirectory() as out:
        subprocess.run([sys.executable, os.path.join(ROOT, "tools", "make_record_layout.py"),
                        "--out-dir", out], check=True, stdout=subprocess.DEVNULL)
        stale = []
        for name in GENERATED:
            with open(os.path.join(out, name), encoding="utf-8") as f:
                fresh = f.read()
            kept_path = os.path.join(ROOT, "src", "sample", name)
            with open(kept_path, encoding="utf-8") as f:
                kept = f.read()
            if fresh != kept:
                stale.append(name)
                diff = difflib.unified_diff(kept.splitlines(True), fresh.splitlines(True),
                                            "src/sample/" + name, "regenerated/" + name, n=1)
                sys.stdout.writelines(list(diff)[:40])
        if stale:
            print("stale: " + ", ".join(stale) +
                  "; run /usr/bin/python3 tools/make_record_layout.py and commit the result")
            return 1
    print("record layouts match tools/qbxml/record-elements.tsv")
    return 0


if __name__ == "__main__":
    sys.exit(main())
