// Reads a Standard MIDI File of format 0 or 1 with a ticks-per-quarter division.
#pragma once

#include <cstdint>
#include <span>

#include "midifile/MidiFile.h"
#include "midifile/MidiFileError.h"

namespace midi {

// Throws FileError, with the byte offset of the fault, for anything it cannot read: a damaged
// or truncated file, format 2, an SMPTE division, a chunk longer than the file, a
// variable-length number longer than 4 bytes, a tempo of 0, a song longer than kMaxTick.
// Running status is accepted, also across meta and system-exclusive events as many writers
// produce it; chunks of unknown type are skipped.
File ReadFile(std::span<const uint8_t> bytes);

}  // namespace midi
