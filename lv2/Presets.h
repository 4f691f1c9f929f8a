// The presets the bundle ships, each a whole set of settings: the TTL generator writes every
// control port but the bypass switch from them, so loading one resets what it does not name.
#pragma once

#include <span>
#include <string_view>

#include "engine/ArpeggiatorParams.h"

struct Preset {
    std::string_view slug;   // last part of the preset's URI and its file name
    std::string_view label;  // what hosts list
    std::string_view comment;
    ArpeggiatorParams params;
};

std::span<const Preset> Presets();
