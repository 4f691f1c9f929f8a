// Drives the engine's live path from the sample clock and places every message it sends at the
// frame of its due time.
//
// How the placement works. The live path times its messages by its millisecond clock and sends
// each one from kEarlyMs (12 ms) before its due time, so that a host that plays at once plays
// it roughly in time. A sample-accurate host can do better, since it knows which frame every
// millisecond falls on; what it needs is the due time itself, which the live path does not
// return. The scheduler gets it by choosing the clock it shows the engine:
//
// - A tick (an empty batch) runs on every millisecond boundary m of the sample clock, with the
//   engine's clock set to m - kEarlyMs. Its send deadline is then m itself: the tick sends
//   exactly the messages due at m (the boundaries before sent everything due earlier), and they
//   go out at m's frame. A tick also generates the steps up to half the look-ahead past its
//   clock; kLookAheadMs keeps that horizon past m, so every step exists before it is due.
// - A batch of input at frame f (c, the millisecond at or after f) must see the clock at c: a key
// press anchors the
//   arpeggio's grid at the clock, and the played notes passed through are due at the clock. A
//   call at clock c would also send what falls due in (c, c + 12], too early. So the scheduler
//   first runs the ticks of those 12 milliseconds ahead of time ("pre-ticks"): each sends what
//   is due at its deadline, which waits in the WaitingLine for that millisecond's frame. Then
//   the batch goes in at clock c (it sends only the played notes, placed at f), and one more
//   tick at clock c - kEarlyMs generates and sends the first step of an arpeggio the batch
//   started, placed at f.
//
// So no message goes out before the frame of its due millisecond, and none later than the
// next millisecond boundary (a batch's own messages go out at the batch's frame). Running
// ticks ahead of an input batch only lets the engine prepare steps up to 12 ms further ahead
// than otherwise, as a host with a longer look-ahead would. The price is one engine call per
// millisecond plus at most 14 per input batch. All of this is [run thread].
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "FixedQueues.h"
#include "HostServices.h"
#include "engine/Arpeggiator.h"

// Where the scheduler's output goes: the plug-in writes it to its ports.
class ScheduledOutput {
public:
    virtual void Place(int64_t frame, const ShortMessageRecord& message) = 0;
    virtual void ChordNamed(int64_t frame) = 0;

protected:
    ~ScheduledOutput() = default;
};

class LiveScheduler {
public:
    // The live path sends a message from this long before its due time.
    static constexpr int64_t kEarlyMs = 12;
    // The look-ahead the live service reports: steps are generated half of it ahead of the
    // clock, which must reach past the early window for every step to exist when it falls due;
    // a live note also lasts at least this long.
    static constexpr uint32_t kLookAheadMs = 30;
    // The millisecond of frame 0, so that the clock shown to ticks (kEarlyMs behind) and every
    // time the converter sees stay positive.
    static constexpr int64_t kAxisStartMs = 1000;
    // The largest batch handed to the engine in one call; a longer run of events at one frame
    // goes in several calls.
    static constexpr size_t kBatchCapacity = 256;

    LiveScheduler(CArpeggiator& filter, ChordLink& chordLink, SampleClockConverter& converter,
                  double sampleRate, ScheduledOutput& output);

    // Frame 0 is kAxisStartMs again, nothing waits and no deadline has been reached; the
    // converter starts a new line from 0 at the tempo in force.
    void Restart();
    // Runs every millisecond boundary up to and including `frame`.
    void AdvanceTo(int64_t frame);
    // The messages arrived together at `frame`; AdvanceTo(frame) has run.
    void Batch(int64_t frame, std::span<const ShortMessageRecord> messages);
    // Forgets the messages waiting for their frame (the engine's own list is its business).
    void DropWaiting() { waiting.Clear(); }

    int64_t MsAt(int64_t frame) const;
    int64_t FrameOf(int64_t ms) const;

private:
    void BatchPart(int64_t frame, std::span<const ShortMessageRecord> messages);
    void RunBoundary(int64_t ms);
    void PreTick(int64_t deadline);
    void SendWaitingUpTo(int64_t ms, int64_t frame);
    // One engine call with the clock at `clockMs`; what it sends goes to `frame`, or waits for
    // `dueMs` when that lies beyond the frame's millisecond.
    void Call(MessageQueue& batch, int64_t clockMs, int64_t frame, int64_t dueMs);

    CArpeggiator& filter;
    ChordLink& chordLink;
    SampleClockConverter& converter;
    ScheduledOutput& output;
    int64_t sampleRate;
    MessageQueue input{kBatchCapacity};
    MessageQueue tick{0};
    MessageQueue sent;
    WaitingLine waiting;
    int64_t nextBoundaryMs = kAxisStartMs;
    int64_t deadlineMs = kAxisStartMs - 1;  // every message due by then has been sent
};
