// Per-call cost of the real-time calls, each beside the same call with the effect bypassed.
#include <memory>

#include "bench/BenchScenarios.h"
#include "bench/LatencyRecorder.h"
#include "engine/Arpeggiator.h"
#include "host/MemoryStream.h"

namespace {

void BM_FilterEvents(benchmark::State& state) {
    const auto notes = static_cast<int32_t>(state.range(0));
    const bool enabled = state.range(1) == 1;
    EventsScenario scenario(notes, enabled);
    for (auto _ : state) scenario.Step();
    ReportCallLatency(state, [&] { return std::make_unique<EventsScenario>(notes, enabled); });
}
BENCHMARK(BM_FilterEvents)->ArgNames({"notes", "enabled"})->ArgsProduct({{0, 4, 64}, {1, 0}});

void BM_FilterLiveInput(benchmark::State& state) {
    const bool batch = state.range(0) == 1;
    const bool enabled = state.range(1) == 1;
    LiveScenario scenario(batch, enabled);
    for (auto _ : state) scenario.Step();
    ReportCallLatency(state, [&] { return std::make_unique<LiveScenario>(batch, enabled); });
}
BENCHMARK(BM_FilterLiveInput)->ArgNames({"batch16", "enabled"})->ArgsProduct({{0, 1}, {1, 0}});

void BM_Recognize(benchmark::State& state) {
    CChordRecognizer recognizer;
    const int32_t shapes[][4] = {{55, 59, 62, 65}, {60, 61, 62, 63}, {64, 67, 72, 76}};
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(recognizer.Recognize(shapes[i % 3], 4));
        ++i;
    }
}
BENCHMARK(BM_Recognize);

void BM_SaveLoad(benchmark::State& state) {
    AttachedFilter bench;
    MemoryStream stream;
    const bool load = state.range(0) == 1;
    bench.filter->Save(&stream, 0);
    for (auto _ : state) {
        stream.Rewind();
        benchmark::DoNotOptimize(load ? bench.filter->Load(&stream)
                                      : bench.filter->Save(&stream, 0));
    }
}
BENCHMARK(BM_SaveLoad)->ArgName("load")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
