// Everything a filter object holds. CArpeggiator inherits it privately: the engine's own files
// use the fields by name, everything else reaches them only through FilterAccess (and tests
// through FilterTestView). `lock` guards every field but refCount and msClock.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "chord/ChordRecognizer.h"
#include "engine/ArpeggiatorParams.h"
#include "engine/EditorPageLink.h"
#include "engine/HostInterfaces.h"
#include "MidiConstants.h"
#include "engine/PendingList.h"
#include "engine/TimeMath.h"
#include "platform/RecursiveLock.h"

struct ArpeggiatorState {
    // Valid use holds a few steps' note-ons and note-offs plus one call's pass-through; see the
    // live path for the rule when a pathological host or block would exceed this.
    static constexpr size_t kPendingCapacity = 4096;

    ArpeggiatorState() {
        MarkAllNotSounding(keyEndTimes);
        MarkAllNotSounding(windowKeyEndTimes);
        MarkAllNotSounding(pitchClassEndTimes);
        MarkAllNotSounding(liveHeld);
        MarkAllNotSounding(liveWindowKeys);
        MarkAllNotSounding(livePitchClasses);
    }

    // --- Identity and host services
    std::atomic<uint32_t> refCount{1};
    RecursiveLock lock;
    uint32_t dirty = 0;
    uint32_t paramsSize = 0;
    IHostTimeConverter* timeConverter = nullptr;
    IHostAuxService* auxService = nullptr;
    IHostLiveService* liveService = nullptr;
    uint32_t lookAheadMs = 0;
    IEditorPageLink* editorPage = nullptr;  // not owned; set by the page while it is bound
    std::unique_ptr<ArpeggiatorParams> params;

    // --- Playback state
    int32_t keyEndTimes[midi::kKeyCount];
    // What keyEndTimes held at a recent chunk's start, reused while it holds so that most chunks
    // skip the scan of the table. Every writer of keyEndTimes sets it to kStaleSummary.
    timemath::ActiveSummary keyScan = timemath::kStaleSummary;
    int32_t windowKeyEndTimes[midi::kKeyCount];
    int32_t pitchClassEndTimes[midi::kPitchClassCount];
    EventRecord stepEvent{};
    int32_t currentNote = 0;

    int32_t chordKeyList[midi::kKeyCount] = {};
    CChordRecognizer chordRecognizer;

    int32_t soundingCount = 0;
    uint32_t chordMask = 1;  // the root alone until a chord is recognised
    int32_t baseVelocity = 0;
    int32_t stepIndex = 0;
    int32_t stepLength = -1;
    int32_t liveStepLength = -1;
    int32_t nextStepTime = 0;
    int32_t chordRoot = -1;
    int32_t direction = 0;

    // --- Live state
    uint32_t liveBegun = 0;
    int32_t liveChannel = 0;
    uint32_t windowOn = 0;  // per-call copies of leftHandWindowOn and keepInRange
    uint32_t inRange = 0;
    int32_t liveHeldCount = 0;
    int32_t liveHeld[midi::kKeyCount];
    int32_t liveWindowKeys[midi::kKeyCount];
    int32_t livePitchClasses[midi::kPitchClassCount];
    int32_t liveStartTicks = 0;
    int32_t liveNextTime = 0;
    int32_t liveCurrentNote = 0;
    int32_t liveStepIndex = 0;
    int32_t liveBaseVelocity = 0;
    int32_t liveDirection = 0;
    ShortMessageRecord liveOnMessage{};
    ShortMessageRecord liveOffMessage{};
    uint32_t liveChordMask = 0;
    int32_t liveChordRoot = -1;

    // --- Millisecond clock and pending live output
    std::atomic<uint32_t> msClock{0};  // written by the timer thread, relaxed
    uint32_t flushHeld = 0;            // raised by the editor page under lock
    PendingList pending{kPendingCapacity};
    uint32_t timerId = 0;
    uint32_t timerRunning = 0;
    uint32_t lastTimerMs = 0;

    ChordText chordName;  // last chord text handed to the page; read by the page under lock
};
