// The parameter block: the filter's whole configuration and, byte for byte, its stored
// settings. Offsets and widths are a file format; every one is pinned below.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/InterfaceIds.h"

inline constexpr GUID kParamsFormatTag = {
    0x3F8151FF, 0x0F01, 0x4A54, {0x90, 0x30, 0x83, 0x61, 0xFE, 0xFA, 0xAB, 0xFD}};
inline constexpr uint16_t kParamsFormatVersion = 1;

struct ArpeggiatorParams {
    int32_t leftHandBottom;
    int32_t leftHandSpan;
    int32_t arpBottom;
    int32_t arpSpan;
    int32_t swing;
    int32_t rateUnits;
    int32_t noteValue;
    int32_t pathDirection;
    int32_t rateAmount;
    int32_t legato;
    int32_t playOriginals;
    int32_t leftHandWindowOn;
    int32_t keepInRange;
    GUID formatTag;
    uint16_t formatVersion;
    uint8_t reserved[2];
    int32_t enabled;
};

static_assert(sizeof(ArpeggiatorParams) == 76);
static_assert(offsetof(ArpeggiatorParams, leftHandBottom) == 0);
static_assert(offsetof(ArpeggiatorParams, leftHandSpan) == 4);
static_assert(offsetof(ArpeggiatorParams, arpBottom) == 8);
static_assert(offsetof(ArpeggiatorParams, arpSpan) == 12);
static_assert(offsetof(ArpeggiatorParams, swing) == 16);
static_assert(offsetof(ArpeggiatorParams, rateUnits) == 20);
static_assert(offsetof(ArpeggiatorParams, noteValue) == 24);
static_assert(offsetof(ArpeggiatorParams, pathDirection) == 28);
static_assert(offsetof(ArpeggiatorParams, rateAmount) == 32);
static_assert(offsetof(ArpeggiatorParams, legato) == 36);
static_assert(offsetof(ArpeggiatorParams, playOriginals) == 40);
static_assert(offsetof(ArpeggiatorParams, leftHandWindowOn) == 44);
static_assert(offsetof(ArpeggiatorParams, keepInRange) == 48);
static_assert(offsetof(ArpeggiatorParams, formatTag) == 52);
static_assert(offsetof(ArpeggiatorParams, formatVersion) == 68);
static_assert(offsetof(ArpeggiatorParams, reserved) == 70);
static_assert(offsetof(ArpeggiatorParams, enabled) == 72);

// Older stored settings carry only the fields up to keepInRange.
inline constexpr uint32_t kParamsShortFormSize = offsetof(ArpeggiatorParams, formatTag);
static_assert(kParamsShortFormSize == 52);

enum RateUnits : int32_t { kRateNotes = 0, kRateTicks = 1, kRateMilliseconds = 2 };
enum PathDirection : int32_t { kPathUpDown = 0, kPathDownUp = 1, kPathUpUp = 2, kPathDownDown = 3 };

// The block a new filter starts with. The reserved bytes have no reader; they start at 0 so
// that a fresh object saves a deterministic image.
constexpr ArpeggiatorParams DefaultArpeggiatorParams() {
    return ArpeggiatorParams{
        .leftHandBottom = 24,
        .leftHandSpan = 24,
        .arpBottom = 36,
        .arpSpan = 60,
        .swing = 10,
        .rateUnits = kRateMilliseconds,
        .noteValue = 0,
        .pathDirection = kPathUpDown,
        .rateAmount = 100,
        .legato = 50,
        .playOriginals = 0,
        .leftHandWindowOn = 0,
        .keepInRange = 1,
        .formatTag = kParamsFormatTag,
        .formatVersion = kParamsFormatVersion,
        .reserved = {0, 0},
        .enabled = 1,
    };
}
