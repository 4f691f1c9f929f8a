#!/usr/bin/python3
"""Writes the small input songs of the golden tests into a folder.

  make-golden-inputs.py DIR

Each song is made for one thing the tool must get right, small enough to check its output by
hand against the arpeggiation rules (golden/README.md does so):
  tracks.mid          format 1: a conductor track, notes on two tracks and three channels,
                      a track without notes, a program change and a pitch bend
  tempo-change.mid    format 0: one held key across a tempo change from 120 to 60 BPM
  left-hand.mid       left-hand chords inside keys 24..48 under right-hand keys above them
  running-status.mid  written byte by byte: running status across notes, controllers and
                      program changes, note-ons of velocity 0 as note-offs, a system-
                      exclusive and a text event between them, in 3/4
  drums.mid           format 1: a chord track, a drum track on channel 10 (hits of no length,
                      note-ons of velocity 0 as note-offs, a controller) and a track mixing a
                      melody on channel 1 with a percussion part on channel 10
  format0-drums.mid   format 0: piano on channel 1, bass on channel 2 and drums on channel 10
                      in one track
"""
import os
import struct
import sys

import mido

TICKS = 480


def timed(events):
    track = mido.MidiTrack()
    now = 0
    for tick, _, message in sorted(events, key=lambda e: (e[0], e[1])):
        track.append(message.copy(time=tick - now))
        now = tick
    return track


def note(events, start, length, key, velocity, channel=0):
    events.append((start, 2, mido.Message("note_on", channel=channel, note=key, velocity=velocity)))
    events.append((start + length, 0, mido.Message("note_off", channel=channel, note=key)))


def conductor():
    return timed([(0, 0, mido.MetaMessage("track_name", name="Conductor")),
                  (0, 0, mido.MetaMessage("time_signature", numerator=4, denominator=4)),
                  (0, 0, mido.MetaMessage("set_tempo", tempo=500000))])


def tracks_song():
    song = mido.MidiFile(type=1, ticks_per_beat=TICKS)
    song.tracks.append(conductor())
    keys = [(0, 0, mido.MetaMessage("track_name", name="Keys")),
            (0, 1, mido.Message("program_change", channel=0, program=4))]
    for key in (60, 64, 67):
        note(keys, 0, 480, key, 100)
    note(keys, 960, 240, 62, 100)
    song.tracks.append(timed(keys))
    mixed = [(0, 0, mido.MetaMessage("track_name", name="Two channels"))]
    note(mixed, 0, 360, 48, 90, channel=2)
    note(mixed, 120, 360, 72, 80, channel=5)
    mixed.append((240, 1, mido.Message("pitchwheel", channel=5, pitch=1024)))
    song.tracks.append(timed(mixed))
    song.tracks.append(timed([
        (0, 0, mido.MetaMessage("track_name", name="Words")),
        (480, 0, mido.MetaMessage("text", text="no notes here")),
    ]))
    return song


def tempo_song():
    events = [(0, 0, mido.MetaMessage("set_tempo", tempo=500000)),
              (960, 0, mido.MetaMessage("set_tempo", tempo=1000000))]
    note(events, 0, 1920, 60, 100)
    song = mido.MidiFile(type=0, ticks_per_beat=TICKS)
    song.tracks.append(timed(events))
    return song


def left_hand_song():
    events = [(0, 0, mido.MetaMessage("track_name", name="Both hands"))]
    # The left hand lets go 60 ticks before the next chord: the filter still counts a window
    # key for 20 ticks after it ends.
    for key in (36, 40, 43):
        note(events, 0, 900, key, 70)
    for key in (33, 36, 40):
        note(events, 960, 900, key, 70)
    note(events, 0, 960, 67, 100)
    note(events, 960, 960, 69, 100)
    song = mido.MidiFile(type=1, ticks_per_beat=TICKS)
    song.tracks.append(timed(events))
    return song


def hit(events, start, length, key, velocity, channel=9, release=None):
    """A drum hit; `release` None ends it with a note-on of velocity 0, as many files do."""
    events.append((start, 2, mido.Message("note_on", channel=channel, note=key, velocity=velocity)))
    end = (mido.Message("note_on", channel=channel, note=key, velocity=0) if release is None else
           mido.Message("note_off", channel=channel, note=key, velocity=release))
    # A hit of no length ends right after it starts, at the same tick.
    events.append((start + length, 3 if length == 0 else 0, end))


def drums_song():
    song = mido.MidiFile(type=1, ticks_per_beat=TICKS)
    song.tracks.append(conductor())
    keys = [(0, 0, mido.MetaMessage("track_name", name="Keys"))]
    for key in (60, 64, 67):
        note(keys, 0, 480, key, 100)
    song.tracks.append(timed(keys))
    drums = [(0, 0, mido.MetaMessage("track_name", name="Drums")),
             (0, 1, mido.Message("control_change", channel=9, control=7, value=110))]
    hit(drums, 0, 120, 36, 100, release=0)
    hit(drums, 960, 120, 36, 100, release=0)
    for tick in (0, 240, 480, 720):
        hit(drums, tick, 0, 42, 80)
    hit(drums, 480, 120, 38, 90)
    song.tracks.append(timed(drums))
    band = [(0, 0, mido.MetaMessage("track_name", name="Band"))]
    hit(band, 0, 60, 39, 100)  # first at tick 0: with --drums it starts the arpeggio
    note(band, 0, 480, 64, 80)
    hit(band, 120, 0, 54, 70)
    hit(band, 240, 60, 39, 100)
    note(band, 960, 240, 62, 80)
    song.tracks.append(timed(band))
    return song


def format0_drums_song():
    events = [(0, 0, mido.MetaMessage("track_name", name="One track")),
              (0, 0, mido.MetaMessage("set_tempo", tempo=500000)),
              (0, 1, mido.Message("program_change", channel=0, program=0)),
              (0, 1, mido.Message("program_change", channel=1, program=33))]
    note(events, 0, 480, 60, 100)
    note(events, 480, 480, 43, 90, channel=1)
    for tick in (0, 480):
        hit(events, tick, 60, 36, 100, release=64)
    for tick in (240, 720):
        hit(events, tick, 0, 42, 80)
    song = mido.MidiFile(type=0, ticks_per_beat=TICKS)
    song.tracks.append(timed(events))
    return song


def chunk(kind, body):
    return kind + struct.pack(">I", len(body)) + body


def running_status_bytes():
    conductor = bytes([
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,        # 120 BPM
        0x00, 0xFF, 0x58, 0x04, 0x03, 0x02, 0x18, 0x08,  # 3/4
        0x00, 0xFF, 0x2F, 0x00,
    ])
    track = bytes([
        0x00, 0xC3, 0x05,              # program change, channel 4 (index 3)
        0x00, 0x10,                    # running status: a second program change
        0x00, 0xB3, 0x07, 0x64,        # volume
        0x00, 0x0A, 0x20,              # running status: pan
        0x00, 0x93, 0x3C, 0x64,        # C4 on
        0x00, 0x40, 0x50,              # running status: E4 on
        0x81, 0x70, 0x3C, 0x00,        # 240 later: C4 off as a note-on of velocity 0
        0x00, 0xF0, 0x05, 0x7E, 0x7F, 0x09, 0x01, 0xF7,  # system exclusive (GM on)
        0x00, 0x93, 0x43, 0x5A,        # a system exclusive ends running status: G4 on
        0x00, 0xFF, 0x01, 0x04, 0x6D, 0x69, 0x64, 0x21,  # text "mid!"
        0x83, 0x60, 0xE3, 0x00, 0x48,  # 480 later: pitch bend
        0x00, 0x93, 0x40, 0x00,        # E4 off
        0x00, 0x43, 0x00,              # running status: G4 off
        0x00, 0xFF, 0x2F, 0x00,
    ])
    header = struct.pack(">HHH", 1, 2, TICKS)
    return chunk(b"MThd", header) + chunk(b"MTrk", conductor) + chunk(b"MTrk", track)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    folder = argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, song in (("tracks", tracks_song), ("tempo-change", tempo_song),
                       ("left-hand", left_hand_song), ("drums", drums_song),
                       ("format0-drums", format0_drums_song)):
        song().save(os.path.join(folder, name + ".mid"))
    with open(os.path.join(folder, "running-status.mid"), "wb") as out:
        out.write(running_status_bytes())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
