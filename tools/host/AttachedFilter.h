// A filter on a simulated host at a constant tempo, created and attached as a host does, with its
// millisecond clock stopped so that only the owner moves msClock. The common starting point of
// the scripted host, the tests, the fuzz targets and the benchmarks.
#pragma once

#include <cstdint>

#include "engine/Arpeggiator.h"
#include "engine/FilterAccess.h"
#include "host/HostObjects.h"

struct HostSetup {
    int32_t ticksPerQuarter = 960;
    int64_t usPerQuarter = 500000;  // 120 BPM
    uint32_t lookAheadMs = 0;
    // Which services AttachHost finds.
    bool timeConverter = true;
    bool aux = true;
    bool live = true;
};

class AttachedFilter {
public:
    explicit AttachedFilter(const HostSetup& setup = {});
    ~AttachedFilter();
    AttachedFilter(const AttachedFilter&) = delete;
    AttachedFilter& operator=(const AttachedFilter&) = delete;

    // Attaches (again) to the simulated host, handing over a reference of the host's own.
    HRESULT Attach();

    CArpeggiator* operator->() const { return filter; }
    FilterAccess Door() const { return FilterAccess(*filter); }

    ConstantTempoConverter converter;
    HostAuxService aux;
    HostLiveService live;
    SimHost host;
    CArpeggiator* const filter;
};
