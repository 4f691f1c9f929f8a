// The DPF plug-in's parameters: one per setting, described from the LV2 bundle's port table
// (Ports.h) so that names, ranges, defaults and option texts are the same everywhere; `enabled`
// as the host's bypass switch (inverted: 1 bypasses); and the recognised chord's root as an
// output, for the formats that have no string a plug-in can publish. [any thread]
#pragma once

#include <cstdint>
#include <string_view>

#include "DistrhoPlugin.hpp"
#include "Ports.h"

namespace dpfparams {

inline constexpr uint32_t kSettingCount = lv2ports::kControlCount;
inline constexpr uint32_t kBypass = kSettingCount - 1;  // `enabled`, last in the port table
inline constexpr uint32_t kChordRoot = kSettingCount;
inline constexpr uint32_t kCount = kSettingCount + 1;

// The chord root output: 0 while no chord is named, 1 + the root's pitch class (C = 0).
inline constexpr int32_t kNoChord = 0;

void Describe(uint32_t index, DISTRHO_NAMESPACE::Parameter& parameter);

// The setting's value for a parameter value (the bypass inverted), within its range.
int32_t SettingFromValue(uint32_t index, float value);
float ValueFromSetting(uint32_t index, int32_t setting);

// The output's value for a chord name as the engine writes it ("G 7 1st inversion").
int32_t ChordRootOf(std::string_view name);

}  // namespace dpfparams
