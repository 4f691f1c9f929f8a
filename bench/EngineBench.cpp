// Per-call cost of the real-time calls, each beside the same call with the effect bypassed.
#include <cstring>

#include "bench/BenchHost.h"

namespace {

constexpr int32_t kWindowTicks = 120;  // what a host hands over at 120 BPM every ~60 ms
constexpr int32_t kSongTicks = 960 * 4 * 64;

// A playback window with `notes` notes spread over it, advanced through a 64-bar song; the
// notes are moved into each new window in place, so the queue never reallocates.
void BM_FilterEvents(benchmark::State& state) {
    BenchFilter bench;
    const auto notes = static_cast<int32_t>(state.range(0));
    bench.filter->params->enabled = static_cast<int32_t>(state.range(1));
    bench.filter->params->rateUnits = kRateNotes;
    bench.filter->params->noteValue = 2;
    EventQueue input;
    EventQueue output;
    output.records.reserve(1 << 16);
    for (int32_t i = 0; i < notes; ++i) {
        EventRecord r{};
        r.key = static_cast<uint8_t>(48 + (i * 7) % 36);
        r.velocity = 100;
        r.duration = 480;
        input.records.push_back(r);
    }
    LatencyRecorder latency;
    int32_t from = 0;
    for (auto _ : state) {
        for (int32_t i = 0; i < notes; ++i) {
            input.records[static_cast<size_t>(i)].time =
                static_cast<uint32_t>(from + i * kWindowTicks / std::max(notes, 1));
        }
        output.records.clear();
        latency.Time(
            [&] { bench.filter->FilterEvents(from, from + kWindowTicks - 1, &input, &output); });
        from = (from + kWindowTicks) % kSongTicks;
    }
    latency.Report(state);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FilterEvents)->ArgNames({"notes", "enabled"})->ArgsProduct({{0, 4, 64}, {1, 0}});

// A tick with keys held and the full look-ahead to fill, or a batch of 16 note messages.
void BM_FilterLiveInput(benchmark::State& state) {
    BenchFilter bench(500);
    const bool batch = state.range(0) == 1;
    bench.filter->params->enabled = static_cast<int32_t>(state.range(1));
    bench.filter->params->rateUnits = kRateTicks;
    bench.filter->params->rateAmount = 60;
    bench.filter->params->playOriginals = 1;

    MessageQueue hold;
    hold.records = {{0, 0x90, 60, 100, 0}, {0, 0x90, 64, 100, 0}, {0, 0x90, 67, 100, 0}};
    MessageQueue output;
    output.records.reserve(1 << 16);
    bench.filter->FilterLiveInput(&hold, &output);

    MessageQueue messages;
    for (int i = 0; i < 16; ++i) {
        const auto key = static_cast<uint8_t>(72 + i % 8);
        messages.records.push_back({0, static_cast<uint8_t>(i < 8 ? 0x90 : 0x80), key, 90, 0});
    }
    MessageQueue tick;
    MessageQueue* input = batch ? &messages : &tick;

    LatencyRecorder latency;
    for (auto _ : state) {
        output.records.clear();
        bench.filter->msClock.store(bench.filter->msClock.load() + 10);
        latency.Time([&] { bench.filter->FilterLiveInput(input, &output); });
    }
    latency.Report(state);
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

class MemoryStream final : public IStream {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** object) override {
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Read(void* buffer, ULONG size, ULONG* read) override {
        const ULONG n = std::min<ULONG>(size, 76);
        std::memcpy(buffer, bytes, n);
        *read = n;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Write(const void* buffer, ULONG size, ULONG* written) override {
        const ULONG n = std::min<ULONG>(size, 76);
        std::memcpy(bytes, buffer, n);
        *written = n;
        return S_OK;
    }
    uint8_t bytes[76] = {};
};

void BM_SaveLoad(benchmark::State& state) {
    BenchFilter bench;
    MemoryStream stream;
    const bool load = state.range(0) == 1;
    bench.filter->Save(&stream, 0);
    for (auto _ : state) {
        benchmark::DoNotOptimize(load ? bench.filter->Load(&stream)
                                      : bench.filter->Save(&stream, 0));
    }
}
BENCHMARK(BM_SaveLoad)->ArgName("load")->Arg(0)->Arg(1);

}  // namespace

BENCHMARK_MAIN();
