// Live input: the player's note messages, in small batches, become note-on and note-off
// messages timed by the filter's own millisecond clock. Steps are generated only on tick calls
// (an empty batch) and wait in `pending` until they fall due.
#include <algorithm>

#include "engine/Arpeggiator.h"
#include "engine/TimeMath.h"
#include "platform/ScopedLock.h"

using timemath::AddSaturating;

using midi::kNoteOff;
using midi::kNoteOn;

namespace {

// A message counts as due this long before its due time: live output is played at once.
constexpr int32_t kEarlyMs = 12;

// A tick call that finds the grid far behind the clock (the host stopped ticking for a while,
// or the clock was moved) emits at most this many steps; the rest are skipped on the grid.
constexpr int32_t kMaxLiveStepsPerCall = 256;

bool IsOff(const ShortMessageRecord& message) {
    return (message.status & midi::kKindMask) == kNoteOff || message.data2 == 0;
}

}  // namespace

// The named steps below are FilterLiveInput's alone and are defined inline in this file, so
// that the compiler folds them back into the one call: the real-time path pays no call per
// message for reading as steps.

// What one batch of input did to the held keys, for the steps that follow the scan.
struct CArpeggiator::LiveBatch {
    int32_t nowMs = 0;
    int32_t newOns = 0;     // arpeggio keys pressed in this batch
    int32_t windowOns = 0;  // left-hand window keys pressed in this batch
    ShortMessageRecord starting{};
    bool haveStarting = false;  // `starting` is the press that brought the held count to 1
};

// [live thread, takes lock]
HRESULT STDMETHODCALLTYPE CArpeggiator::FilterLiveInput(IHostEventQueue* input,
                                                        IHostEventQueue* output) {
    if (input == nullptr || output == nullptr) return E_POINTER;
    ScopedLock hold(lock);
    if (PassThroughBypassed(input, output)) return S_OK;
    if (flushHeld != 0) SilenceHeldKeys(output);

    windowOn = static_cast<uint32_t>(params->leftHandWindowOn);
    inRange = static_cast<uint32_t>(params->keepInRange);
    int32_t count = 0;
    input->GetCount(&count);

    if (liveBegun == 0 && liveService != nullptr) {
        liveService->BeginLive();
        liveBegun = 1;
    }

    LiveBatch batch;
    batch.nowMs = static_cast<int32_t>(msClock.load(std::memory_order_relaxed));
    ReadLiveBatch(input, count, batch, output);
    AdvanceLiveArpeggio(input, count, batch);
    SendDueMessages(output);
    return S_OK;
}

// Bypassed, or detached (without a time converter nothing can be timed): the input passes
// unchanged. Bypass also drops whatever was waiting.
inline bool CArpeggiator::PassThroughBypassed(IHostEventQueue* input, IHostEventQueue* output) {
    if (params->enabled != 0 && timeConverter != nullptr) return false;
    if (params->enabled == 0) pending.Clear();
    CopyAllRecords(input, output);
    return true;
}

// The page switched pass-through off: the played keys it let through are silenced at once.
inline void CArpeggiator::SilenceHeldKeys(IHostEventQueue* output) {
    flushHeld = 0;
    for (int32_t key = 0; key < midi::kKeyCount; ++key) {
        if (liveHeld[key] != HeldMarker) continue;
        const ShortMessageRecord silence{0, static_cast<uint8_t>(kNoteOn | liveChannel),
                                         static_cast<uint8_t>(key), 0, 0};
        output->Add(&silence);
    }
}

inline void CArpeggiator::ReadLiveBatch(IHostEventQueue* input, int32_t count, LiveBatch& batch,
                                        IHostEventQueue* output) {
    ShortMessageRecord message{};  // a failed GetAt leaves the previous message here
    for (int32_t i = 0; i < count; ++i) {
        input->GetAt(i, &message);
        const uint8_t kind = message.status & midi::kKindMask;
        if (kind != kNoteOn && kind != kNoteOff) continue;
        liveChannel = message.status & midi::kChannelMask;
        if (params->playOriginals != 0) PassOriginal(message, batch.nowMs, output);
        // Keys above 127 are not MIDI keys: passed through, never held.
        if (message.data1 > midi::kHighestKey) continue;

        const bool on = kind == kNoteOn && message.data2 > 0;
        if (!InWindow(message.data1)) {
            TrackArpeggioKey(message, on, batch);
        } else {
            liveWindowKeys[message.data1] = on ? HeldMarker : kNotSounding;
            if (on) ++batch.windowOns;
        }
    }
}

// Pass-through is due at once anyway: with the pending list full it goes out directly.
inline void CArpeggiator::PassOriginal(const ShortMessageRecord& message, int32_t nowMs,
                                       IHostEventQueue* output) {
    if (AppendPending(message, nowMs)) return;
    ShortMessageRecord direct = message;
    direct.time = IsOff(message) ? 1 : 0;
    output->Add(&direct);
}

inline void CArpeggiator::TrackArpeggioKey(const ShortMessageRecord& message, bool on,
                                           LiveBatch& batch) {
    const int32_t key = message.data1;
    const bool held = liveHeld[key] == HeldMarker;
    if (on == held) return;
    if (on) {
        liveStartTicks = timeConverter->MsToTicks(batch.nowMs);
        liveNextTime = liveStartTicks;
        liveHeld[key] = HeldMarker;
        livePitchClasses[key % midi::kPitchClassCount] = HeldMarker;
        ++liveHeldCount;
        ++batch.newOns;
        if (liveHeldCount == 1) {
            batch.starting = message;
            batch.haveStarting = true;
        }
    } else {
        // The pitch class goes silent even if another held key shares it.
        liveHeld[key] = kNotSounding;
        livePitchClasses[key % midi::kPitchClassCount] = kNotSounding;
        --liveHeldCount;
    }
}

// After the scan: the window's chord, a new arpeggio when every held key is new, and on a tick
// call the steps up to the look-ahead horizon.
inline void CArpeggiator::AdvanceLiveArpeggio(IHostEventQueue* input, int32_t count,
                                              const LiveBatch& batch) {
    if (liveHeldCount <= 0 && batch.windowOns == 0) {
        liveNextTime = 0;
        return;
    }
    if (batch.windowOns > 0 && windowOn != 0) {
        RecognizeWindowChord(liveWindowKeys, 0, liveChordMask, liveChordRoot);
        FillPitchClasses(livePitchClasses, liveChordMask, HeldMarker);
    }
    if (batch.newOns == liveHeldCount && batch.newOns > 0) {
        // A batch like [on 62, off 60] while 60 was held never brings the count to 1 on a
        // press, yet leaves only keys pressed in this call: it starts from the first of them.
        const ShortMessageRecord starting =
            batch.haveStarting ? batch.starting : FirstHeldPress(input, count);
        StartArpeggio(starting.data1, starting.data2, liveCurrentNote, liveDirection, liveStepIndex,
                      liveBaseVelocity);
    }
    if (count == 0) {
        liveOnMessage.status = static_cast<uint8_t>(kNoteOn | liveChannel);
        liveOffMessage.status = liveOnMessage.status;
        GenerateLiveSteps();
    }
}

void CArpeggiator::GenerateLiveSteps() {
    liveOnMessage.data1 = static_cast<uint8_t>(liveCurrentNote);
    liveOffMessage.data1 = liveOnMessage.data1;
    liveOffMessage.data2 = 0;
    liveStepLength = StepLengthAt(liveStartTicks);

    const auto nowMs = static_cast<int32_t>(msClock.load(std::memory_order_relaxed));
    const int32_t now = timeConverter->MsToTicks(nowMs);
    const int32_t ahead = timeConverter->MsToTicks(static_cast<int32_t>(lookAheadMs));
    const int32_t horizon = AddSaturating(now, ahead / 2);

    int32_t t = SwungTime(liveStepIndex, liveStepLength, liveNextTime);
    for (int32_t emitted = 0; t < horizon; ++emitted) {
        if (emitted == kMaxLiveStepsPerCall) {
            const int64_t skipped = (int64_t{horizon} - liveNextTime) / liveStepLength;
            liveNextTime = AddSaturating(liveNextTime, skipped * liveStepLength);
            liveStepIndex = static_cast<int32_t>(static_cast<uint32_t>(liveStepIndex) +
                                                 static_cast<uint32_t>(skipped));
            return;
        }
        // A step goes in whole or not at all, so no note-on is ever queued without its note-off.
        // A full list (only a pathological block or host fills it) holds the grid where it is;
        // the step follows on a later tick, once due messages have made room.
        if (pending.Free() < 2) return;

        t = SwungTime(liveStepIndex, liveStepLength, liveNextTime);
        const int32_t length =
            std::max(RawSoundingLength(liveStepIndex, liveStepLength, liveNextTime), ahead);
        const int32_t offTime = AddSaturating(t, length);
        liveOnMessage.time = 0;
        liveOffMessage.time = 0;
        liveOnMessage.data2 = AccentVelocity(liveOnMessage.data1, liveBaseVelocity, liveChordRoot);
        AppendPending(liveOnMessage, timeConverter->TicksToMs(t));
        AppendPending(liveOffMessage, timeConverter->TicksToMs(offTime));

        liveCurrentNote = NextKey(liveCurrentNote, liveDirection, 0, livePitchClasses, liveHeld);
        liveOnMessage.data1 = static_cast<uint8_t>(liveCurrentNote);
        liveOffMessage.data1 = liveOnMessage.data1;

        const int64_t next = int64_t{liveNextTime} + liveStepLength;
        liveStepIndex = timemath::IncrementWrapping(liveStepIndex);
        if (next > timemath::kMax) return;  // the end of the song range: nothing can follow
        liveNextTime = static_cast<int32_t>(next);
    }
}

// The first note-on of the batch, in queue order, for an arpeggio key that is still held.
ShortMessageRecord CArpeggiator::FirstHeldPress(IHostEventQueue* input, int32_t count) {
    ShortMessageRecord message{};
    for (int32_t i = 0; i < count; ++i) {
        input->GetAt(i, &message);
        const bool on = (message.status & midi::kKindMask) == kNoteOn && message.data2 > 0;
        if (on && message.data1 <= midi::kHighestKey && !InWindow(message.data1) &&
            liveHeld[message.data1] == HeldMarker) {
            return message;
        }
    }
    return message;  // not reached: every held key was pressed in this batch
}

bool CArpeggiator::AppendPending(const ShortMessageRecord& message, int32_t dueMs) {
    return pending.Append(PendingMessage{message, dueMs});
}

namespace {

// Due times are 32-bit and the clock wraps (after 24.8 days past the signed range): an element
// is due when it lies at or before the deadline on the circle, which for times less than 2^31
// apart is the plain signed comparison.
bool IsDue(int32_t dueMs, uint32_t deadline) {
    return static_cast<int32_t>(static_cast<uint32_t>(dueMs) - deadline) <= 0;
}

}  // namespace

// Sends from the newest element to the oldest; elements not yet due keep their order.
void CArpeggiator::SendDueMessages(IHostEventQueue* output) {
    const uint32_t deadline = msClock.load(std::memory_order_relaxed) + uint32_t{kEarlyMs};
    for (size_t i = pending.Size(); i-- > 0;) {
        const PendingMessage& element = pending.At(i);
        if (!IsDue(element.dueMs, deadline)) continue;
        ShortMessageRecord message = element.message;
        message.time = IsOff(message) ? 1 : 0;
        output->Add(&message);
    }
    size_t kept = 0;
    for (size_t i = 0; i < pending.Size(); ++i) {
        if (!IsDue(pending.At(i).dueMs, deadline)) pending.At(kept++) = pending.At(i);
    }
    pending.Truncate(kept);
}
