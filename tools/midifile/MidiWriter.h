// Writes a Standard MIDI File from the in-memory model.
#pragma once

#include <cstdint>
#include <vector>

#include "midifile/MidiFile.h"

namespace midi {

// Channel messages use running status; a meta or system-exclusive event ends it, so strict
// readers accept the result. Each track ends with an end-of-track event at the later of its
// endTick and its last event. Throws std::invalid_argument for what a file cannot hold: a
// format other than 0 or 1, a format 0 file with other than one track, events out of tick
// order, a delta time or payload length above 28 bits, a channel status outside
// 0x80..0xEF, or data bytes of 0x80 and above.
std::vector<uint8_t> WriteFile(const File& file);

}  // namespace midi
