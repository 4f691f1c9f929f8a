// What the fuzz targets share: one filter per process on a simulated host with its clock
// stopped, brought to the same starting state before every input through its own operations
// (FilterRest.h), and checks that abort the run (so the fuzzer keeps the input) when an
// invariant breaks.
//
// Constructing a filter starts its millisecond timer thread, which costs more than most inputs
// do; one filter per process keeps the fuzzers' time in the code under test. Every input starts
// from rest, so a finding reproduces from its file alone, whatever ran before it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "engine/Arpeggiator.h"
#include "engine/FilterAccess.h"
#include "host/AttachedFilter.h"

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

// The host an input plays on: its tempo, the look-ahead its live service reports at attach
// time, and which services AttachHost finds.
struct HostShape {
    enum Services : uint8_t { kAll, kNoLive, kNoAux, kNoConverter, kServicesCount };

    int32_t ticksPerQuarter = 960;
    int64_t usPerQuarter = 500000;
    uint32_t lookAheadMs = 100;
    Services services = kAll;
};

// The editor page as the engine sees it, ready for chord texts or not, its window open or not.
// A refresh reads the block under the filter's lock, as the page's does.
class FuzzPage final : public IEditorPageLink {
public:
    explicit FuzzPage(FilterAccess filterDoor) : door(filterDoor) {}
    bool IsReadyForChordText() override { return ready; }
    void PostChordNotification() override {}
    bool WindowExists() override { return windowExists; }
    void RefreshAllControls() override {
        ++refreshes;
        shown = door.ReadParams();
    }

    FilterAccess door;
    bool ready = false;
    bool windowExists = false;
    int refreshes = 0;
    ArpeggiatorParams shown{};
};

class FuzzFilter : public AttachedFilter {
public:
    // The process's one filter, made on first use.
    static FuzzFilter& Shared();

    // Starts an input: the filter at rest, the host reshaped, `params` written, the filter
    // attached to the host's services (AttachHost fails without a time converter).
    void Begin(const HostShape& shape, const ArpeggiatorParams& params);
    // Ends an input: detaching must hand back every host service, whatever the input did;
    // the page is unbound.
    void End();

    // Attaches (again) to a host that offers these services; returns AttachHost's status.
    HRESULT AttachTo(HostShape::Services services);
    // The host's tempo and look-ahead; the filter reads the tempo on every conversion and the
    // look-ahead at its next attach.
    void Reshape(const HostShape& shape);

    // Messages waiting in the live path.
    size_t Pending() const;

    // Runs output records through the range checks that every generated note must pass.
    void CheckPlayback(const EventQueue& output) const;
    void CheckLive(const MessageQueue& output) const;

    // The page an input may bind and unbind.
    FuzzPage page{Door()};

private:
    FuzzFilter();

    SimHost withoutLive{&converter, &aux, nullptr};
    SimHost withoutAux{&converter, nullptr, &live};
    SimHost withoutConverter{nullptr, &aux, &live};
};
