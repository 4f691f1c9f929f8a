// The bundle's ports: three atom ports, then one control port per setting of the parameter
// block. The plug-in binds its port buffers by these indices and the TTL generator writes its
// port descriptions from this one table, so the binary and the bundle's data cannot disagree.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "engine/ArpeggiatorParams.h"

namespace lv2ports {

inline constexpr uint32_t kMidiIn = 0;   // atom sequence: MIDI and time:Position
inline constexpr uint32_t kMidiOut = 1;  // atom sequence: MIDI
inline constexpr uint32_t kNotify = 2;   // atom sequence: patch:Set of the chord name
inline constexpr uint32_t kFirstControl = 3;
inline constexpr uint32_t kControlCount = 14;
inline constexpr uint32_t kPortCount = kFirstControl + kControlCount;

}  // namespace lv2ports

enum class ControlKind {
    Number,   // an integer within min..max
    Toggle,   // 0 or 1
    Options,  // an index into `options`, shown by its text
};

struct ControlPort {
    std::string_view symbol;  // the parameter block's field name, as arpeggiate --set takes it
    std::string_view name;    // what hosts show
    int32_t ArpeggiatorParams::*member;
    int32_t min;  // the range the editor page keeps
    int32_t max;
    ControlKind kind;
    std::span<const std::string_view> options;  // by value, for ControlKind::Options
    std::string_view unit;                      // local name in the LV2 units vocabulary
    std::string_view comment;

    int32_t In(const ArpeggiatorParams& params) const { return params.*member; }
    int32_t& In(ArpeggiatorParams& params) const { return params.*member; }
    uint32_t Index() const;
};

// In port order: port lv2ports::kFirstControl + i is ControlPorts()[i]. `enabled` is last and
// is the host's bypass switch.
std::span<const ControlPort> ControlPorts();

// The value a port's float stands for, within the port's range.
int32_t ControlValue(const ControlPort& port, float value);
// Narrows each span so that the top of its window or range stays at or below key 127, as the
// editor page does.
void NarrowSpans(ArpeggiatorParams& params);
