#!/usr/bin/python3
"""What a musician meets at arpeggiate's command line, one check per CTest entry:

  cli-checks.py CHECK TOOL INPUTS_DIR WORK_DIR [VERSION]

Each check runs the tool as a person would and looks at what it printed, its exit code and the
files it left behind.
"""
import os
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
read_with_mido = __import__("read-with-mido")
songs = __import__("general-midi-songs")

HELP_POINTER = "Usage: arpeggiate [OPTIONS] IN.mid OUT.mid; arpeggiate --help lists every option"

SETTINGS_TAG = bytes([0xFF, 0x51, 0x81, 0x3F, 0x01, 0x0F, 0x54, 0x4A,
                      0x90, 0x30, 0x83, 0x61, 0xFE, 0xFA, 0xAB, 0xFD])


class Check:
    def __init__(self, tool, inputs, work, expected_version):
        self.tool, self.inputs, self.work = tool, inputs, work
        self.expected_version = expected_version
        os.makedirs(work, exist_ok=True)

    def path(self, name):
        return os.path.join(self.work, name)

    def run(self, *args):
        return subprocess.run([self.tool, *args], capture_output=True, text=True)

    def expect(self, condition, message):
        if not condition:
            raise AssertionError(message)

    def leftovers(self):
        return [name for name in os.listdir(self.work) if name.endswith(".arpeggiate-partial")]

    # A file damaged in its second track: its chunk claims more bytes than the file holds.
    def damaged_file(self):
        data = bytearray(open(os.path.join(self.inputs, "tracks.mid"), "rb").read())
        second = data.find(b"MTrk", data.find(b"MTrk") + 4)
        data[second + 4:second + 8] = struct.pack(">I", 100000)
        damaged = self.path("damaged.mid")
        open(damaged, "wb").write(data)
        out = self.path("damaged-out.mid")
        open(out, "wb").write(b"the musician's earlier file")
        result = self.run(damaged, out, "--piano-roll", self.path("damaged.svg"))
        self.expect(result.returncode == 2, "exit code %d, not 2" % result.returncode)
        self.expect("damaged.mid: byte %d:" % (second + 4) in result.stderr,
                    "no file name and byte %d in: %s" % (second + 4, result.stderr))
        self.expect(open(out, "rb").read() == b"the musician's earlier file",
                    "an existing output was touched")
        self.expect(not os.path.exists(self.path("damaged.svg")), "a piano roll was written")
        self.expect(not self.leftovers(), "temporary files left: %s" % self.leftovers())

    def missing_file(self):
        result = self.run(self.path("no-such-song.mid"), self.path("never.mid"))
        self.expect(result.returncode == 2, "exit code %d, not 2" % result.returncode)
        self.expect("no-such-song.mid" in result.stderr, "file not named: " + result.stderr)
        self.expect(not os.path.exists(self.path("never.mid")), "an output was written")

    # The error and one line pointing to --help, not the whole help: it would push the error
    # off the screen.
    def expect_usage_error(self, args, result, error):
        self.expect(result.returncode == 2, "%s: exit code %d" % (args, result.returncode))
        lines = result.stderr.splitlines()
        self.expect(len(lines) == 2 and lines[0].startswith("arpeggiate: ") and
                    error in lines[0] and lines[1].startswith(HELP_POINTER),
                    "%s: not the error %r and the pointer to --help: %r"
                    % (args, error, result.stderr))

    def bad_options(self):
        song = os.path.join(self.inputs, "tracks.mid")
        out = self.path("bad.mid")
        svg = ["--piano-roll", self.path("bad.svg")]
        for args, error in (
                (["--set", "tempo=120"], "tempo"), (["--set", "swing=300"], "swing"),
                (["--window", "1"], "--window"), (["--frobnicate"], "--frobnicate"),
                (["--track", "0"], "--track"), (["--bars", "five"] + svg, "FROM-TO"),
                (["--bars", "1-4"], "--piano-roll"), ([song], "OUT.mid"),
                (["--track", "9", song, out], "has tracks 1 to 4"),
                (["--bars", "3-"] + svg + [song, out], "has bars 1 to 1")):
            if args[-1] != out and args != [song]:
                args = args + [song, out]
            self.expect_usage_error(args, self.run(*args), error)
        self.expect(not os.path.exists(out) and not os.path.exists(self.path("bad.svg")),
                    "a bad command line wrote a file")

    def version(self):
        result = self.run("--version")
        self.expect(result.returncode == 0 and result.stdout.strip() == "arpeggiate " + self.expected_version,
                    "--version printed %r" % result.stdout)

    # Settings saved by one run and loaded by the next give the same song; a file of another
    # size is refused by the filter (the 52-byte form of older projects is the filter's own test).
    def settings_round_trip(self):
        song = os.path.join(self.inputs, "tracks.mid")
        saved = self.path("saved.settings")
        first = self.run("--set", "pathDirection=Down, Up", "--set", "rateUnits=Notes",
                         "--set", "noteValue=1/8 T", "--save-settings", saved, song,
                         self.path("first.mid"))
        self.expect(first.returncode == 0, first.stderr)
        image = open(saved, "rb").read()
        self.expect(len(image) == 76 and image[52:68] == SETTINGS_TAG, "saved %r" % image)
        self.expect(struct.unpack("<13i", image[:52])[5:8] == (0, 5, 1), "fields %r" % image)

        second = self.run("--settings", saved, song, self.path("second.mid"))
        self.expect(second.returncode == 0, second.stderr)
        self.expect(open(self.path("second.mid"), "rb").read() ==
                    open(self.path("first.mid"), "rb").read(), "second.mid differs")

        odd = self.path("odd.settings")
        open(odd, "wb").write(image[:60])
        refused = self.run("--settings", odd, song, self.path("odd.mid"))
        self.expect(refused.returncode == 2, "exit code %d" % refused.returncode)
        self.expect("odd.settings" in refused.stderr and "60 bytes" in refused.stderr,
                    refused.stderr)
        self.expect(not os.path.exists(self.path("odd.mid")), "an output was written")

    def track_choice(self):
        song = os.path.join(self.inputs, "tracks.mid")
        out = self.path("track2.mid")
        result = self.run("--track", "2", song, out)
        self.expect(result.returncode == 0, result.stderr)
        before = read_with_mido.describe(song).splitlines()
        after = read_with_mido.describe(out).splitlines()
        for track in ("track 1 ", "track 3 ", "track 4 "):
            self.expect([l for l in before if l.startswith(track)] ==
                        [l for l in after if l.startswith(track)], track + "changed")
        self.expect([l for l in before if l.startswith("track 2 ")] !=
                    [l for l in after if l.startswith("track 2 ")], "track 2 unchanged")
        self.expect('track 3 "Two channels" (channels 3, 6): 2 notes in, 2 notes out; copied '
                    '(not chosen with --track)' in result.stdout, result.stdout)

    def summary_and_piano_roll(self):
        song = os.path.join(self.inputs, "left-hand.mid")
        svg = self.path("left-hand.svg")
        result = self.run("--set", "leftHandWindowOn=on", "--piano-roll", svg, song,
                          self.path("left-hand-out.mid"))
        self.expect(result.returncode == 0, result.stderr)
        for text in ('track 1 "Both hands" (channel 1): 8 notes in,',
                     "1:1 C Maj Root, 1:3 A Min Root", "piano roll %s: bars 1 to 2 of 2\n" % svg,
                     "arpeggiated in"):
            self.expect(text in result.stdout, "summary lacks %r:\n%s" % (text, result.stdout))
        texts = [element.text for element in ElementTree.parse(svg).iter()
                 if element.tag.endswith("text")]
        for text in ("C Maj Root", "A Min Root", "C4", "left-hand window", "arpeggio range",
                     "120 BPM"):
            self.expect(text in texts, "piano roll lacks %r" % text)
        quiet = self.run("--quiet", song, self.path("quiet.mid"))
        self.expect(quiet.returncode == 0 and quiet.stdout == "" and quiet.stderr == "",
                    "--quiet printed %r %r" % (quiet.stdout, quiet.stderr))


class BarChecks(Check):
    """--bars on a General MIDI song of 900 bars."""

    def roll(self, *args):
        song = self.path("long900.mid")
        if not os.path.exists(song):
            songs.long_song(song)
        svg = self.path("long900%s.svg" % "".join(args))
        result = self.run(*args, "--piano-roll", svg, song, self.path("long900-out.mid"))
        self.expect(result.returncode == 0, result.stderr)
        return ElementTree.parse(svg).getroot(), os.path.getsize(svg), result.stdout

    def bar_labels(self, root):
        """Per panel, the bar numbers over its grid with their x; and the grid outlines."""
        labels = [(int(e.text), float(e.get("x"))) for e in root.iter()
                  if e.tag.endswith("text") and e.get("class") == "bar"]
        grids = [e for e in root.iter() if e.tag.endswith("rect") and e.get("class") == "grid"]
        return labels, grids

    def covers(self, root, first, last):
        labels, grids = self.bar_labels(root)
        self.expect(len(grids) == 2, "%d panels, not 2 (piano, bass)" % len(grids))
        wanted = list(range(first, last + 1))
        self.expect([bar for bar, _ in labels] == wanted * 2,
                    "bar labels %s, not %d..%d per panel" % ([b for b, _ in labels], first, last))
        return labels, grids

    def bars_long_song(self):
        root, size, summary = self.roll("--bars", "433-448")
        labels, grids = self.covers(root, 433, 448)
        # Bars 433..448 are all 4/4: 16 equal bars fill the grid, and the picture ends a margin
        # after it.
        bar_width = labels[1][1] - labels[0][1]
        left, width = float(grids[0].get("x")), float(grids[0].get("width"))
        self.expect(abs(labels[0][1] - 2 - left) < 0.11, "bar 433 not at the grid's left edge")
        self.expect(abs(width - 16 * bar_width) < 1, "grid %.1f wide, 16 bars of %.1f"
                    % (width, bar_width))
        self.expect(abs(float(root.get("width")) - (left + width + 16)) < 0.11,
                    "picture %s wide for a grid ending at %.1f" % (root.get("width"), left + width))
        self.expect(size < 300_000, "16 bars take %d bytes" % size)
        notes = [e for e in root.iter() if e.tag.endswith("rect") and e.get("fill") == "#e8590c"
                 and e.get("fill-opacity")]
        self.expect(notes and all(left <= float(e.get("x")) and
                                  float(e.get("x")) + float(e.get("width")) <= left + width + 2
                                  for e in notes), "arpeggio notes drawn outside the bars")
        texts = [e.text for e in root.iter() if e.tag.endswith("text")]
        self.expect("120 BPM" in texts and "96 BPM" not in texts, "not the stretch's tempo")
        self.expect("piano roll %s: bars 433 to 448 of 900\n" % self.path("long900--bars433-448.svg")
                    in summary, summary)

    def bars_default_and_open_ended(self):
        root, _, summary = self.roll()
        self.covers(root, 1, 64)
        self.expect("bars 1 to 64 of 900 (the first 64; --bars FROM-TO or --bars FROM- draws "
                    "others)" in summary, summary)
        # Through the bars of 3/4.
        root, _, _ = self.roll("--bars", "605-612", "--set", "leftHandWindowOn=on")
        self.covers(root, 605, 612)
        # The demo's last two bars are both C major: the chord named in bar 15 still holds.
        svg = self.path("demo-16.svg")
        result = self.run("--bars", "16-", "--piano-roll", svg, "--set", "leftHandWindowOn=on",
                          os.path.join(self.inputs, "demo.mid"), self.path("demo-16.mid"))
        self.expect(result.returncode == 0, result.stderr)
        texts = [e.text for e in ElementTree.parse(svg).iter() if e.tag.endswith("text")]
        self.expect("C Maj Root (since 15:1)" in texts and "76 BPM" in texts,
                    "bar 16 lacks its chord or tempo: %s" % texts)


def main(argv):
    if len(argv) < 5:
        sys.stderr.write(__doc__)
        return 2
    kind = BarChecks if hasattr(BarChecks, argv[1]) else Check
    check = kind(argv[2], argv[3], argv[4], argv[5] if len(argv) > 5 else "")
    try:
        getattr(check, argv[1])()
    except AssertionError as failure:
        print("%s: %s" % (argv[1], failure))
        return 1
    print("%s: passed" % argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
