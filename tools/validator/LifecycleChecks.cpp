// Loading, creating and destroying, many clocks at once, and calls from several threads.
#include <atomic>
#include <thread>

#include "engine/InterfaceIds.h"
#include "validator/Checks.h"
#include "validator/ComFilter.h"
#include "validator/RandomBlocks.h"

namespace {

HRESULT ModuleCanUnloadNow() {
    HMODULE module = GetModuleHandleW(L"Arpeggiator.dll");
    if (module == nullptr) return S_OK;  // already gone
    using CanUnload = HRESULT STDAPICALLTYPE();
    auto* canUnload = reinterpret_cast<CanUnload*>(
        reinterpret_cast<void (*)()>(GetProcAddress(module, "DllCanUnloadNow")));
    return canUnload != nullptr ? canUnload() : E_UNEXPECTED;
}

double CreateAttachRelease() {
    const double start = NowSeconds();
    { ComFilter filter; }
    return (NowSeconds() - start) * 1000;
}

}  // namespace

void CheckOpen(Report& report) {
    const bool loadedBefore = GetModuleHandleW(L"Arpeggiator.dll") != nullptr;
    const double cold = CreateAttachRelease();
    ComFilter keeper;  // keeps the module loaded for the warm figures
    double warm = 0;
    for (int i = 0; i < 100; ++i) warm += CreateAttachRelease();
    report.Check(
        "open cold and warm", keeper.ok() && !loadedBefore,
        Format("cold %.2f ms (load, create, attach, release), warm %.3f ms", cold, warm / 100));
}

void CheckCreateDestroy(Report& report) {
    int failures = 0;
    const double start = NowSeconds();
    for (int i = 0; i < 1000; ++i) {
        ComFilter filter;
        if (!filter.ok()) ++failures;
    }
    const double each = (NowSeconds() - start) * 1000 / 1000;
    const HRESULT canUnload = ModuleCanUnloadNow();
    report.Check("1000 create and destroy cycles, then unload", failures == 0 && canUnload == S_OK,
                 Format("%.3f ms each, %d refused, DllCanUnloadNow 0x%08lX", each, failures,
                        static_cast<unsigned long>(canUnload)));
}

// With a key held, a filter's steps come out only as its own clock moves on: each of 24 filters
// (more than the system's multimedia timers allow) must keep sending notes for a second.
void CheckManyClocks(Report& report) {
    constexpr int kFilters = 24;
    std::vector<std::unique_ptr<ComFilter>> filters;
    for (int i = 0; i < kFilters; ++i) {
        filters.push_back(std::make_unique<ComFilter>(100));
        ArpeggiatorParams p = DefaultArpeggiatorParams();
        p.rateUnits = kRateMilliseconds;
        p.rateAmount = 50;
        filters.back()->LoadParams(p);
        filters.back()->Live({{0, 0x90, 60, 100, 0}});
    }
    std::vector<int> noteOns(kFilters, 0);
    const double start = NowSeconds();
    while (NowSeconds() - start < 1.0) {
        for (int i = 0; i < kFilters; ++i) {
            for (const ShortMessageRecord& m : filters[static_cast<size_t>(i)]->Live({})) {
                if ((m.status & 0xF0) == 0x90 && m.data2 > 0) ++noteOns[static_cast<size_t>(i)];
            }
        }
        Sleep(5);
    }
    int fewest = noteOns[0];
    for (int n : noteOns) fewest = std::min(fewest, n);
    // 50 ms steps over a second: about 20 each; a stopped clock sends only the first.
    report.Check("24 filters at once, each clock running", fewest >= 8,
                 Format("fewest note-ons from one filter in 1 s: %d (about 20 expected)", fewest));
}

// Playback and live calls on two threads, settings loaded on a third, the clock running.
void CheckThreadStress(Report& report) {
    ComFilter filter(200);
    if (!filter.ok()) {
        report.Check("thread stress", false, "no filter");
        return;
    }
    std::atomic<long> outOfRange{0};
    const double start = NowSeconds();
    std::thread playback([&] {
        RandomBlocks blocks(10);
        for (int32_t i = 0; i < 10000; ++i) {
            const int32_t from = i * 60;
            // Valid notes in, so that whatever settings the writer loads meanwhile, every note
            // out, passed through or generated, must be valid too.
            for (const EventRecord& r :
                 filter.Play(from, from + 59, blocks.ValidNotes(from, i % 4))) {
                if (r.kind == kEventKindNote &&
                    (r.key > 127 || r.velocity > 127 || r.duration < 1)) {
                    ++outOfRange;
                }
            }
        }
    });
    std::thread live([&] {
        RandomBlocks blocks(11);
        for (int i = 0; i < 10000; ++i)
            filter.Live(i % 3 == 0 ? blocks.Messages(3) : std::vector<ShortMessageRecord>{});
    });
    std::thread writer([&] {
        RandomBlocks blocks(12);
        for (int i = 0; i < 500; ++i) {
            filter.LoadParams(blocks.Valid());
            Sleep(0);
        }
    });
    playback.join();
    live.join();
    writer.join();
    report.Check("thread stress", outOfRange == 0,
                 Format("10000 playback and 10000 live calls against 500 loads in %.2f s, %ld "
                        "notes out of range",
                        NowSeconds() - start, outOfRange.load()));
}
