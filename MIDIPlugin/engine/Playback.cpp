// Playback filtering: the host's recorded events, window by window in song ticks, become the
// notes of the arpeggio as complete notes with their own durations.
#include <algorithm>

#include "engine/Arpeggiator.h"
#include "engine/TimeMath.h"
#include "platform/ScopedLock.h"

using timemath::AddSaturating;

namespace {

// Chunks of at most 101 ticks keep the picture of held keys current without per-tick work.
constexpr int32_t kChunkTicks = 100;

// A window key counts for the chord when its note ended no earlier than this before the chunk.
constexpr int32_t kWindowKeyGraceTicks = 20;

// Normal playback emits at most one chunk's worth of steps per chunk (101 at a 1-tick rate).
// A host that moves the song position without a stop or loop can leave the grid far behind the
// chunk; the steps beyond this many are skipped on the grid instead of flooding the queue.
constexpr int32_t kMaxStepsPerChunk = 1024;

// Windows longer than this may hold long stretches in which nothing sounds; those are skipped
// whole instead of chunk by chunk. A host's windows are shorter, so they never pay for the scan.
constexpr int64_t kLongWindowTicks = 8 * (kChunkTicks + 1);

bool InChunk(const EventRecord& record, int32_t from, int32_t chunkEnd) {
    const auto time = static_cast<int32_t>(record.time);
    return from <= time && time <= chunkEnd;
}

}  // namespace

// [playback thread, takes lock]
HRESULT STDMETHODCALLTYPE CArpeggiator::FilterEvents(int32_t from, int32_t thru,
                                                     IHostEventQueue* input,
                                                     IHostEventQueue* output) {
    if (input == nullptr || output == nullptr) return E_POINTER;
    ScopedLock hold(lock);

    if (params->enabled == 0) {
        CopyAllRecords(input, output);
        return S_OK;
    }

    int32_t count = 0;
    if (SUCCEEDED(input->GetCount(&count))) {
        for (int32_t i = 0; i < count; ++i) {
            EventRecord record{};
            if (SUCCEEDED(input->GetAt(i, &record)) && record.kind != kEventKindNote) {
                output->Add(&record);
            }
        }
    }

    windowOn = static_cast<uint32_t>(params->leftHandWindowOn);
    inRange = static_cast<uint32_t>(params->keepInRange);

    // 64-bit so that a window ending at the last tick of the song range still terminates.
    for (int64_t chunkFrom = from; chunkFrom < thru;) {
        if (thru - chunkFrom > kLongWindowTicks) {
            chunkFrom = SkipIdleChunks(chunkFrom, thru, input);
            if (chunkFrom >= thru) break;
        }
        const auto chunkEnd =
            static_cast<int32_t>(std::min<int64_t>(thru, chunkFrom + kChunkTicks));
        FilterChunk(static_cast<int32_t>(chunkFrom), chunkEnd, input, output);
        chunkFrom = int64_t{chunkEnd} + 1;
    }
    return S_OK;
}

void CArpeggiator::FilterChunk(int32_t from, int32_t chunkEnd, IHostEventQueue* input,
                               IHostEventQueue* output) {
    if (from == 0) PlaybackReset();

    int32_t count = 0;
    input->GetCount(&count);
    // One buffer for the whole scan: a failed GetAt leaves the previous record in it, which is
    // then used as the host's queues are trusted not to fail on valid indices.
    EventRecord record{};
    int32_t notesInChunk = 0;
    for (int32_t i = 0; i < count; ++i) {
        input->GetAt(i, &record);
        if (record.kind == kEventKindNote && InChunk(record, from, chunkEnd)) ++notesInChunk;
    }

    if (notesInChunk > 0) {
        for (int32_t i = 0; i < count; ++i) {
            input->GetAt(i, &record);
            if (record.kind != kEventKindNote || !InChunk(record, from, chunkEnd)) continue;
            if (record.duration == 0) record.duration = 1;
            if (params->playOriginals != 0) output->Add(&record);
            // Keys above 127 are not MIDI keys: passed through with playOriginals, but they
            // neither feed the arpeggio nor the window.
            if (record.key > midi::kHighestKey) continue;

            // Durations are unsigned; an end past the song range is pinned to its last tick.
            const int32_t end =
                AddSaturating(static_cast<int32_t>(record.time), int64_t{record.duration});
            if (record.velocity > 0 && !InWindow(record.key)) {
                keyEndTimes[record.key] = end;
                keyScan = timemath::kStaleSummary;
                if (windowOn == 0) {
                    int32_t& pcEnd = pitchClassEndTimes[record.key % midi::kPitchClassCount];
                    pcEnd = std::max(pcEnd, end);
                }
                if (soundingCount == 0) {
                    StartPlaybackArpeggio(record);
                    soundingCount = kArpeggioStarting;
                }
            } else {
                windowKeyEndTimes[record.key] = end;
            }
        }
        if (windowOn != 0) {
            // 64-bit: a chunk that starts within the grace of the song range's first tick.
            const auto reference =
                static_cast<int32_t>(std::max<int64_t>(int64_t{from} - kWindowKeyGraceTicks, 0));
            RecognizeWindowChord(windowKeyEndTimes, reference, chordMask, chordRoot);
        }
    }

    if (windowOn != 0) FillPitchClasses(pitchClassEndTimes, chordMask, chunkEnd);

    // Most chunks neither add a key nor see one end; they skip the scan of the whole table.
    if (!timemath::SummaryHolds(keyScan, from)) {
        keyScan = timemath::SummarizeActive(keyEndTimes, from);
    }
    soundingCount = keyScan.count;
    if (soundingCount > 0) GeneratePlaybackSteps(std::min(chunkEnd, keyScan.latest), output);
}

// A chunk in which no note starts, no key sounds and that does not begin at tick 0 only sets
// soundingCount to 0 and refreshes the chord's pitch classes; a run of such chunks is skipped in
// one step, leaving the state exactly as walking them would. Returns where processing resumes:
// the start of the chunk that holds the next busy tick (its boundaries unchanged), or a value at
// or past thru when the run reaches the window's end.
int64_t CArpeggiator::SkipIdleChunks(int64_t chunkFrom, int64_t thru, IHostEventQueue* input) {
    if (!timemath::SummaryHolds(keyScan, chunkFrom)) {
        keyScan = timemath::SummarizeActive(keyEndTimes, chunkFrom);
    }
    if (keyScan.count > 0) return chunkFrom;
    // The first tick that must be processed: the next note in the window, or tick 0.
    int64_t busy = thru;
    if (chunkFrom <= 0) busy = 0;
    int32_t count = 0;
    input->GetCount(&count);
    EventRecord record{};  // the same view of a failed GetAt as the chunk scan has
    for (int32_t i = 0; i < count; ++i) {
        input->GetAt(i, &record);
        const auto time = static_cast<int32_t>(record.time);
        if (record.kind == kEventKindNote && time >= chunkFrom)
            busy = std::min<int64_t>(busy, time);
    }
    const int64_t idleChunks = (busy - chunkFrom) / (kChunkTicks + 1);
    if (idleChunks == 0) return chunkFrom;
    const int64_t resume = chunkFrom + idleChunks * (kChunkTicks + 1);
    soundingCount = 0;
    if (windowOn != 0) {
        FillPitchClasses(pitchClassEndTimes, chordMask,
                         static_cast<int32_t>(std::min(resume - 1, thru)));
    }
    return resume;
}

void CArpeggiator::StartPlaybackArpeggio(const EventRecord& record) {
    stepEvent = record;
    nextStepTime = static_cast<int32_t>(record.time);
    StartArpeggio(record.key, record.velocity, currentNote, direction, stepIndex, baseVelocity);
    stepEvent.key = static_cast<uint8_t>(currentNote);
}

void CArpeggiator::GeneratePlaybackSteps(int32_t limit, IHostEventQueue* output) {
    stepLength = StepLengthAt(nextStepTime);
    // A step on the very last tick of the song range is not played: the grid stops there.
    for (int32_t emitted = 0; nextStepTime <= limit && nextStepTime < timemath::kMax; ++emitted) {
        if (emitted == kMaxStepsPerChunk) {
            const int64_t skipped = (int64_t{limit} - nextStepTime) / stepLength + 1;
            nextStepTime = AddSaturating(nextStepTime, skipped * stepLength);
            stepIndex = static_cast<int32_t>(static_cast<uint32_t>(stepIndex) +
                                             static_cast<uint32_t>(skipped));
            return;
        }
        stepEvent.time = static_cast<uint32_t>(SwungTime(stepIndex, stepLength, nextStepTime));
        stepEvent.duration = static_cast<uint32_t>(
            std::max(RawSoundingLength(stepIndex, stepLength, nextStepTime), 1));
        stepEvent.velocity = AccentVelocity(stepEvent.key, baseVelocity, chordRoot);
        output->Add(&stepEvent);

        currentNote =
            NextKey(currentNote, direction, nextStepTime, pitchClassEndTimes, keyEndTimes);
        stepEvent.key = static_cast<uint8_t>(currentNote);

        const int64_t next = int64_t{nextStepTime} + stepLength;
        stepIndex = timemath::IncrementWrapping(stepIndex);
        if (next > timemath::kMax) {
            // The grid has reached the end of the song range; nothing can follow.
            nextStepTime = static_cast<int32_t>(timemath::kMax);
            return;
        }
        nextStepTime = static_cast<int32_t>(next);
    }
}

void CArpeggiator::PlaybackReset() {
    MarkAllNotSounding(keyEndTimes);
    keyScan = timemath::kStaleSummary;
    MarkAllNotSounding(windowKeyEndTimes);
    MarkAllNotSounding(pitchClassEndTimes);
    soundingCount = 0;
    NotifyPage(ChordText{});
}

// Bypass: every record that can be read passes unchanged, in queue order.
void CArpeggiator::CopyAllRecords(IHostEventQueue* input, IHostEventQueue* output) {
    int32_t count = 0;
    if (FAILED(input->GetCount(&count))) return;
    for (int32_t i = 0; i < count; ++i) {
        // Large enough for either record type; the queue copies its own record size.
        alignas(8) uint8_t record[sizeof(EventRecord)] = {};
        if (SUCCEEDED(input->GetAt(i, record))) output->Add(record);
    }
}

// The transport operations take the lock although the host never overlaps them with a filter
// call: it costs nothing uncontended and keeps the tables' writers under one rule.

// [playback thread]
HRESULT STDMETHODCALLTYPE CArpeggiator::PlaybackStarted(int32_t, IHostEventQueue*) {
    ScopedLock hold(lock);
    msClock.store(0, std::memory_order_relaxed);
    pending.Clear();
    return S_OK;
}

// [playback thread]
HRESULT STDMETHODCALLTYPE CArpeggiator::PlaybackLooped(int32_t, int32_t, IHostEventQueue*) {
    ScopedLock hold(lock);
    PlaybackReset();
    return S_OK;
}

// [playback thread]
HRESULT STDMETHODCALLTYPE CArpeggiator::PlaybackStopped(int32_t, IHostEventQueue*) {
    ScopedLock hold(lock);
    PlaybackReset();
    return S_OK;
}
