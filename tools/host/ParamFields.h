// The parameter block's settings by their field names. Tools that read settings from text,
// and any page that wants to address a setting by name, go through this one table so that a
// name cannot mean different fields in different places.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "engine/ArpeggiatorParams.h"

struct ParamField {
    std::string_view name;
    int32_t ArpeggiatorParams::*member;

    int32_t& In(ArpeggiatorParams& params) const { return params.*member; }
    int32_t In(const ArpeggiatorParams& params) const { return params.*member; }
};

// Every 32-bit setting of the block, in block order (`enabled` last). The format tag and
// version are not settings and have no entry.
std::span<const ParamField> ParamFields();

// The field of that exact name, or nullptr.
const ParamField* FindParamField(std::string_view name);
