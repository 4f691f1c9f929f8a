// Structured values read from a fuzz input with libFuzzer's data provider: settings in the
// editor's range, at the edges of the 32-bit range, or anything, so that a few bytes reach an
// extreme block or host as readily as an ordinary one.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>

#include "engine/ArpeggiatorParams.h"
#include "fuzz/FuzzHost.h"

// A value in low .. high (the range a writer keeps), an edge value, or any 32-bit value.
int32_t ConsumeSetting(FuzzedDataProvider& in, int32_t low, int32_t high);
// Field `index` (0..12) of the block, as ConsumeSetting reads it with the editor's range.
int32_t ConsumeField(FuzzedDataProvider& in, int index);
// A whole block: every field by ConsumeField; the tag, version and `enabled` mostly as a
// writer stores them.
ArpeggiatorParams ConsumeParams(FuzzedDataProvider& in);
// A tempo (including 0 and negative ones), a look-ahead and the services the host offers.
HostShape ConsumeHostShape(FuzzedDataProvider& in);
// A song position: near the start, one of the range's edges, or anywhere.
int32_t ConsumeTick(FuzzedDataProvider& in);

inline constexpr int kParamsFieldCount = 13;
