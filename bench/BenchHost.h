// Benchmark fixtures: a filter on a simulated host, with inputs laid out before timing starts so
// that a timed iteration is one filter call and nothing else of note.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

#include <benchmark/benchmark.h>

#include "engine/Arpeggiator.h"
#include "host/HostObjects.h"

class BenchFilter {
public:
    explicit BenchFilter(uint32_t lookAheadMs = 0)
        : converter(960, 500000),
          live(lookAheadMs),
          host(&converter, &aux, &live),
          filter(new CArpeggiator) {
        filter->StopMillisecondClock();
        host.AddRef();
        filter->AttachHost(&host);
    }
    ~BenchFilter() {
        filter->DetachHost();
        filter->Release();
    }
    BenchFilter(const BenchFilter&) = delete;
    BenchFilter& operator=(const BenchFilter&) = delete;

    ConstantTempoConverter converter;
    HostAuxService aux;
    HostLiveService live;
    SimHost host;
    CArpeggiator* filter;
};

// Per-call latency on top of Google Benchmark's mean: each call is timed on its own, and the
// 99th percentile and the worst call are reported as counters in microseconds.
class LatencyRecorder {
public:
    LatencyRecorder() { samples.reserve(1 << 20); }

    template <typename Call>
    void Time(Call call) {
        const auto start = std::chrono::steady_clock::now();
        call();
        const auto stop = std::chrono::steady_clock::now();
        if (samples.size() < samples.capacity()) {
            samples.push_back(std::chrono::duration<double, std::micro>(stop - start).count());
        }
    }

    void Report(benchmark::State& state) {
        if (samples.empty()) return;
        std::sort(samples.begin(), samples.end());
        state.counters["p99_us"] = samples[samples.size() * 99 / 100];
        state.counters["max_us"] = samples.back();
    }

private:
    std::vector<double> samples;
};
