#!/usr/bin/python3
"""A song shaped like the General MIDI files musicians bring, for cli-checks.py:

  general-midi-songs.py OUT.mid [BARS]   writes long_song (900 bars unless BARS is given)

long_song is format 1 at 192 ticks per quarter: a conductor track (96 BPM, 120 from bar 301,
bars 601 to 610 in 3/4), a piano whose left hand plays chords inside keys 24..47 under a
right-hand melody (channel 1), a bass (channel 2) and drums (channel 10).
"""
import os
import sys

import mido

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
# The golden inputs' event builders: timed(events) makes a track, note(...) adds a note.
golden_inputs = __import__("make-golden-inputs")
timed, note = golden_inputs.timed, golden_inputs.note

TICKS = 192
CHORDS = [[36, 40, 43], [33, 36, 40], [29, 33, 36], [31, 35, 38, 41]]


def bar_starts(bars):
    """Tick of every bar line, the one after the last included: 4/4 but bars 601-610 in 3/4."""
    starts = [0]
    for bar in range(1, bars + 1):
        starts.append(starts[-1] + (3 if 601 <= bar <= 610 else 4) * TICKS)
    return starts


def conductor(bars, starts):
    events = [(0, 0, mido.MetaMessage("track_name", name="Conductor")),
              (0, 0, mido.MetaMessage("time_signature", numerator=4, denominator=4)),
              (0, 0, mido.MetaMessage("set_tempo", tempo=mido.bpm2tempo(96)))]
    if bars >= 301:
        events.append((starts[300], 0, mido.MetaMessage("set_tempo", tempo=mido.bpm2tempo(120))))
    if bars >= 611:
        events.append((starts[600], 0, mido.MetaMessage("time_signature", numerator=3,
                                                         denominator=4)))
        events.append((starts[610], 0, mido.MetaMessage("time_signature", numerator=4,
                                                         denominator=4)))
    return timed(events)


def parts(bars, starts):
    piano = [(0, 0, mido.MetaMessage("track_name", name="Piano"))]
    bass = [(0, 0, mido.MetaMessage("track_name", name="Bass"))]
    drums = [(0, 0, mido.MetaMessage("track_name", name="Drums"))]
    for bar in range(bars):
        start, length = starts[bar], starts[bar + 1] - starts[bar]
        chord = CHORDS[bar % len(CHORDS)]
        for key in chord:
            note(piano, start, length - 16, key, 70, 0)
        note(piano, start, length // 2 - 8, chord[-1] + 36, 96, 0)
        note(bass, start, length - 8, chord[0], 90, 1)
        for beat in range(length // TICKS):
            note(drums, start + beat * TICKS, 24, 36 if beat % 2 == 0 else 38, 100, 9)
            note(drums, start + beat * TICKS + TICKS // 2, 24, 42, 60, 9)
    return [timed(piano), timed(bass), timed(drums)]


def long_song(path, bars=900):
    starts = bar_starts(bars)
    song = mido.MidiFile(type=1, ticks_per_beat=TICKS)
    song.tracks.append(conductor(bars, starts))
    song.tracks.extend(parts(bars, starts))
    song.save(path)


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3):
        sys.stderr.write(__doc__)
        sys.exit(2)
    long_song(sys.argv[1], int(sys.argv[2]) if len(sys.argv) == 3 else 900)
