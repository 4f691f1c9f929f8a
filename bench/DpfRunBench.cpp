// The DPF plug-in's process() for one 256-frame block at 48 kHz with 0, 4 and 64 MIDI events,
// in CLAP and VST3, through each format's entry point with the short hosts of tests/dpf, beside
// the LV2 run() of Lv2RunBench (the same events: half of them press keys at frame 10, half
// release them at frame 200, with the played notes passed through). The figures include what
// those hosts do per block: the CLAP host refills its event list, the VST3 host builds its lists
// afresh, so they are an upper bound of the plug-in's own cost.
#include <benchmark/benchmark.h>

#include "FormatBlock.h"

namespace {

void Run(benchmark::State& state, std::unique_ptr<FormatHost> host) {
    if (!host->Loaded()) {
        state.SkipWithError("the plug-in did not load");
        return;
    }
    const std::vector<BlockMidi> in = PrepareFormatBlock(*host, static_cast<int>(state.range(0)));
    std::vector<BlockMidi> out;
    int64_t frame = 0;
    for (auto _ : state) {
        out.clear();
        host->Run(kFormatBlock, {true, 120.0, frame}, in, out);
        frame += kFormatBlock;
    }
}

void BM_ClapRun(benchmark::State& state) { Run(state, LoadClap(48000.0, kFormatBlock)); }
void BM_Vst3Run(benchmark::State& state) { Run(state, LoadVst3(48000.0, kFormatBlock)); }
BENCHMARK(BM_ClapRun)->ArgName("events")->Arg(0)->Arg(4)->Arg(64);
BENCHMARK(BM_Vst3Run)->ArgName("events")->Arg(0)->Arg(4)->Arg(64);

}  // namespace

BENCHMARK_MAIN();
