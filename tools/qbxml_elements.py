"""The qbXML elements QuickBooks Desktop sends for each offered request type.

Reads tools/qbxml/record-elements.tsv and keeps the rows QuickBooks Desktop really
sends: a row marked not_in_qbd is dropped together with everything below it, so a
group the desktop edition never sends takes its children along even where the
children themselves are not marked.
"""

import csv
import os
from dataclasses import dataclass

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
DEFAULT_TSV = os.path.join(ROOT, "tools", "qbxml", "record-elements.tsv")

# qbXML version in which each type's query appeared (the same table the program's
# request-type information holds). An element can be no older than its type.
TYPE_SINCE = {
    1: "1.0", 2: "1.0", 3: "1.0", 4: "1.0", 5: "1.0", 6: "1.0", 7: "2.1", 8: "1.0",
    9: "1.1", 10: "2.0", 11: "1.0", 12: "1.0", 13: "1.0", 15: "2.0", 16: "2.0",
    17: "1.0", 18: "1.0", 19: "1.0", 20: "1.0", 21: "3.0", 22: "2.0", 23: "1.0",
    24: "1.0", 25: "1.0", 26: "1.0", 27: "1.0", 28: "1.0", 29: "2.0", 30: "1.0",
    31: "1.0", 32: "1.0", 33: "1.0", 34: "1.0", 35: "1.0",
}


def version_key(text):
    return tuple(int(part) for part in text.split("."))


@dataclass
class Element:
    code: int
    stem: str
    path: str  # //StemRet/A/B
    level: int  # 1 for direct children of the record element
    type: str  # qbXML value type, or GROUP
    repeats: bool
    optional: bool
    max_length: int  # 0 when the format names none
    since: str
    in_v20: bool
    in_v30: bool
    in_ca30: bool

    @property
    def name(self):
        return self.path.rsplit("/", 1)[1]

    @property
    def names(self):
        """Element names below the record element, outermost first."""
        return self.path[2:].split("/")[1:]

    @property
    def is_group(self):
        return self.type == "GROUP"

    def exists_in(self, version):
        """Whether the element exists in qbXML `version` (1.0 to 2.1)."""
        return (version_key(self.since) <= version_key(version)
                and version_key(TYPE_SINCE[self.code]) <= version_key(version))


def load(tsv_path=DEFAULT_TSV):
    """All elements QuickBooks Desktop sends, in code order and document order."""
    with open(tsv_path, newline="", encoding="utf-8") as handle:
        rows = list(csv.DictReader(handle, delimiter="\t"))
    dropped = set()  # (code, path) of rows left out, to drop their descendants too
    elements = []
    for row in rows:
        code = int(row["code"])
        path = row["path"]
        parent = path.rsplit("/", 1)[0]
        if row["not_in_qbd"] == "yes" or (code, parent) in dropped:
            dropped.add((code, path))
            continue
        elements.append(Element(
            code=code,
            stem=row["stem"],
            path=path,
            level=int(row["level"]),
            type=row["type"],
            repeats=row["repeats"] == "yes",
            optional=row["opt"] == "yes",
            max_length=int(row["max_length_qbd"] or 0),
            since=row["since"],
            in_v20=row["in_v2.0"] == "yes",
            in_v30=row["in_v3.0"] == "yes",
            in_ca30=row["in_ca3.0"] == "yes",
        ))
    elements.sort(key=lambda e: e.code)  # stable: document order within a type
    return elements
