// The settings as a musician types them: FIELD=VALUE with the parameter block's field names,
// numbers within the ranges the editor page keeps, and the option fields also by their texts.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "engine/ArpeggiatorParams.h"
#include "host/ParamFields.h"

struct SettingLimits {
    std::string_view name;
    int32_t min;
    int32_t max;
    std::span<const std::string_view> texts;  // option names by value, empty for numbers
    bool isSwitch;                            // 0/1, also "off"/"on"
    std::string_view meaning;
};

struct SettingAssignment {
    const ParamField* field;
    int32_t value;
};

// The limits of one field, or nullptr. Every field of ParamFields() has an entry.
const SettingLimits* FindSettingLimits(std::string_view name);

// Parses "FIELD=VALUE". Texts match without regard to case or spaces ("up,up" is "Up, Up").
// Throws std::invalid_argument with a message a musician can act on: the known fields, or the
// field's range and texts.
SettingAssignment ParseSetting(std::string_view text);

// The two ranges whose top depends on two fields: returns a message when the window or the
// arpeggio range reaches above key 127 and one of its fields is among `changed`, else an empty
// string. A range nobody changed is used as it stands, as the filter itself does.
std::string CheckRangeTops(const ArpeggiatorParams& params,
                           std::span<const SettingAssignment> changed);

// One line per field: name, range or texts, default, meaning. For --help.
std::string DescribeSettings();

// The settings in one line for a musician: "Up, Down, 100 ms steps, swing 10%, ...".
std::string SettingsLine(const ArpeggiatorParams& params);
