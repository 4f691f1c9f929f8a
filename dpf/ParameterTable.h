// The DPF plug-in's parameters: the recognised chord's root as an output, for the formats that
// have no string a plug-in can publish; then one per setting, described from the LV2 bundle's
// port table (Ports.h) so that names, ranges, defaults and option texts are the same
// everywhere, with `enabled` as the host's bypass switch (inverted: 1 bypasses). [any thread]
//
// The output comes first because Debian's DPF (1.6) takes a VST3 plug-in's first parameter for
// one of its own MIDI controller parameters when a host reads or sets it through the edit
// controller (it reads 0 and refuses a value; processing is not affected): a value only shown
// bears that best. A setting's index is its place in the port table; a parameter's is DPF's.
#pragma once

#include <cstdint>
#include <string_view>

#include "DistrhoPlugin.hpp"
#include "Ports.h"

namespace dpfparams {

inline constexpr uint32_t kChordRoot = 0;
inline constexpr uint32_t kFirstSetting = 1;
inline constexpr uint32_t kSettingCount = lv2ports::kControlCount;
inline constexpr uint32_t kCount = kFirstSetting + kSettingCount;
inline constexpr uint32_t kBypassSetting = kSettingCount - 1;  // `enabled`, last in the table

// A parameter's setting, kSettingCount for the output or an index out of range; and back.
constexpr uint32_t SettingOf(uint32_t parameter) {
    return parameter >= kFirstSetting && parameter < kCount ? parameter - kFirstSetting
                                                            : kSettingCount;
}
constexpr uint32_t ParameterOf(uint32_t setting) { return kFirstSetting + setting; }

// The chord root output: 0 while no chord is named, 1 + the root's pitch class (C = 0).
inline constexpr int32_t kNoChord = 0;

void Describe(uint32_t index, DISTRHO_NAMESPACE::Parameter& parameter);

// A setting's value for its parameter's value (the bypass inverted), within its range; and back.
int32_t SettingFromValue(uint32_t setting, float value);
float ValueFromSetting(uint32_t setting, int32_t value);

// The output's value for a chord name as the engine writes it ("G 7 1st inversion").
int32_t ChordRootOf(std::string_view name);

}  // namespace dpfparams
