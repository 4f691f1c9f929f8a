// The names of the option settings, by the index the parameter block stores. The DLL's string
// table carries the same texts (path directions 14-17, rate units 18-20, note values 21-31, in
// this order); tools that read or show settings as text use these arrays.
#pragma once

#include <array>
#include <string_view>

namespace optionnames {

// pathDirection
inline constexpr std::array<std::string_view, 4> kPathDirections = {"Up, Down", "Down, Up",
                                                                    "Up, Up", "Down, Down"};

// rateUnits
inline constexpr std::array<std::string_view, 3> kRateUnits = {"Notes", "MIDI Ticks",
                                                               "Milliseconds"};

// noteValue: a triplet ("T") step lasts 0.66 of the straight value.
inline constexpr std::array<std::string_view, 11> kNoteValues = {
    "1/32", "1/32 T", "1/16", "1/16 T", "1/8", "1/8 T", "1/4", "1/4 T", "1/2", "1/2 T", "Whole"};

}  // namespace optionnames
