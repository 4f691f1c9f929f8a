"""The standalone program `arpeggiator` on a JACK dummy server, driven and heard at exact frames
by the LV2 test's JACK client (tests/lv2/jalv_jack_test.py), which is also JACK's tempo master:
the held chord with the default settings walks Up, Down at its 200 ms pairs, and the transport
stopping with keys held ends every note.

Usage: standalone_jack_test.py PROGRAM
Exit status 0 when every check holds, 1 otherwise, 77 when jackd or the Python JACK client is
not installed.
"""
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "lv2"))
import jalv_jack_test as lv2  # noqa: E402

CLIENT = "Arpeggiator"


class StandaloneRig(lv2.Rig):
    def __init__(self, program):
        super().__init__(".")
        self.program = program

    def start(self):
        self.spawn(["jackd", "-n", self.server, "-r", "-d", "dummy", "-r", str(lv2.RATE), "-p",
                    str(lv2.PERIOD)], stdin=subprocess.DEVNULL)
        lv2.wait_until(self.server_up, 10, "the JACK server")
        self.spawn([self.program], stdin=subprocess.DEVNULL)
        self.client = lv2.jack.Client("arptest", servername=self.server, no_start_server=True)
        self.out = self.client.midi_outports.register("out")
        self.inp = self.client.midi_inports.register("in")
        self.client.set_process_callback(self.process)
        self.client.set_timebase_callback(self.timebase, conditional=False)
        self.client.activate()
        lv2.wait_until(lambda: self.client.get_ports(f"{CLIENT}:events-in") and
                       self.client.get_ports(f"{CLIENT}:midi-out"), 15, "the program's ports")
        lv2.wait_until(lambda: self.try_connect("arptest:out", f"{CLIENT}:events-in"), 10,
                       "a connection")
        lv2.wait_until(lambda: self.try_connect(f"{CLIENT}:midi-out", "arptest:in"), 10,
                       "a connection")


def transport_stop_ends_held_notes(rig, checks):
    rig.client.transport_start()
    press = rig.now() + lv2.RATE // 5
    rig.play(lv2.chord(press, lv2.TRIAD, 0x90, 100))
    lv2.wait_until(lambda: rig.now() > press + lv2.RATE, 10, "a second of steps")
    rig.client.transport_stop()
    stop = rig.now()
    lv2.wait_until(lambda: rig.now() > stop + lv2.RATE // 2, 10, "the stop")
    events = rig.take()
    checks.expect(len(lv2.ons(events)) >= 8, "steps sound while the keys are held and it plays")
    checks.expect(not lv2.sounding(events), "the transport stopping ends every note")
    rig.play(lv2.chord(rig.now() + lv2.RATE // 10, lv2.TRIAD, 0x80, 0))


def main(program):
    missing = [tool for tool in ("jackd", "jack_lsp") if shutil.which(tool) is None]
    if lv2.jack is None:
        missing.append("python3-jack-client")
    if missing:
        print("standalone test skipped: missing " + ", ".join(missing))
        return 77
    rig = StandaloneRig(program)
    checks = lv2.Checks(rig)
    try:
        rig.start()
        for case in (lv2.defaults_walk_up_and_down, transport_stop_ends_held_notes):
            case(rig, checks)
    except (TimeoutError, lv2.jack.JackError, OSError) as error:
        checks.expect(False, f"the rig failed: {error}")
    finally:
        rig.stop()
    if checks.failures:
        print("--- jackd and the program said (end):\n" + "\n".join(rig.output().splitlines()[-20:]))
    print(f"standalone test: {len(checks.failures)} failed")
    return 1 if checks.failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
