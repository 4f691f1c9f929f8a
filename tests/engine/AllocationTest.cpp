// The real-time calls allocate nothing after construction. This program replaces the global
// allocation functions and counts what happens while a filter call runs.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "support/FilterFixture.h"
#include "support/RecordingPage.h"

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};

void* Allocate(std::size_t size) {
    if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1);
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}
}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace {

// Counts allocations over one call; the queues were sized beforehand, so only the filter can
// allocate while counting.
template <typename Call>
long AllocationsDuring(Call call) {
    allocations = 0;
    counting = true;
    call();
    counting = false;
    return allocations.load();
}

}  // namespace

TEST(RealTime, LongPlaybackWithChordsAllocatesNothing) {
    FilterHarness h;
    RecordingPage page;
    h.filter->editorPage = &page;
    ArpeggiatorParams& p = h.Params();
    p.leftHandWindowOn = 1;
    p.playOriginals = 1;
    p.rateUnits = kRateNotes;
    p.noteValue = 2;

    // Four bars of a left-hand chord change with a right-hand line, repeated.
    EventQueue input;
    const int chords[][3] = {{36, 40, 43}, {41, 45, 48}, {43, 47, 50}, {38, 41, 45}};
    for (int32_t bar = 0; bar < 200; ++bar) {
        const int* chord = chords[bar % 4];
        for (int k = 0; k < 3; ++k) input.records.push_back(Note(bar * 3840, chord[k], 90, 3800));
        input.records.push_back(Note(bar * 3840 + 960, 72 + bar % 7, 100, 2000));
    }
    EventQueue output;
    output.records.reserve(1 << 20);

    long total = 0;
    for (int32_t from = 0; from < 200 * 3840; from += 240) {
        total +=
            AllocationsDuring([&] { h.filter->FilterEvents(from, from + 239, &input, &output); });
    }
    EXPECT_EQ(total, 0);
    EXPECT_GT(page.notifications, 100) << "the chord was recognised along the way";
    EXPECT_GT(output.records.size(), 2000u);
}

TEST(RealTime, LiveBatchesAndTicksAllocateNothing) {
    FilterHarness h(960, 500000, 200);
    RecordingPage page;
    h.filter->editorPage = &page;
    h.Params().leftHandWindowOn = 1;
    h.Params().playOriginals = 1;
    h.Params().rateUnits = kRateTicks;
    h.Params().rateAmount = 30;

    MessageQueue chordOn;
    chordOn.records = {Message(0x90, 36, 90), Message(0x90, 40, 90), Message(0x90, 43, 90)};
    MessageQueue melodyOn;
    melodyOn.records = {Message(0x91, 72, 100), Message(0x91, 76, 100)};
    MessageQueue melodyOff;
    melodyOff.records = {Message(0x81, 72, 0), Message(0x91, 76, 0)};
    MessageQueue tick;
    MessageQueue output;
    output.records.reserve(1 << 20);

    long total = 0;
    for (int round = 0; round < 500; ++round) {
        MessageQueue* batch = round % 10 == 0 ? &melodyOn : (round % 10 == 7 ? &melodyOff : &tick);
        if (round % 50 == 0) batch = &chordOn;
        total += AllocationsDuring([&] { h.filter->FilterLiveInput(batch, &output); });
        h.AdvanceClock(7);
    }
    EXPECT_EQ(total, 0);
    EXPECT_GT(output.records.size(), 500u);
}
