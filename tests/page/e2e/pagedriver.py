"""Drives pagehost.exe under Wine with real input, as a user at the screen would.

pagehost shows the editor page in Wine's own property frame. The driver finds the page on the
screen by its panel colour in a screenshot of the whole display, moves and clicks the real
pointer and types with xdotool, and waits for what it expects by polling with a time limit:
nothing here sleeps for a fixed time to let something happen.
"""

import os
import subprocess
import tempfile
import time

from PIL import Image, ImageChops

PANEL = (22, 20, 77)  # the page's panelColor, red 22, green 20, blue 77
LIMIT_S = 15.0  # for any one thing to happen; a case fails rather than hangs

class CaseFailure(Exception):
    pass


def wait_for(what, condition, limit=LIMIT_S, every=0.05):
    """Polls `condition` until it returns something true, which is returned."""
    start = time.monotonic()
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() - start > limit:
            raise CaseFailure(f"timed out after {limit:.0f} s waiting for {what}")
        time.sleep(every)


def panel_offset(skin_path):
    """Top-left corner of the panel colour inside the skin bitmap."""
    skin = Image.open(skin_path).convert("RGB")
    box = panel_box(skin)
    if box is None:
        raise CaseFailure(f"{skin_path} has no panel colour")
    return box[0], box[1]


def panel_box(image):
    """Bounding box (left, top, right, bottom) of the exact panel colour, or None."""
    channels = [channel.point(lambda v, want=want: 255 if v == want else 0)
                for channel, want in zip(image.convert("RGB").split(), PANEL)]
    match = ImageChops.multiply(ImageChops.multiply(channels[0], channels[1]), channels[2])
    return match.getbbox()


class Display:
    """The X display the tests run on: screenshots, the pointer, the keyboard."""

    def screenshot(self, path=None):
        path = path or os.path.join(tempfile.gettempdir(), f"page-shot-{os.getpid()}.png")
        subprocess.run(["import", "-window", "root", path], check=True,
                       stderr=subprocess.DEVNULL)
        image = Image.open(path).convert("RGB")
        image.load()
        return image

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *map(str, args)], check=True, capture_output=True,
                              text=True).stdout

    def pointer(self):
        fields = dict(item.split(":") for item in self.xdotool("getmouselocation").split())
        return int(fields["x"]), int(fields["y"])

    def move(self, x, y):
        self.xdotool("mousemove", x, y)

    def click(self, x, y, repeat=1):
        self.move(x, y)
        wait_for(f"the pointer at {x},{y}", lambda: self.pointer() == (x, y))
        self.xdotool("click", "--repeat", repeat, "--delay", 40, 1)

    def key(self, *keys):
        self.xdotool("key", "--delay", 30, *keys)

    def type(self, text):
        self.xdotool("type", "--delay", 30, text)


class PageHost:
    """One run of pagehost.exe: started with settings (field names and values, as its --set
    takes them), left running while the case acts on the page, then closed through the
    frame's own buttons; saved() is what it printed of the filter's settings afterwards."""

    running = []

    def __init__(self, build, work, name, settings, extra_args=()):
        self.build = build
        self.work = work
        os.makedirs(work, exist_ok=True)
        self.log = os.path.join(work, f"{name}-stdout.txt")
        sets = [arg for field, value in settings.items() for arg in ("--set", f"{field}={value}")]
        command = [*pagehost_command(build), *sets, "--report-windows", "--print", *extra_args]
        self.stdout = open(self.log, "w")
        self.process = subprocess.Popen(command, stdout=self.stdout, stderr=subprocess.PIPE,
                                        text=True)
        PageHost.running.append(self)
        self.rects = wait_for("the page in its frame", self._report)

    def _report(self):
        if self.process.poll() is not None:
            raise CaseFailure(f"pagehost ended early: {self.process.stderr.read()}")
        with open(self.log) as report:
            lines = report.read().splitlines()
        if "shown" not in lines:
            return None
        return {line.split()[0]: tuple(map(int, line.split()[1:]))
                for line in lines if len(line.split()) == 5}

    def finish(self, limit=LIMIT_S):
        """Waits for the frame to close and pagehost to end; what it printed, by line."""
        try:
            self.process.wait(timeout=limit)
        except subprocess.TimeoutExpired:
            self.kill()
            raise CaseFailure("pagehost did not end after its frame was closed")
        self.stdout.close()
        if self.process.returncode != 0:
            raise CaseFailure(f"pagehost failed: {self.process.stderr.read()}")
        with open(self.log) as printed:
            self.lines = printed.read().splitlines()
        return self.lines

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()

    @classmethod
    def kill_all(cls):
        """Ends every pagehost a failed case left running."""
        for host in cls.running:
            host.kill()
        cls.running.clear()

    def saved(self):
        return printed_fields(self.lines)


def pagehost_command(build):
    return [os.path.join(build.source, "cmake", "wine-run.sh"), build.prefix, build.pagehost,
            *build.host_args]


def default_settings(build):
    """The settings of a filter that nobody changed, as pagehost prints them."""
    done = subprocess.run([*pagehost_command(build), "--no-frame", "--print"], check=True,
                          capture_output=True, text=True, timeout=LIMIT_S)
    return printed_fields(done.stdout.splitlines())


def printed_fields(lines):
    return {name: int(value) for name, value in
            (line.split("=", 1) for line in lines if "=" in line)}
