#!/usr/bin/python3
"""Writes the project's demo song, or a long song for timing the tool.

  make-demo-song.py OUT.mid          the demo: 16 bars for piano, bass and drums
  make-demo-song.py --long OUT.mid   10 minutes, 16 tracks, for the timing in the summary

The demo is written to show the arpeggiator: the piano's left hand plays a chord progression
inside the default left-hand window (keys 24..48, the top key left free because the chord scan
stops below it) and its right hand holds melody notes above it, which start and sustain the
arpeggio. The tempo drops from 100 to 76 BPM at bar 9, where a millisecond step rate keeps its
speed and a note-value rate slows down with the song. Volume, pan and reverb controllers pass
through the filter unchanged. The drums play on channel 10, General MIDI's percussion, which
the tool copies unless told otherwise. The output is the same bytes on every run (mido 1.2).
"""
import sys

import mido

TICKS = 480
BAR = 4 * TICKS

# Bars 1-16: chord name for the reader, left-hand keys (all in 24..47), right-hand melody as
# (key, start beat, beats).
PROGRESSION = [
    ("C", [36, 40, 43], [(72, 0, 2), (76, 2, 2)]),
    ("Am", [33, 36, 40], [(72, 0, 2), (69, 2, 2)]),
    ("F", [29, 33, 36], [(69, 0, 3), (72, 3, 1)]),
    ("G7", [31, 35, 38, 41], [(71, 0, 2), (74, 2, 2)]),
    ("C", [36, 40, 43], [(76, 0, 2), (79, 2, 2)]),
    ("Am", [33, 36, 40], [(81, 0, 2), (76, 2, 2)]),
    ("Dm7", [26, 29, 33, 36], [(77, 0, 2), (74, 2, 2)]),
    ("G7", [31, 35, 38, 41], [(74, 0, 4)]),
    ("F", [29, 33, 36], [(72, 0, 2), (69, 2, 2)]),
    ("G", [31, 35, 38], [(71, 0, 2), (67, 2, 2)]),
    ("Em", [28, 31, 35], [(67, 0, 2), (71, 2, 2)]),
    ("Am", [33, 36, 40], [(72, 0, 4)]),
    ("Dm", [26, 29, 33], [(74, 0, 2), (77, 2, 2)]),
    ("G7", [31, 35, 38, 41], [(79, 0, 2), (74, 2, 2)]),
    ("C", [36, 40, 43], [(72, 0, 4)]),
    ("C", [24, 36, 40, 43], [(72, 0, 4)]),
]
BASS = [36, 33, 29, 31, 36, 33, 38, 31, 29, 31, 28, 33, 38, 31, 36, 36]
TEMPO_CHANGE_BAR = 8  # zero-based: bar 9
DRUM_CHANNEL = 9  # channel 10, General MIDI's percussion
KICK, SNARE, CLOSED_HAT, CRASH = 36, 38, 42, 49


def timed(events):
    """Absolute-tick events to a mido track with delta times, in a stable order."""
    track = mido.MidiTrack()
    now = 0
    for tick, _, message in sorted(events, key=lambda e: (e[0], e[1])):
        track.append(message.copy(time=tick - now))
        now = tick
    return track


def note(events, start, length, channel, key, velocity):
    # Offs sort before ons at one tick so that a repeated key is released first.
    events.append((start, 2, mido.Message("note_on", channel=channel, note=key, velocity=velocity)))
    events.append((start + length, 0, mido.Message("note_off", channel=channel, note=key)))


def demo():
    song = mido.MidiFile(type=1, ticks_per_beat=TICKS)
    conductor = [
        (0, 0, mido.MetaMessage("track_name", name="Arpeggiator demo")),
        (0, 0, mido.MetaMessage("time_signature", numerator=4, denominator=4)),
        (0, 0, mido.MetaMessage("key_signature", key="C")),
        (0, 0, mido.MetaMessage("set_tempo", tempo=mido.bpm2tempo(100))),
        (TEMPO_CHANGE_BAR * BAR, 0, mido.MetaMessage("set_tempo", tempo=mido.bpm2tempo(76))),
        (TEMPO_CHANGE_BAR * BAR, 1, mido.MetaMessage("marker", text="Slower")),
    ]
    song.tracks.append(timed(conductor))

    piano = [
        (0, 0, mido.MetaMessage("track_name", name="Piano")),
        (0, 1, mido.Message("program_change", channel=0, program=0)),
        (0, 1, mido.Message("control_change", channel=0, control=7, value=100)),
        (0, 1, mido.Message("control_change", channel=0, control=10, value=44)),
        (0, 1, mido.Message("control_change", channel=0, control=91, value=40)),
    ]
    for bar, (_, chord, melody) in enumerate(PROGRESSION):
        start = bar * BAR
        # Released 40 ticks early: the filter still counts a window key for 20 ticks after
        # it ends, and a chord should not be named together with the one before it.
        for key in chord:
            note(piano, start, BAR - 40, 0, key, 72)
        for key, beat, beats in melody:
            note(piano, start + beat * TICKS, beats * TICKS - 20, 0, key, 96 if beat == 0 else 84)
    # A swell into the slower half.
    for step in range(8):
        piano.append((7 * BAR + step * TICKS // 2, 1,
                      mido.Message("control_change", channel=0, control=11, value=80 + 6 * step)))
    song.tracks.append(timed(piano))

    bass = [
        (0, 0, mido.MetaMessage("track_name", name="Bass")),
        (0, 1, mido.Message("program_change", channel=1, program=33)),
        (0, 1, mido.Message("control_change", channel=1, control=7, value=90)),
        (0, 1, mido.Message("control_change", channel=1, control=10, value=84)),
    ]
    for bar, key in enumerate(BASS):
        note(bass, bar * BAR, 2 * TICKS - 10, 1, key, 90)
        note(bass, bar * BAR + 2 * TICKS, 2 * TICKS - 10, 1, key + 7, 80)
    song.tracks.append(timed(bass))
    song.tracks.append(timed(drums()))
    return song


def drums():
    """Kick on 1 and 3, snare on 2 and 4, eighth-note hi-hats, a crash where each half starts.

    Every hit ends before the song's last note, so the song ends where it did without drums.
    """
    events = [
        (0, 0, mido.MetaMessage("track_name", name="Drums")),
        (0, 1, mido.Message("control_change", channel=DRUM_CHANNEL, control=7, value=80)),
    ]
    for bar in range(len(PROGRESSION)):
        start = bar * BAR
        if bar in (0, TEMPO_CHANGE_BAR, len(PROGRESSION) - 1):
            note(events, start, TICKS, DRUM_CHANNEL, CRASH, 90)
        for beat in range(4):
            note(events, start + beat * TICKS, 120, DRUM_CHANNEL, KICK if beat % 2 == 0 else SNARE,
                 100 if beat % 2 == 0 else 88)
        for eighth in range(8):
            note(events, start + eighth * TICKS // 2, 60, DRUM_CHANNEL, CLOSED_HAT,
                 70 if eighth % 2 == 0 else 52)
    return events


def long_song():
    """Ten minutes at 120 BPM (300 bars), 16 tracks on 16 channels, chords and melody."""
    song = mido.MidiFile(type=1, ticks_per_beat=TICKS)
    song.tracks.append(timed([
        (0, 0, mido.MetaMessage("track_name", name="Long song")),
        (0, 0, mido.MetaMessage("set_tempo", tempo=mido.bpm2tempo(120))),
    ]))
    bars = 300
    for number in range(16):
        events = [(0, 0, mido.MetaMessage("track_name", name="Part %d" % (number + 1))),
                  (0, 1, mido.Message("program_change", channel=number, program=number * 5))]
        for bar in range(bars):
            _, chord, melody = PROGRESSION[(bar + number) % len(PROGRESSION)]
            for key in chord:
                note(events, bar * BAR, BAR - 40, number, key, 70)
            for key, beat, beats in melody:
                note(events, bar * BAR + beat * TICKS, beats * TICKS - 20, number, key, 90)
        song.tracks.append(timed(events))
    return song


def main(argv):
    if len(argv) == 2:
        demo().save(argv[1])
    elif len(argv) == 3 and argv[1] == "--long":
        long_song().save(argv[2])
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
