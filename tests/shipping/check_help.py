#!/usr/bin/env python3
"""Checks the compiled help file from the inside: extracts it with extract_chmLib (libchm-bin),
then every link and picture of every page, and every entry of the contents and the index, must
name a file (and an anchor, when it names one) that the file holds; the contents and the index
must both name every control of the editor page.
Usage: check_help.py Arpeggiator.chm"""
import html.parser
import os
import re
import shutil
import subprocess
import sys
import tempfile

# The page's 19 controls, in its member order, as the help names them.
CONTROLS = [
    "Power button", "Play Through", "Keep in range", "Left-hand window", "Units", "Path",
    "Rate slider", "Legato slider", "Swing slider", "Output range slider", "Chord range slider",
    "Rate box", "Legato box", "Swing box", "Output low box", "Output high box", "Chord low box",
    "Chord high box", "Recognized Chord display",
]


class Links(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.targets, self.anchors, self.names = [], set(), []
        self._param = {}

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        if tag == "a" and "href" in a:
            self.targets.append(a["href"])
        if tag == "a" and "name" in a:
            self.anchors.add(a["name"])
        if tag in ("img", "link") and ("src" in a or "href" in a):
            self.targets.append(a.get("src") or a.get("href"))
        if tag == "param":  # sitemap entries of the contents and the index
            if a.get("name") == "Name":
                self.names.append(a.get("value"))
            if a.get("name") == "Local":
                self.targets.append(a.get("value"))


def parse(path):
    links = Links()
    with open(path, encoding="latin-1") as f:
        links.feed(f.read())
    return links


def main():
    chm = sys.argv[1]
    out = tempfile.mkdtemp()
    failures = []
    try:
        subprocess.run(["extract_chmLib", chm, out], check=True, stdout=subprocess.DEVNULL)
        pages = {}
        for folder, _, files in os.walk(out):
            for name in files:
                rel = os.path.relpath(os.path.join(folder, name), out)
                if re.search(r"\.(htm|hhc|hhk)$", name):
                    pages[rel] = parse(os.path.join(out, rel))
        if len([p for p in pages if p.endswith(".htm")]) < 12:
            failures.append(f"only {len(pages)} pages in {chm}")
        for page, links in sorted(pages.items()):
            for target in links.targets:
                if re.match(r"[a-z]+:", target):
                    failures.append(f"{page}: links outside the help file: {target}")
                    continue
                file, _, anchor = target.partition("#")
                path = os.path.normpath(os.path.join(os.path.dirname(page), file)) if file else page
                if not os.path.isfile(os.path.join(out, path)):
                    failures.append(f"{page}: {target}: no such file in the help file")
                elif anchor and anchor not in pages.get(path, Links()).anchors:
                    failures.append(f"{page}: {target}: no such anchor")
        for listing in ("Arpeggiator.hhc", "Arpeggiator.hhk"):
            names = pages[listing].names if listing in pages else []
            if not names:
                failures.append(f"{listing}: missing or empty")
            for control in CONTROLS:
                if control not in names:
                    failures.append(f"{listing}: does not name the control \"{control}\"")
    finally:
        shutil.rmtree(out)
    for failure in failures:
        print("FAIL:", failure)
    print(f"{len(pages)} pages and listings checked, {len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
