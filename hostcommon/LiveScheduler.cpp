#include "LiveScheduler.h"

#include <algorithm>
#include <cmath>

#include "engine/FilterAccess.h"

namespace {

// What one engine call can send: its pending list, which holds a few steps' messages in any
// sane use, plus the played notes of one batch and the silencing of every held key. Past this
// the queue refuses, and what it refused is lost.
constexpr size_t kSentCapacity = 8192;
// Messages that wait for their frame are at most 12 ms' worth of the same.
constexpr size_t kWaitingCapacity = 8192;

int64_t FloorDiv(int64_t a, int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

}  // namespace

LiveScheduler::LiveScheduler(CArpeggiator& target, ChordLink& link, SampleClockConverter& times,
                             double rate, ScheduledOutput& out)
    : filter(target),
      chordLink(link),
      converter(times),
      output(out),
      sampleRate(std::max<int64_t>(1, std::llround(rate))),
      sent(kSentCapacity),
      waiting(kWaitingCapacity) {}

void LiveScheduler::Restart() {
    nextBoundaryMs = kAxisStartMs;
    deadlineMs = kAxisStartMs - 1;
    waiting.Clear();
    converter.Restart();
}

int64_t LiveScheduler::MsAt(int64_t frame) const {
    return kAxisStartMs + FloorDiv(frame * 1000, sampleRate);
}

// The first frame at or after the boundary: the inverse of MsAt, rounded up.
int64_t LiveScheduler::FrameOf(int64_t ms) const {
    return -FloorDiv(-(ms - kAxisStartMs) * sampleRate, 1000);
}

void LiveScheduler::AdvanceTo(int64_t frame) {
    while (FrameOf(nextBoundaryMs) <= frame) RunBoundary(nextBoundaryMs++);
}

void LiveScheduler::RunBoundary(int64_t ms) {
    const int64_t frame = FrameOf(ms);
    SendWaitingUpTo(ms, frame);
    Call(tick, ms - kEarlyMs, frame, ms);
    deadlineMs = std::max(deadlineMs, ms);
}

void LiveScheduler::Batch(int64_t frame, std::span<const ShortMessageRecord> messages) {
    AdvanceTo(frame);
    while (!messages.empty()) {
        const size_t part = std::min(messages.size(), kBatchCapacity);
        BatchPart(frame, messages.first(part));
        messages = messages.subspan(part);
    }
}

// The engine's clock counts whole milliseconds. The batch sees the millisecond at or after its
// frame, so that a grid anchored there runs at most a millisecond from the frames of the keys
// (the clock before the frame would add that millisecond to the tick rounding of the anchor).
// What the batch sends, and the first step it starts, still go out at the batch's own frame.
void LiveScheduler::BatchPart(int64_t frame, std::span<const ShortMessageRecord> messages) {
    const int64_t now = -FloorDiv(-frame * 1000, sampleRate) + kAxisStartMs;
    const int64_t here = MsAt(frame);
    for (int64_t deadline = deadlineMs + 1; deadline <= now + kEarlyMs; ++deadline) {
        Call(tick, deadline - kEarlyMs, frame, deadline);
    }
    deadlineMs = std::max(deadlineMs, now + kEarlyMs);

    input.Clear();
    for (const ShortMessageRecord& message : messages) input.Add(&message);
    Call(input, now, frame, here);
    // The first step of an arpeggio this batch started is due now: generate and send it.
    Call(tick, now - kEarlyMs, frame, here);
}

void LiveScheduler::SendWaitingUpTo(int64_t ms, int64_t frame) {
    while (!waiting.Empty() && waiting.Front().dueMs <= ms) {
        output.Place(frame, waiting.Front().message);
        waiting.Pop();
    }
}

void LiveScheduler::Call(MessageQueue& batch, int64_t clockMs, int64_t frame, int64_t dueMs) {
    FilterAccess door(filter);
    door.SetClock(static_cast<uint32_t>(clockMs));
    sent.Clear();
    filter.FilterLiveInput(&batch, &sent);
    if (chordLink.TakePosted()) output.ChordNamed(frame);

    // Only a pre-tick's messages are due past the frame; a full line sends them now rather
    // than never.
    const bool later = dueMs > MsAt(frame);
    for (size_t i = 0; i < sent.Size(); ++i) {
        if (later && waiting.Push({dueMs, sent.At(i)})) continue;
        output.Place(frame, sent.At(i));
    }
}
