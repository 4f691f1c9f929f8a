// What the fuzz targets share: a filter attached to a simulated host with its clock stopped,
// and checks that abort the run (so the fuzzer records the input) when an invariant breaks.
#pragma once

#include <cstdio>
#include <cstdlib>

#include "engine/Arpeggiator.h"
#include "host/AttachedFilter.h"

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

class FuzzFilter : public AttachedFilter {
public:
    FuzzFilter(int32_t ticksPerQuarter = 960, int64_t usPerQuarter = 500000,
               uint32_t lookAheadMs = 100)
        : AttachedFilter({ticksPerQuarter, usPerQuarter, lookAheadMs}) {}
    // Detaching hands back every host service, whatever the calls before it did.
    ~FuzzFilter();

    // Runs output records through the range checks that every generated note must pass.
    void CheckPlayback(const EventQueue& output) const;
    void CheckLive(const MessageQueue& output) const;
    // One short playback and a few live calls with the current parameters.
    void PlayAndCheck();
};
