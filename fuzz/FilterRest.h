// Brings a used filter back to one fixed state, through its own operations only (transport,
// detach and attach, parameter writes, playback windows and live batches), so that a fuzz
// target can reuse one filter for every input and still have each input start alike.
//
// The state at rest is a new filter's, detached, with its clock at 0, nothing pending, no page
// bound and no chord text kept for one, the default block and every key table empty, except
// for what no operation can give back:
//   - chordRoot and liveChordRoot hold C (0). A new filter holds -1 there, "no chord yet",
//     and only a recognised chord ever writes them. The accent of an arpeggio note is taken
//     from its interval above that root, so an input never sees the velocities a new filter
//     plays before its first chord.
//   - The chord recogniser holds the result of a single C: root C, row 0, root position, as a
//     new one does, with a note mask of 1 where a new one holds 0 (read only by the next
//     recognition, which writes it first).
//   - The cursors of both paths and the playback step template hold what the rest sequence
//     left; each arpeggio start overwrites them before they are read. liveStepLength and the
//     chord scan's scratch list keep what the last input left: each is written before it is
//     read.
// Everything else that the filter keeps between calls is the same as after construction.
#pragma once

#include "host/AttachedFilter.h"

// Leaves `filter` detached and at rest; its host's tempo and look-ahead are the rest values
// (960 ticks per quarter at 120 BPM, no look-ahead). [the filter's only caller]
void BringToRest(AttachedFilter& filter);
