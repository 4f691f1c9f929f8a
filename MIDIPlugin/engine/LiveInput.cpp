// Live input: the player's note messages, in small batches, become note-on and note-off
// messages timed by the filter's own millisecond clock. Steps are generated only on tick calls
// (an empty batch) and wait in `pending` until they fall due.
#include <algorithm>

#include "engine/Arpeggiator.h"
#include "engine/TimeMath.h"
#include "platform/ScopedLock.h"

using timemath::AddSaturating;

namespace {

constexpr uint8_t kNoteOn = 0x90;
constexpr uint8_t kNoteOff = 0x80;
constexpr uint8_t kHighestKey = 127;

// A message counts as due this long before its due time: live output is played at once.
constexpr int32_t kEarlyMs = 12;

// A tick call that finds the grid far behind the clock (the host stopped ticking for a while,
// or the clock was moved) emits at most this many steps; the rest are skipped on the grid.
constexpr int32_t kMaxLiveStepsPerCall = 256;

bool IsOff(const ShortMessageRecord& message) {
    return (message.status & 0xF0) == kNoteOff || message.data2 == 0;
}

}  // namespace

// [live thread, takes lock]
HRESULT STDMETHODCALLTYPE CArpeggiator::FilterLiveInput(IHostEventQueue* input,
                                                        IHostEventQueue* output) {
    if (input == nullptr || output == nullptr) return E_POINTER;
    ScopedLock hold(lock);

    // Without a time converter (detached) nothing can be timed: the input passes unchanged.
    if (params->enabled == 0 || timeConverter == nullptr) {
        if (params->enabled == 0) pending.Clear();
        CopyAllRecords(input, output);
        return S_OK;
    }

    if (flushHeld != 0) {
        flushHeld = 0;
        for (int32_t key = 0; key < 128; ++key) {
            if (liveHeld[key] != HeldMarker) continue;
            const ShortMessageRecord silence{0, static_cast<uint8_t>(kNoteOn | liveChannel),
                                             static_cast<uint8_t>(key), 0, 0};
            output->Add(&silence);
        }
    }

    windowOn = static_cast<uint32_t>(params->leftHandWindowOn);
    inRange = static_cast<uint32_t>(params->keepInRange);
    int32_t count = 0;
    input->GetCount(&count);

    if (liveBegun == 0 && liveService != nullptr) {
        liveService->BeginLive();
        liveBegun = 1;
    }

    const auto nowMs = static_cast<int32_t>(msClock.load(std::memory_order_relaxed));
    int32_t newOns = 0;
    int32_t windowOns = 0;
    ShortMessageRecord starting{};
    bool haveStarting = false;
    ShortMessageRecord message{};  // a failed GetAt leaves the previous message here
    for (int32_t i = 0; i < count; ++i) {
        input->GetAt(i, &message);
        const uint8_t kind = message.status & 0xF0;
        if (kind != kNoteOn && kind != kNoteOff) continue;
        liveChannel = message.status & 0x0F;
        if (params->playOriginals != 0 && !AppendPending(message, nowMs)) {
            // Pass-through is due at once anyway: with the list full it goes out directly.
            ShortMessageRecord direct = message;
            direct.time = IsOff(message) ? 1 : 0;
            output->Add(&direct);
        }
        // Keys above 127 are not MIDI keys: passed through, never held.
        if (message.data1 > kHighestKey) continue;

        const bool on = kind == kNoteOn && message.data2 > 0;
        const int32_t key = message.data1;
        if (!InWindow(key)) {
            const bool held = liveHeld[key] == HeldMarker;
            if (on == held) continue;
            if (on) {
                liveStartTicks = timeConverter->MsToTicks(nowMs);
                liveNextTime = liveStartTicks;
                liveHeld[key] = HeldMarker;
                livePitchClasses[key % 12] = HeldMarker;
                ++liveHeldCount;
                ++newOns;
                if (liveHeldCount == 1) {
                    starting = message;
                    haveStarting = true;
                }
            } else {
                // The pitch class goes silent even if another held key shares it.
                liveHeld[key] = -1;
                livePitchClasses[key % 12] = -1;
                --liveHeldCount;
            }
        } else if (on) {
            liveWindowKeys[key] = HeldMarker;
            ++windowOns;
        } else {
            liveWindowKeys[key] = -1;
        }
    }

    if (liveHeldCount > 0 || windowOns > 0) {
        if (windowOns > 0 && windowOn != 0) {
            RecognizeWindowChord(liveWindowKeys, 0, liveChordMask, liveChordRoot);
            FillPitchClasses(livePitchClasses, liveChordMask, HeldMarker);
        }
        if (newOns == liveHeldCount && newOns > 0) {
            // A batch like [on 62, off 60] while 60 was held never brings the count to 1 on a
            // press, yet leaves only keys pressed in this call: it starts from the first of them.
            if (!haveStarting) starting = FirstHeldPress(input, count);
            StartArpeggio(starting.data1, starting.data2, liveCurrentNote, liveDirection,
                          liveStepIndex, liveBaseVelocity);
        }
        if (count == 0) {
            liveOnMessage.status = static_cast<uint8_t>(kNoteOn | liveChannel);
            liveOffMessage.status = liveOnMessage.status;
            GenerateLiveSteps();
        }
    } else {
        liveNextTime = 0;
    }

    SendDueMessages(output);
    return S_OK;
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
        const bool on = (message.status & 0xF0) == kNoteOn && message.data2 > 0;
        if (on && message.data1 <= kHighestKey && !InWindow(message.data1) &&
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
