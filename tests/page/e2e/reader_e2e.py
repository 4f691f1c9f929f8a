#!/usr/bin/python3
"""The editor page as a screen reader reaches it: pagehost.exe shows the page in Wine's
property frame, and PageReader.exe, another process, reads every control through Active
Accessibility (oleacc), sets values and triggers actions through it. The frame is then closed
and the settings it saved are checked. One case per run:

    reader_e2e.py CASE --source DIR --build DIR --artifacts DIR
"""

import os
import subprocess
import sys

import page_e2e as pe
from page_e2e import drv

# The page's name, then its 19 controls with the default settings: name | role | value |
# states.
DEFAULT_VIEW = """\
page | Arpeggiator MIDI Filter
Enable | push button |  | focusable focused checked
Play Through | check box |  | focusable
Keep in range | check box |  | focusable checked
Left-hand window | check box |  | focusable
Units | combo box | Milliseconds | focusable
Path | combo box | Up, Down | focusable
Rate | slider | 100 | focusable
Legato | slider | 50% | focusable
Swing | slider | 10% | focusable
Output range | slider | 36 (C3) to 96 (C8) | focusable
Chord window | slider | 24 (C2) to 48 (C4) | focusable
Rate | editable text | 100 | focusable
Legato | editable text | 50% | focusable
Swing | editable text | 10% | focusable
Output low | editable text | 36 (C3) | focusable
Output high | editable text | 96 (C8) | focusable
Chord low | editable text | 24 (C2) | focusable
Chord high | editable text | 48 (C4) | focusable
Recognized chord | text |  | focusable""".splitlines()


def read_page(case, *actions):
    """PageReader's output, by line, pointed at the page's middle."""
    reader = os.path.join(case.build.folder, "tests", "page", "page_reader.exe")
    x, y = case.centre((0, 0, 670, 169))
    command = [os.path.join(case.build.source, "cmake", "wine-run.sh"), case.build.prefix,
               reader, str(x), str(y), *actions]
    result = subprocess.run(command, capture_output=True, text=True, timeout=drv.LIMIT_S * 2)
    if result.returncode != 0:
        raise drv.CaseFailure(f"PageReader failed: {result.stderr}")
    return result.stdout.splitlines()


def case_read_and_set(build):
    """Names, roles, values and states read as the page shows them; values set through the
    interface go where the same edit with the mouse would; a refused value changes nothing."""
    case = pe.Case(build, "reader", {})
    lines = read_page(case, "--set", "Chord low=40", "--set", "Legato=5", "--set", "Path=Up, Up",
                      "--do", "Play Through")
    pe.expect("the page read", DEFAULT_VIEW, [line.rstrip() for line in lines[:20]])
    pe.expect("what was set", ["set Chord low: ok", "set Legato: refused", "set Path: ok",
                               "do Play Through: ok"], lines[20:])
    after = read_page(case)
    pe.expect("Chord low read back", "Chord low | editable text | 40 (E3) | focusable",
              after[17].rstrip())
    case.close("ok")
    pe.expect_fields(case.host.saved(), leftHandBottom=40, leftHandSpan=8, legato=50,
                     pathDirection=2, playOriginals=1)


def case_chord_announced(build):
    """A chord played while the page is open: the display raises its live-region event, and the
    object the event names reads the chord's name."""
    signal = f"ArpReaderChord{os.getpid()}"
    case = pe.Case(build, "reader-chord", dict(leftHandWindowOn=1),
                   ["--chord", "G 7 1st inversion", "--chord-on-signal", signal])
    lines = read_page(case, "--wait-chord", signal)
    pe.expect("the announcement", "chord: G 7 1st inversion", lines[-1])
    case.close("ok")


CASES = {name[len("case_"):].replace("_", "-"): function
         for name, function in globals().items() if name.startswith("case_")}


if __name__ == "__main__":
    pe.CASES = CASES
    sys.exit(pe.main())
