#!/usr/bin/python3
"""The editor page end to end: pagehost.exe shows it in Wine's property frame, the real pointer
and keyboard (xdotool) use it, the frame is closed with its own buttons, and the settings the
frame saved are checked. One case per run:

    page_e2e.py CASE --source DIR --build DIR --artifacts DIR [--plugin vst3|clap]

Each case starts from settings given to pagehost and ends with the settings it printed after
the frame closed. Screenshots of the page are kept in the artifacts folder. With --plugin the
page is the VST3 or CLAP plug-in's editor in editorhost.exe's window instead, which speaks
pagehost's lines, and the same cases expect the same settings.
"""

import argparse
import os
import shutil
import sys
import traceback

SKIP = 77  # CTest's SKIP_RETURN_CODE for these cases

try:
    import pagedriver as drv
except ImportError as missing:  # python3-pil comes with scripts/install-deps.sh windows
    print(f"skipped: {missing}")
    sys.exit(SKIP)


# Where the page's controls lie, in page coordinates (its own layout).
OUTPUT_RANGE = (412, 61, 454, 141)
LEGATO_SLIDER = (318, 61, 352, 141)
CHORD_LOW_BOX = (458, 143, 500, 156)
PATH_DROP_DOWN = (168, 78, 258, 91)
PLAY_THROUGH_BOX = (168, 116, 183, 131)


class Build:
    def __init__(self, args):
        self.source = args.source
        self.folder = args.build
        self.prefix = os.path.join(args.build, "wineprefix")
        self.pagehost = os.path.join(args.build, "tools", "pagehost", "pagehost.exe")
        self.host_args = []
        if args.plugin:
            self.pagehost = os.path.join(args.build, "tests", "dpf", "editorhost",
                                         "editorhost.exe")
            self.host_args = ["--format", args.plugin]
        self.artifacts = args.artifacts
        self.skin = os.path.join(args.source, "MIDIPlugin", "resources", "PageSkin.bmp")


class Case:
    """A running pagehost and the page's place on the screen."""

    def __init__(self, build, name, settings, extra_args=()):
        self.build = build
        self.name = name
        self.display = drv.Display()
        self.host = drv.PageHost(build, build.artifacts, name, settings, extra_args)
        self.origin = self.find_page()

    def find_page(self):
        """The page's top-left corner on the screen, from its panel colour in a screenshot;
        it must be where pagehost says the page window is."""
        shot = os.path.join(self.build.artifacts, f"{self.name}-open.png")
        box = drv.wait_for("the page's panel on the screen",
                           lambda: drv.panel_box(self.display.screenshot(shot)))
        dx, dy = drv.panel_offset(self.build.skin)
        origin = (box[0] - dx, box[1] - dy)
        reported = self.host.rects["page"][:2]
        if origin != reported:
            raise drv.CaseFailure(f"panel puts the page at {origin}, the window is at {reported}")
        return origin

    def at(self, x, y):
        return self.origin[0] + x, self.origin[1] + y

    def centre(self, rect):
        return self.at((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)

    def pixel(self, x, y):
        return self.display.screenshot().getpixel(self.at(x, y))

    def white_pixels(self, rect):
        """How many pixels of `rect` (page) are white: the in-place editor's field is, the
        page never is."""
        left, top = self.at(rect[0], rect[1])
        right, bottom = self.at(rect[2], rect[3])
        area = self.display.screenshot().crop((left, top, right, bottom))
        return sum(1 for pixel in area.getdata() if pixel == (255, 255, 255))

    def close(self, button):
        rect = self.host.rects[button]
        self.display.click((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)
        return self.host.finish()

    def drag_low_output_handle(self, press_y, moves):
        """Presses the range slider at `press_y` (page) and moves up by each of `moves` pixels,
        waiting after each until the slider has put the pointer back at the press point."""
        press = self.at((OUTPUT_RANGE[0] + OUTPUT_RANGE[2]) // 2, press_y)
        self.display.move(*press)
        drv.wait_for("the pointer on the handle", lambda: self.display.pointer() == press)
        self.display.xdotool("mousedown", 1)
        for up in moves:
            self.display.move(press[0], press[1] - up)
            drv.wait_for("the pointer put back after the move",
                         lambda: self.display.pointer() == press)
        self.display.xdotool("mouseup", 1)

    def choose_from_menu(self, drop_down, downs):
        """Clicks a drop-down, waits for its menu under it and picks the item `downs` places
        down with the keyboard."""
        below = (drop_down[0] + 10, drop_down[3] + 6)
        self.display.click(*self.centre(drop_down))
        drv.wait_for("the menu", lambda: self.pixel(*below) != drv.PANEL)
        self.display.key(*(["Down"] * downs), "Return")


def expect(what, expected, actual):
    if expected != actual:
        raise drv.CaseFailure(f"{what}: expected {expected}, got {actual}")


def expect_fields(fields, **expected):
    for name, value in expected.items():
        expect(name, value, fields[name])


# --- The cases

# Every setting away from its default.
ROUND_TRIP = dict(leftHandBottom=30, leftHandSpan=17, arpBottom=40, arpSpan=50, swing=-35,
                  rateUnits=1, noteValue=7, pathDirection=3, rateAmount=240, legato=72,
                  playOriginals=1, leftHandWindowOn=1, keepInRange=0)


def case_ok(build):
    case = Case(build, "ok", ROUND_TRIP)
    shutil.copy(os.path.join(build.artifacts, "ok-open.png"),
                os.path.join(build.artifacts, "page-in-frame.png"))
    case.close("ok")
    expect_fields(case.host.saved(), **ROUND_TRIP)


# The low handle of 60 sits 36 pixels above the track's bottom (y 139), the top of 115 at
# 69: a press at 106 grabs the low one. One pixel moves one key.
def case_output_low_to_120(build):
    case = Case(build, "output-120", dict(arpBottom=60, arpSpan=55))
    case.drag_low_output_handle(106, [50, 10])
    case.close("ok")
    expect_fields(case.host.saved(), arpBottom=115, arpSpan=12)


def case_path_up_up(build):
    case = Case(build, "path", {})
    case.choose_from_menu(PATH_DROP_DOWN, 3)
    case.close("ok")
    expect_fields(case.host.saved(), pathDirection=2)


def case_chord_low_typed(build):
    case = Case(build, "chord-low", {})
    case.display.click(*case.centre(CHORD_LOW_BOX), repeat=2)
    drv.wait_for("the number editor", lambda: case.white_pixels(CHORD_LOW_BOX) > 100)
    case.display.type("127")
    case.display.key("Return")
    drv.wait_for("the editor closed", lambda: case.white_pixels(CHORD_LOW_BOX) == 0)
    case.close("ok")
    expect_fields(case.host.saved(), leftHandBottom=126, leftHandSpan=1)


def case_legato_double_click(build):
    case = Case(build, "legato", dict(legato=20))
    case.display.click(*case.centre(LEGATO_SLIDER), repeat=2)
    case.close("ok")
    expect_fields(case.host.saved(), legato=55)


def case_play_through_off(build):
    case = Case(build, "play-through", dict(playOriginals=1),
                ["--hold-live-note", "60"])
    case.display.click(*case.centre(PLAY_THROUGH_BOX))
    lines = case.close("ok")
    expect_fields(case.host.saved(), playOriginals=0)
    if "live 90 60 0" not in lines:
        raise drv.CaseFailure(f"no note-off for the held key 60 in the live tick: {lines}")


CASES = {name[len("case_"):].replace("_", "-"): function
         for name, function in globals().items() if name.startswith("case_")}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("case", choices=sorted(CASES))
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--plugin", choices=("vst3", "clap"))
    args = parser.parse_args()
    for tool in ("xdotool", "import"):
        if shutil.which(tool) is None:
            print(f"skipped: {tool} is missing (scripts/install-deps.sh windows installs it)")
            return SKIP
    os.makedirs(args.artifacts, exist_ok=True)
    try:
        CASES[args.case](Build(args))
    except drv.CaseFailure as failure:
        print(f"FAIL {args.case}: {failure}")
        return 1
    except Exception:
        traceback.print_exc()
        return 1
    finally:
        drv.PageHost.kill_all()
    print(f"ok {args.case}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
