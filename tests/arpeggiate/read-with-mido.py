#!/usr/bin/python3
"""Prints what Debian's python3-mido reads in a MIDI file, one line per note or event:

  track T note ch C key K ticks START-END vel V
  track T at TICK: <message>

Notes are paired as a player would (a note-off or a note-on of velocity 0 ends the oldest
sounding note of its channel and key). The golden CASE.txt files are this output; a reader
that disagrees with the tool fails the comparison.
"""
import collections
import sys

import mido


def describe(path):
    song = mido.MidiFile(path)
    lines = ["format %d, %d ticks per quarter, %d tracks"
             % (song.type, song.ticks_per_beat, len(song.tracks))]
    for number, track in enumerate(song.tracks, start=1):
        tick = 0
        sounding = collections.defaultdict(collections.deque)
        notes = []
        for message in track:
            tick += message.time
            if message.type == "note_on" and message.velocity > 0:
                sounding[(message.channel, message.note)].append((tick, message.velocity))
            elif message.type in ("note_on", "note_off"):
                waiting = sounding[(message.channel, message.note)]
                if waiting:
                    start, velocity = waiting.popleft()
                    notes.append((start, message.channel, message.note, tick, velocity))
            elif message.type != "end_of_track":
                lines.append("track %d at %d: %s" % (number, tick, message.copy(time=0)))
        for (channel, key), waiting in sounding.items():
            for start, velocity in waiting:
                notes.append((start, channel, key, tick, velocity))
        for start, channel, key, end, velocity in sorted(notes):
            lines.append("track %d note ch %d key %d ticks %d-%d vel %d"
                         % (number, channel, key, start, end, velocity))
    return "\n".join(lines) + "\n"


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.stderr.write(__doc__)
        sys.exit(2)
    sys.stdout.write(describe(sys.argv[1]))
