// The DPF plug-in's process() for one 256-frame block at 48 kHz with 0, 4 and 64 MIDI events,
// in CLAP and VST3, through each format's entry point with the short hosts of tests/dpf, beside
// the LV2 run() of Lv2RunBench (the same events: half of them press keys at frame 10, half
// release them at frame 200, with the played notes passed through). The figures include what
// those hosts do per block: the CLAP host refills its event list, the VST3 host builds its lists
// afresh, so they are an upper bound of the plug-in's own cost.
#include <benchmark/benchmark.h>

#include "FormatHost.h"
#include "ParameterTable.h"
#include "Ports.h"

namespace {

constexpr uint32_t kBlock = 256;

void Run(benchmark::State& state, std::unique_ptr<FormatHost> host) {
    if (!host->Loaded()) {
        state.SkipWithError("the plug-in did not load");
        return;
    }
    const auto ports = ControlPorts();
    for (uint32_t i = 0; i < ports.size(); ++i) {
        if (ports[i].symbol == "playOriginals") host->SetParameter(dpfparams::ParameterOf(i), 1);
    }
    std::vector<BlockMidi> in, out;
    const auto events = static_cast<int>(state.range(0));
    for (int i = 0; i < events / 2; ++i)
        in.push_back({10, {0x90, static_cast<uint8_t>(48 + i % 40), 100}});
    for (int i = 0; i < events / 2; ++i)
        in.push_back({200, {0x80, static_cast<uint8_t>(48 + i % 40), 0}});
    int64_t frame = 0;
    for (auto _ : state) {
        out.clear();
        host->Run(kBlock, {true, 120.0, frame}, in, out);
        frame += kBlock;
    }
}

void BM_ClapRun(benchmark::State& state) { Run(state, LoadClap(48000.0, kBlock)); }
void BM_Vst3Run(benchmark::State& state) { Run(state, LoadVst3(48000.0, kBlock)); }
BENCHMARK(BM_ClapRun)->ArgName("events")->Arg(0)->Arg(4)->Arg(64);
BENCHMARK(BM_Vst3Run)->ArgName("events")->Arg(0)->Arg(4)->Arg(64);

}  // namespace

BENCHMARK_MAIN();
