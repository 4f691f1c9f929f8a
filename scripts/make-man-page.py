#!/usr/bin/env python3
"""Writes the man page of arpeggiate (roff, section 1) from the tool's own --help, so the two
never disagree: the description, the usage line, the arguments, options and settings as
tagged paragraphs, and the closing paragraphs ("Playback: ...") as sections of their own.
Usage: make-man-page.py [--version V] [--date @EPOCH|YYYY-MM-DD] PATH-TO-ARPEGGIATE > arpeggiate.1"""
import argparse
import datetime
import re
import subprocess
import sys


def roff(text):
    text = text.replace("\\", "\\e").replace("-", "\\-")
    return "\\&" + text if text[:1] in (".", "'") else text


def entries(lines, joiner):
    """Items indented by two blanks; deeper lines continue the item before them."""
    items = []
    for line in lines:
        if re.match(r"^  \S", line):
            term, _, desc = line.strip().partition("  ")
            items.append([term.strip(), roff(desc.strip())])
        elif items:
            items[-1][1] = (items[-1][1] + joiner + roff(line.strip())).strip()
    return items


def capital(text):
    return text[:1].upper() + text[1:]


# The help's headings as a man page names its sections.
SECTIONS = {"Positionals": "ARGUMENTS"}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--version", default="")
    parser.add_argument("--date", default="")
    parser.add_argument("tool")
    args = parser.parse_args()
    text = subprocess.run([args.tool, "--help"], check=True, capture_output=True, text=True).stdout
    date = args.date
    if date.startswith("@"):
        date = datetime.datetime.fromtimestamp(int(date[1:]), datetime.timezone.utc).strftime("%Y-%m-%d")

    blocks = [b.split("\n") for b in re.split(r"\n\s*\n", text.strip())]
    head = blocks.pop(0)
    usage = next(line for line in head if line.startswith("Usage:"))
    description = " ".join(line for line in head if not line.startswith("Usage:"))

    out = [f'.TH ARPEGGIATE 1 "{date}" "arpeggiate {args.version}" "User Commands"',
           ".SH NAME", "arpeggiate \\- arpeggiate a Standard MIDI File through the Arpeggiator filter",
           ".SH SYNOPSIS", ".B arpeggiate", roff(usage.split(None, 2)[2] if usage.count(" ") > 1 else ""),
           ".SH DESCRIPTION", roff(description)]
    for block in blocks:
        first = block[0]
        if first.endswith(":") and len(block) > 1:  # a heading over a list
            title = re.sub(r"\s*\(.*\)", "", first[:-1]).strip()
            note = re.search(r"\((.*)\)", first)
            out.append(".SH " + SECTIONS.get(title, roff(title.upper())))
            if note:
                out.append(roff(capital(note.group(1)) + "."))
            # A setting's second line is its range and default: a line of its own.
            joiner = "\n.br\n" if title == "Settings" else " "
            for term, desc in entries(block[1:], joiner):
                out += [".TP", ".B " + roff(term), desc]
        else:  # "Title: text"
            title, _, body = " ".join(line.strip() for line in block).partition(": ")
            out += [".SH " + roff(title.upper()), roff(capital(body))]
    sys.stdout.write("\n".join(out) + "\n")


if __name__ == "__main__":
    main()
