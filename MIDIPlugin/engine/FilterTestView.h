// Tests only: a read-only look at a filter's inner state, for tests that check what the engine
// keeps between calls (end times, held keys, the pending list), and the few changes a test
// injects. Everything else a test does to a filter goes through FilterAccess, as the tools do.
#pragma once

#include "engine/Arpeggiator.h"

class FilterTestView {
public:
    explicit FilterTestView(CArpeggiator& target) : filter(target) {}

    const ArpeggiatorState& State() const { return filter; }

    // The block without the lock, for single-threaded test set-up.
    ArpeggiatorParams& ParamsUnlocked() const { return *filter.params; }

    // The two objects persistence sees without a block (Load and Save then do nothing): a size
    // of 0, or no block at all (ReadParams must not be called on that one).
    void SetParamsSize(uint32_t size) const { filter.paramsSize = size; }
    void FreeParams() const { filter.params.reset(); }

private:
    CArpeggiator& filter;
};
