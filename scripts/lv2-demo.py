#!/usr/bin/python3
"""Plays the demo song's piano through the LV2 arpeggiator in a real host, live: jalv on a JACK
dummy server, with the "Chords from the left hand" preset, fed at the song's own timing by a
JACK client that is also the tempo master (100 BPM, 76 from bar 9). What the plug-in plays is
written back into the song in place of the piano's notes.

  lv2-demo.py LV2_BUNDLES_DIR IN.mid OUT.mid

The piano's controllers go around the plug-in (a working arpeggiator lets only notes through);
the bass and drums are copied. Takes as long as the song (about 45 seconds)."""
import os
import sys
import time

import mido

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "lv2"))
from jalv_jack_test import PERIOD, RATE, Rig, wait_until  # noqa: E402

PRESET = "urn:arpeggiator:lv2:preset:chords-from-the-left-hand"
LEAD_IN = RATE  # one second before the first bar


class TempoMap:
    def __init__(self, song):
        self.tpq = song.ticks_per_beat
        changes, tick = [], 0
        for message in song.tracks[0]:
            tick += message.time
            if message.type == "set_tempo":
                changes.append((tick, message.tempo))
        if not changes or changes[0][0] != 0:
            changes.insert(0, (0, 500000))
        self.segments, seconds = [], 0.0  # (tick, seconds at tick, us per quarter)
        for i, (tick, tempo) in enumerate(changes):
            if i:
                last_tick, last_seconds, last_tempo = self.segments[-1]
                seconds = last_seconds + (tick - last_tick) * last_tempo / 1e6 / self.tpq
            self.segments.append((tick, seconds, tempo))

    def seconds(self, tick):
        start, at, tempo = [s for s in self.segments if s[0] <= tick][-1]
        return at + (tick - start) * tempo / 1e6 / self.tpq

    def tick(self, seconds):
        start, at, tempo = [s for s in self.segments if s[1] <= seconds][-1]
        return start + round((seconds - at) * 1e6 * self.tpq / tempo)

    def bpm(self, seconds):
        return 60e6 / [s for s in self.segments if s[1] <= max(seconds, 0.0)][-1][2]


def absolute(track):
    tick = 0
    for message in track:
        tick += message.time
        yield tick, message


def delta_track(timed, name):
    track, now = mido.MidiTrack([mido.MetaMessage("track_name", name=name, time=0)]), 0
    for tick, message in sorted(timed, key=lambda e: e[0]):
        track.append(message.copy(time=tick - now))
        now = tick
    return track


def main(bundles, source, target):
    song = mido.MidiFile(source)
    tempo = TempoMap(song)
    piano = list(absolute(song.tracks[1]))
    notes = [(t, m) for t, m in piano if m.type in ("note_on", "note_off")]
    around = [(t, m) for t, m in piano if not m.is_meta and m.type not in ("note_on", "note_off")]
    end = tempo.seconds(max(t for t, _ in piano)) + 1.0

    rig = Rig(bundles)
    try:
        rig.start()
        rig.command("presets")  # jalv reads the bundle's presets when it lists them
        rig.command("preset " + PRESET)
        start = rig.now() + LEAD_IN
        rig.tempo_at = lambda frame: tempo.bpm((frame - start) / RATE)
        rig.client.transport_start()
        rig.play([(start + round(tempo.seconds(t) * RATE), bytes(m.bytes())) for t, m in notes])
        print(f"lv2-demo: playing {len(notes)} piano messages through jalv for {end:.0f} s")
        wait_until(lambda: rig.now() > start + end * RATE, end + 30, "the end of the song")
        rig.client.transport_stop()
        time.sleep(0.3)
        captured = rig.take()
    finally:
        rig.stop()

    # What JACK hands back arrives one period after the cycle that played it.
    arpeggio = [(tempo.tick(max(0, frame - PERIOD - start) / RATE), mido.Message.from_bytes(data))
                for frame, data in captured if len(data) == 3]
    out = mido.MidiFile(type=1, ticks_per_beat=song.ticks_per_beat)
    out.tracks.append(song.tracks[0])
    out.tracks.append(delta_track(around + arpeggio, "Piano through the LV2 arpeggiator"))
    out.tracks.extend(song.tracks[2:])
    out.save(target)
    chords = [line.split(": ", 2)[-1] for line in rig.output().splitlines()
              if "Arpeggiator chord:" in line]
    ons = sum(1 for _, m in arpeggio if m.type == "note_on" and m.velocity > 0)
    print(f"lv2-demo: {ons} notes came back; chords named: {', '.join(chords) or 'none'}")
    print(f"lv2-demo: wrote {target}")
    return 0 if ons > 0 else 1


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:4]))
