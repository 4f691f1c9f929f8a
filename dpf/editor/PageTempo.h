// The page's time converter in a VST3 or CLAP host: the host's tempo as the plug-in last read
// it, constant, at the engine's 960 ticks per quarter note, so that a change of the rate's units
// converts as it does in the property frame. [ui thread]; the tempo is written by the run thread.
#pragma once

#include <atomic>
#include <cmath>

#include "HostServices.h"

class PageTempo final : public HostObject<IHostTimeConverter> {
public:
    explicit PageTempo(const std::atomic<double>& quartersPerMinute) : tempo(quartersPerMinute) {}

    int32_t STDMETHODCALLTYPE TicksToMs(int32_t ticks) override {
        return Rounded(ticks * 60000.0 / (kTicksPerQuarter * Tempo()));
    }
    int32_t STDMETHODCALLTYPE MsToTicks(int32_t ms) override {
        return Rounded(ms * kTicksPerQuarter * Tempo() / 60000.0);
    }
    int32_t STDMETHODCALLTYPE GetTicksPerQuarter() override { return kTicksPerQuarter; }

private:
    static constexpr int32_t kTicksPerQuarter = SampleClockConverter::kTicksPerQuarter;
    const IID& OwnIid() const override { return ids::HostTimeConverter; }
    double Tempo() const {
        const double bpm = tempo.load(std::memory_order_relaxed);
        return bpm > 0.0 ? bpm : 120.0;
    }
    // Within int32_t for every rate the page stores (at most 100,000 at 1 to 999 BPM).
    static int32_t Rounded(double value) { return static_cast<int32_t>(std::lround(value)); }

    const std::atomic<double>& tempo;
};
