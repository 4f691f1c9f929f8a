#!/usr/bin/env python3
"""Prints the share of test code: non-blank, non-comment lines of the tracked .cpp .cc .h .hpp
.c .py .cmake and CMakeLists.txt files, those under tests/ and fuzz/ over all of them.
Usage: scripts/test-share.py [--by-folder]"""
import re
import subprocess
import sys
from collections import Counter

SUFFIXES = (".cpp", ".cc", ".h", ".hpp", ".c", ".py", ".cmake")


def code_lines(path):
    hash_comments = path.endswith((".py", ".cmake")) or path.endswith("CMakeLists.txt")
    count, in_block = 0, False
    for line in open(path, encoding="utf-8", errors="replace"):
        text = line.strip()
        if hash_comments:
            count += bool(text) and not text.startswith("#")
            continue
        if in_block:
            if "*/" not in text:
                continue
            text, in_block = text.split("*/", 1)[1].strip(), False
        if text.startswith("/*") and "*/" not in text:
            in_block = True
            continue
        text = re.sub(r"^/\*.*?\*/", "", text).strip()
        count += bool(text) and not text.startswith("//")
    return count


def main():
    files = subprocess.run(["git", "ls-files"], capture_output=True, text=True,
                           check=True).stdout.split()
    folders, test, total = Counter(), 0, 0
    for path in files:
        if not (path.endswith(SUFFIXES) or path.endswith("CMakeLists.txt")):
            continue
        n = code_lines(path)
        total += n
        if path.startswith(("tests/", "fuzz/")):
            test += n
            folders["/".join(path.split("/")[:2]) if path.startswith("tests/") else "fuzz"] += n
    if "--by-folder" in sys.argv:
        for folder, n in folders.most_common():
            print(f"{n:6} {folder}")
    print(f"test code {test:,} of {total:,} lines: {100.0 * test / total:.1f} %")


if __name__ == "__main__":
    main()
