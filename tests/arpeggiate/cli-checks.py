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

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
read_with_mido = __import__("read-with-mido")

SETTINGS_TAG = bytes([0xFF, 0x51, 0x81, 0x3F, 0x01, 0x0F, 0x54, 0x4A,
                      0x90, 0x30, 0x83, 0x61, 0xFE, 0xFA, 0xAB, 0xFD])
FIELDS = ["leftHandBottom", "leftHandSpan", "arpBottom", "arpSpan", "swing", "rateUnits",
          "noteValue", "pathDirection", "rateAmount", "legato", "playOriginals",
          "leftHandWindowOn", "keepInRange", "enabled"]
OPTION_TEXTS = ["Up, Down", "Down, Up", "Up, Up", "Down, Down", "Notes", "MIDI Ticks",
                "Milliseconds", "1/32", "1/32 T", "1/16", "1/16 T", "1/8", "1/8 T", "1/4",
                "1/4 T", "1/2", "1/2 T", "Whole"]


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

    def bad_options(self):
        song = os.path.join(self.inputs, "tracks.mid")
        for args in (["--set", "tempo=120"], ["--set", "swing=300"], ["--window", "1"],
                     ["--frobnicate"], ["--track", "0"], []):
            result = self.run(*args, song) if args != [] else self.run(song)
            self.expect(result.returncode == 2, "%s: exit code %d" % (args, result.returncode))
            self.expect("Usage:" in result.stderr and "--set" in result.stderr,
                        "%s: no usage help in: %s" % (args, result.stderr))
        result = self.run("--track", "9", song, self.path("track9.mid"))
        self.expect(result.returncode == 2 and "has tracks 1 to 4" in result.stderr,
                    "--track 9: " + result.stderr)

    def help(self):
        result = self.run("--help")
        self.expect(result.returncode == 0, "exit code %d" % result.returncode)
        for word in FIELDS + ['"%s"' % text for text in OPTION_TEXTS] + [
                "--set", "--settings", "--save-settings", "--track", "--window", "--piano-roll",
                "--quiet", "--version", "default 24", "-100..100", "ended first"]:
            self.expect(word in result.stdout, "--help does not mention %s" % word)

    def version(self):
        result = self.run("--version")
        self.expect(result.returncode == 0 and result.stdout.strip() == "arpeggiate " + self.expected_version,
                    "--version printed %r" % result.stdout)

    # Settings saved by one run and loaded by the next give the same song; the 52-byte form of
    # older projects loads too, and a file of another size is refused by the filter.
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
        short = self.path("short.settings")
        open(short, "wb").write(image[:52])
        third = self.run("--settings", short, song, self.path("third.mid"))
        self.expect(third.returncode == 0, third.stderr)
        expected = open(self.path("first.mid"), "rb").read()
        for name in ("second.mid", "third.mid"):
            self.expect(open(self.path(name), "rb").read() == expected, name + " differs")

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

    # Bypassed, the filter hands every record back: the notes come out as they went in.
    def bypass(self):
        song = os.path.join(self.inputs, "running-status.mid")
        out = self.path("bypass.mid")
        result = self.run("--set", "enabled=0", song, out)
        self.expect(result.returncode == 0, result.stderr)
        self.expect(read_with_mido.describe(song) == read_with_mido.describe(out),
                    "bypassed output differs from the input")

    def summary_and_piano_roll(self):
        song = os.path.join(self.inputs, "left-hand.mid")
        svg = self.path("left-hand.svg")
        result = self.run("--set", "leftHandWindowOn=on", "--piano-roll", svg, song,
                          self.path("left-hand-out.mid"))
        self.expect(result.returncode == 0, result.stderr)
        for text in ('track 1 "Both hands": 8 notes in,', "1:1 C Maj Root, 1:3 A Min Root",
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


def main(argv):
    if len(argv) < 5:
        sys.stderr.write(__doc__)
        return 2
    check = Check(argv[2], argv[3], argv[4], argv[5] if len(argv) > 5 else "")
    try:
        getattr(check, argv[1])()
    except AssertionError as failure:
        print("%s: %s" % (argv[1], failure))
        return 1
    print("%s: passed" % argv[1])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
