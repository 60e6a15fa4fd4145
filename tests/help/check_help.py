#!/usr/bin/python3
"""The help pages hold together: every page is reachable from the index, every link and
image resolves (anchors included), and every page a window opens exists.

    check_help.py HELP_DIR SOURCE_DIR

Every window the program shows (an object name "frm..." set in the sources) has a page
that F1 opens, apart from the message windows, which explain themselves.
"""
import html.parser
import os
import re
import sys
import urllib.parse

# Message and start-up windows: a line of text and buttons, nothing to explain.
SELF_EXPLAINING = {"frmDialog", "frmMsg", "frmInit"}


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.links = []
        self.anchors = set()
        self.title = ""
        self._in_title = False

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        for name in ("id", "name"):
            if name in attrs and (name == "id" or tag == "a"):
                self.anchors.add(attrs[name])
        for name in ("href", "src"):
            if attrs.get(name):
                self.links.append(attrs[name])
        self._in_title = tag == "title"

    def handle_endtag(self, tag):
        if tag == "title":
            self._in_title = False

    def handle_data(self, data):
        if self._in_title:
            self.title += data


def main():
    folder, sources = sys.argv[1], sys.argv[2]
    pages = {}
    for name in sorted(os.listdir(folder)):
        if name.endswith(".html"):
            page = Page()
            with open(os.path.join(folder, name), encoding="utf-8") as file:
                page.feed(file.read())
            pages[name] = page
    problems = []
    for name, page in pages.items():
        if not page.title.strip():
            problems.append(f"{name}: no title")
        for link in page.links:
            url = urllib.parse.urlsplit(link)
            if url.scheme in ("http", "https", "mailto"):
                continue
            target = url.path or name
            if not os.path.exists(os.path.join(folder, target)):
                problems.append(f"{name}: link to missing {link}")
            elif url.fragment and target in pages and url.fragment not in pages[target].anchors:
                problems.append(f"{name}: link to missing anchor {link}")

    # Every page can be reached from the index by following links.
    reached, waiting = set(), ["index.html"]
    while waiting:
        name = waiting.pop()
        if name in reached or name not in pages:
            continue
        reached.add(name)
        for link in pages[name].links:
            target = urllib.parse.urlsplit(link).path
            if target.endswith(".html"):
                waiting.append(target)
    for name in pages:
        if name not in reached:
            problems.append(f"{name}: not reachable from index.html")

    # The pages the program opens: by context id and by the window F1 is pressed in.
    def read(path):
        with open(os.path.join(sources, path), encoding="utf-8") as file:
            return file.read()
    context_help = read("shell/context_help.cpp")
    opened = set(re.findall(r'"([a-z0-9-]+\.html)"', read("shell/help_window.cpp") + context_help))
    if not opened:
        problems.append("the help sources name no page")
    for name in sorted(opened - set(pages)):
        problems.append(f"the program opens missing page {name}")
    with_page = set(re.findall(r'\{QStringLiteral\("(\w+)"\), QStringLiteral\("[a-z0-9-]+\.html"\)\}', context_help))
    windows = set()
    for directory, _, files in os.walk(sources):
        for file_name in files:
            if file_name.endswith(".cpp"):
                with open(os.path.join(directory, file_name), encoding="utf-8") as file:
                    windows.update(re.findall(r'setObjectName\(QStringLiteral\("(frm\w+)"\)\)', file.read()))
    if not windows:
        problems.append("no window found in the sources")
    for window in sorted(windows - with_page - SELF_EXPLAINING):
        problems.append(f"window {window} has no help page for F1")

    if problems:
        print("\n".join(problems))
        sys.exit(1)
    print(f"{len(pages)} help pages hold together")


if __name__ == "__main__":
    main()
