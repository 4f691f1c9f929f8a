#!/usr/bin/python3
"""The editor page without the mouse: pagehost.exe shows it in Wine's property frame, real keys
and the real wheel (xdotool) set its parameters, the frame is closed and the settings it saved
are checked. pagehost --report-focus prints each focus move with the name a screen reader
reads. One case per run:

    keyboard_e2e.py CASE --source DIR --build DIR --artifacts DIR

The frame gives the page the focus when it opens, and the page gives it to its first control
(Enable); each case starts there.
"""

import sys

import page_e2e as pe
from page_e2e import drv

# The page's focusable controls in their tab order, as a reader names them.
TAB_ORDER = ["Enable", "Play Through", "Keep in range", "Left-hand window", "Units", "Path",
             "Rate", "Legato", "Swing", "Output range", "Chord window", "Rate", "Legato", "Swing",
             "Output low", "Output high", "Chord low", "Chord high", "Recognized chord"]

# name: (settings, keys pressed on the control reached by Tab, then saved fields expected).
# The keys' actions are ControlKeys' table; a slider's Right is case escape-to-frame's.
KEY_CASES = {
    "play-through-space": (dict(playOriginals=0), "Play Through", ["space"],
                           dict(playOriginals=1)),
    # Space switches the range slider to its high end, Down lowers the top key 96 by one.
    "output-top-down": (dict(), "Output range", ["space", "Down"], dict(arpBottom=36, arpSpan=59)),
    # The box steps its own number: ten for a page.
    "legato-box-page-down": (dict(legato=50), ("Legato", 2), ["Next"], dict(legato=40)),
}

OK_BUTTON = "OK"
SKIN_SPOT = (30, 150)  # page coordinates with no control


def focus_moves(case):
    with open(case.host.log) as report:
        return [line[len("focus: "):] for line in report.read().splitlines()
                if line.startswith("focus: ")]


def start(build, name, settings):
    case = pe.Case(build, name, settings, ["--report-focus"])
    # Without a window manager the keyboard goes to the window under the pointer: the pointer
    # rests on the page's skin, away from every control.
    case.display.move(*case.at(*SKIN_SPOT))
    drv.wait_for("the first control focused", lambda: focus_moves(case)[-1:] == ["Enable"])
    return case


def tab_to(case, control):
    """Tabs from Enable to a control: a name, or (name, 2) for the second of that name (the
    box beside a slider)."""
    name, nth = control if isinstance(control, tuple) else (control, 1)
    tabs = [i for i, each in enumerate(TAB_ORDER) if each == name][nth - 1]
    before = len(focus_moves(case))
    if tabs:
        case.display.key(*["Tab"] * tabs)
    drv.wait_for(f"{name} focused", lambda: len(focus_moves(case)) == before + tabs)
    pe.expect("focused control", name, focus_moves(case)[-1])


def case_tab_order(build):
    """Tab walks all 19 controls, then leaves the page for the frame's OK button, which Space
    presses: the frame closes with the settings unchanged."""
    case = start(build, "tab-order", {})
    case.display.key(*["Tab"] * len(TAB_ORDER))
    drv.wait_for("the frame's button focused", lambda: len(focus_moves(case)) > len(TAB_ORDER))
    pe.expect("focus moves", TAB_ORDER + [OK_BUTTON], focus_moves(case)[-len(TAB_ORDER) - 1:])
    case.display.key("space")
    case.host.finish()
    pe.expect("saved settings", drv.default_settings(build), case.host.saved())


def run_key_case(build, name):
    settings, control, keys, expected = KEY_CASES[name]
    case = start(build, name, settings)
    tab_to(case, control)
    case.display.key(*keys)
    case.close("ok")
    pe.expect_fields(case.host.saved(), **expected)


def case_escape_to_frame(build):
    """Escape on a slider is the frame's: it closes as with Cancel, keeping the edit the keys
    made, which went into the filter at once. Swing 0 sits at 0.5: a line step (1/127) gives
    2."""
    case = start(build, "keys-escape", dict(swing=0))
    tab_to(case, "Swing")
    case.display.key("Right", "Escape")
    case.host.finish()
    pe.expect_fields(case.host.saved(), swing=2)


def case_chord_low_typed(build):
    """Enter opens the number editor on the Chord low box; 40 and Enter write it."""
    case = start(build, "keys-chord-low", {})
    tab_to(case, "Chord low")
    case.display.key("Return")
    drv.wait_for("the number editor", lambda: case.white_pixels(pe.CHORD_LOW_BOX) > 100)
    case.display.key("ctrl+a")
    case.display.type("40")
    case.display.key("Return")
    drv.wait_for("the editor closed", lambda: case.white_pixels(pe.CHORD_LOW_BOX) == 0)
    case.close("ok")
    pe.expect_fields(case.host.saved(), leftHandBottom=40, leftHandSpan=8)


def case_path_menu(build):
    """Space opens the Path menu; Down three times picks "Up, Up", Enter chooses it."""
    case = start(build, "keys-path", {})
    tab_to(case, "Path")
    case.display.key("space")
    below = (pe.PATH_DROP_DOWN[0] + 10, pe.PATH_DROP_DOWN[3] + 6)
    drv.wait_for("the menu", lambda: case.pixel(*below) != drv.PANEL)
    case.display.key("Down", "Down", "Down", "Return")
    case.close("ok")
    pe.expect_fields(case.host.saved(), pathDirection=2)


def case_wheel(build):
    """A dozen notches up over each range's low box and down over its high box leave the
    ranges as they were (only the single sliders take the wheel); one notch up over the Legato
    slider is 0.05 of its range: 40/89 + 0.05 of 10..99 rounds to 54."""
    case = start(build, "wheel", dict(legato=50))
    boxes = {(412, 143, 454, 156): 4, (412, 47, 454, 60): 5, (458, 143, 500, 156): 4,
             (458, 47, 500, 60): 5}  # output low, output high, chord low, chord high
    for box, button in boxes.items():
        case.display.move(*case.centre(box))
        case.display.xdotool("click", "--repeat", 12, "--delay", 20, button)
    case.display.move(*case.centre(pe.LEGATO_SLIDER))
    case.display.xdotool("click", 4)
    case.close("ok")
    pe.expect_fields(case.host.saved(), legato=54, arpBottom=36, arpSpan=60, leftHandBottom=24,
                     leftHandSpan=24)


CASES = {name[len("case_"):].replace("_", "-"): function
         for name, function in globals().items() if name.startswith("case_")}
CASES.update({name: (lambda build, name=name: run_key_case(build, name)) for name in KEY_CASES})

if __name__ == "__main__":
    pe.CASES = CASES
    sys.exit(pe.main())
