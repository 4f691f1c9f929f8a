"""Checks what Ardour rendered through the arpeggiator: "Up, Up" 1/16 notes at Ardour's 120 BPM
over C E G in the range 36..96, starting with the chord at sample 4800 and 6000 samples apart,
and every note ended once the chord is released. Usage: check-ardour-render.py RENDERED.txt"""
import os
import sys

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import jalv_jack_test  # noqa: E402  (its MIDI helpers; jack itself is imported only if present)

RATE = 48000
PRESS, RELEASE = 4800, 172800
STEP = 6000  # a sixteenth at 120 BPM
TOLERANCE = RATE // 1000


def main(path):
    events = [tuple(int(x) for x in line.split()) for line in open(path) if line.strip()]
    ons = [(s, k) for s, status, k, v in events if status & 0xF0 == 0x90 and v > 0]
    problems = []
    if len(ons) < 20:
        problems.append(f"only {len(ons)} notes")
    else:
        if abs(ons[0][0] - PRESS) > TOLERANCE:
            problems.append(f"first note at {ons[0][0]}, not with the chord at {PRESS}")
        up_up = [60, 64, 67, 72, 76, 79, 84, 88, 91, 96, 40, 43, 48, 52, 55, 60]
        keys = [k for _, k in ons[:len(up_up)]]
        if keys != up_up:
            problems.append(f"keys {keys}, expected {up_up}")
        for (a, _), (b, _) in zip(ons, ons[1:]):
            if abs(b - a - STEP) > TOLERANCE:
                problems.append(f"{b - a} samples between the notes at {a} and {b}")
        # The engine prepares one step past its horizon; that step still sounds after a release.
        late = [s for s, _ in ons if s > RELEASE]
        if len(late) > 1 or any(s > RELEASE + STEP + TOLERANCE for s in late):
            problems.append(f"notes after the release: {late}")
    left = jalv_jack_test.sounding([(s, bytes(message)) for s, *message in events])
    if left:
        problems.append(f"notes left sounding: {left}")
    for problem in problems:
        print("ardour-test:", problem)
    print(f"ardour-test: {len(ons)} notes rendered, {'as expected' if not problems else 'WRONG'}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
