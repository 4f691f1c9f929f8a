// The 99th percentile and the worst case of one call, measured so that a busy machine does not
// count against the call: a deterministic scenario is replayed from scratch several times, each
// call is timed on its own, and for every call index the fastest of the replays is kept. What
// remains is the work of the call itself (cache misses included), not the preemptions that hit
// one replay or another.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <limits>
#include <vector>

#include <benchmark/benchmark.h>

template <typename MakeScenario>
void ReportCallLatency(benchmark::State& state, MakeScenario makeScenario, size_t calls = 20000,
                       int replays = 5) {
    std::vector<double> fastest(calls, std::numeric_limits<double>::infinity());
    for (int replay = 0; replay < replays; ++replay) {
        auto scenario = makeScenario();
        for (size_t i = 0; i < calls; ++i) {
            const auto start = std::chrono::steady_clock::now();
            scenario->Step();
            const auto stop = std::chrono::steady_clock::now();
            fastest[i] = std::min(fastest[i],
                                  std::chrono::duration<double, std::micro>(stop - start).count());
        }
    }
    std::sort(fastest.begin(), fastest.end());
    state.counters["p99_us"] = fastest[calls * 99 / 100];
    state.counters["max_us"] = fastest.back();
}
