// The texts the editor page shows: the module's string table and the names of keys.
// [ui thread], except where a function says otherwise.
#pragma once

#include <cstdint>
#include <string>

#include "controls/win/Win32.h"

namespace pagetext {

// A string of the module's own string table (never the host's); empty when it is missing.
// `capacity` characters at most, the rest cut off. [any thread]
std::wstring Load(UINT id, size_t capacity = 256);

// Entry `index` of `count` consecutive strings from `firstId`. A stored setting may hold any
// number: outside the table the number itself is shown, marked "?" (for example "7?"), and no
// string past the table is read.
std::wstring Option(UINT firstId, int32_t count, int32_t index);

// The name of a MIDI key: pitch class and octave, "C0" for 0, "C#5" for 61, "G10" for 127.
// Outside 0..127 (only stored settings get there) the name is "?".
std::wstring PitchName(int32_t key);

// "%ld (%s)" of a key and its name, as the range boxes show it: "36 (C3)".
std::wstring KeyText(int32_t key);

}  // namespace pagetext
