// Keys that make the chord recogniser name a given chord, for showing that chord on a page:
// the renderer plays them into the filter's left-hand window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The first close voicing, lowest key at or above `bottom`, that the recogniser names `text`
// ("G 7 1st inversion") and that lies below the window's top key (`bottom` + `span`, which the
// window's scan leaves out). Roots, rows and bass notes are tried in the dictionary's order.
// Throws std::invalid_argument when no such voicing fits the window.
std::vector<int32_t> KeysForChord(const std::wstring& text, int32_t bottom, int32_t span);
