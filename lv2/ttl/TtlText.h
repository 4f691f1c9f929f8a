// The bundle's Turtle files, made from the port table, the option names and the presets, so
// that what hosts read about the ports is what the binary does with them.
#pragma once

#include <string>
#include <string_view>

// manifest.ttl: the plug-in, its binary and data file, and the presets.
std::string ManifestTtl(std::string_view binaryName);
// arpeggiator.ttl: the plug-in and its ports.
std::string PluginTtl();
// presets.ttl: every preset with a value for every control port but the bypass switch.
std::string PresetsTtl();
