#!/usr/bin/python3
"""The editor page end to end: pagehost.exe shows it in Wine's property frame, the real pointer
and keyboard (xdotool) use it, the frame is closed with its own buttons, and the settings the
frame saved are checked. One case per run:

    page_e2e.py CASE --source DIR --build DIR --artifacts DIR

Each case starts from a settings file and ends with the settings pagehost saved after the frame
closed. Screenshots of the page are kept in the artifacts folder.
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


class Build:
    def __init__(self, args):
        self.source = args.source
        self.prefix = os.path.join(args.build, "wineprefix")
        self.pagehost = os.path.join(args.build, "tools", "pagehost", "pagehost.exe")
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

    def close(self, button):
        rect = self.host.rects[button]
        self.display.click((rect[0] + rect[2]) // 2, (rect[1] + rect[3]) // 2)
        return self.host.finish()


def expect(what, expected, actual):
    if expected != actual:
        raise drv.CaseFailure(f"{what}: expected {expected}, got {actual}")


# --- The cases

ROUND_TRIP = drv.settings_image(leftHandBottom=30, leftHandSpan=17, arpBottom=40, arpSpan=50,
                                swing=-35, rateUnits=1, noteValue=7, pathDirection=3,
                                rateAmount=240, legato=72, playOriginals=1, leftHandWindowOn=1,
                                keepInRange=0)


def case_ok(build):
    case = Case(build, "ok", ROUND_TRIP)
    shutil.copy(os.path.join(build.artifacts, "ok-open.png"),
                os.path.join(build.artifacts, "page-in-frame.png"))
    lines = case.close("ok")
    expect("saved settings", ROUND_TRIP, case.host.saved())
    expect("printed arpBottom", 40, drv.printed_fields(lines)["arpBottom"])


def case_cancel(build):
    case = Case(build, "cancel", ROUND_TRIP)
    case.close("cancel")
    expect("saved settings", ROUND_TRIP, case.host.saved())


def case_defaults(build):
    case = Case(build, "defaults", drv.settings_image())
    shutil.copy(os.path.join(build.artifacts, "defaults-open.png"),
                os.path.join(build.artifacts, "page-defaults.png"))
    case.close("ok")
    expect("saved settings", drv.settings_image(), case.host.saved())


CASES = {name[len("case_"):].replace("_", "-"): function
         for name, function in globals().items() if name.startswith("case_")}


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("case", choices=sorted(CASES))
    parser.add_argument("--source", required=True)
    parser.add_argument("--build", required=True)
    parser.add_argument("--artifacts", required=True)
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
