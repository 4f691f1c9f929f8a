// The LV2 plug-in's run() for one 256-frame block at 48 kHz with 0, 4 and 64 MIDI events in
// it, through the built library as a host loads it. Each block presses half of its events'
// keys at frame 10 and releases them at frame 200, so the engine starts and stops an arpeggio
// in every block; the input is laid out once and run() is all that is timed.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "Lv2TestHost.h"
#include "bench/LatencyRecorder.h"

namespace {

class Lv2RunScenario {
public:
    explicit Lv2RunScenario(int events) {
        host.Set("playOriginals", 1);
        std::vector<TimedMidi> midi;
        for (int i = 0; i < events / 2; ++i) midi.push_back(NoteOn(10, 48 + i % 40));
        for (int i = 0; i < events / 2; ++i) midi.push_back(NoteOff(200, 48 + i % 40));
        host.Prepare(kBlock, midi);
    }
    void Step() { host.RunPrepared(kBlock); }

    static constexpr uint32_t kBlock = 256;
    Lv2TestHost host{48000.0, 65536, false};
};

void BM_Lv2Run(benchmark::State& state) {
    const auto events = static_cast<int>(state.range(0));
    Lv2RunScenario scenario(events);
    if (!scenario.host.Loaded()) {
        state.SkipWithError("the LV2 library did not load");
        return;
    }
    for (auto _ : state) scenario.Step();
    ReportCallLatency(
        state, [&] { return std::make_unique<Lv2RunScenario>(events); }, 5000);
}
BENCHMARK(BM_Lv2Run)->ArgName("events")->Arg(0)->Arg(4)->Arg(64);

}  // namespace

BENCHMARK_MAIN();
