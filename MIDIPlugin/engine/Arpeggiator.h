// The filter object: one per place where the host inserts the effect. It owns the parameter
// block, turns the notes that are held into an arpeggio during playback and live input, and
// answers the host's persistence, page and enable interfaces.
//
// Threads: the host's playback path (FilterEvents, transport), its live path (FilterLiveInput),
// the UI thread (editor page: params, chordName, flushHeld) and the multimedia-timer thread
// (msClock only). `lock` guards everything but msClock; see each operation's tag.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "chord/ChordRecognizer.h"
#include "engine/ArpeggiatorParams.h"
#include "engine/EditorPageLink.h"
#include "engine/HostInterfaces.h"
#include "engine/PendingList.h"
#include "engine/TimeMath.h"
#include "platform/MultimediaTimer.h"
#include "platform/RecursiveLock.h"

// Marks a held key (and a held pitch class) in the live tables.
inline constexpr int32_t HeldMarker = 1234567;

class CArpeggiator : public IMfxEventFilter,
                     public IPersistStream,
                     public ISpecifyPropertyPages,
                     public IVeskarEnablePlugin,
                     private TimerTarget {
public:
    // Starts the millisecond clock and counts the object in liveObjectCount. [any thread]
    CArpeggiator();
    CArpeggiator(const CArpeggiator&) = delete;
    CArpeggiator& operator=(const CArpeggiator&) = delete;

    // IUnknown, shared by all faces. [any thread]
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IMfxEventFilter
    // [playback thread; never concurrent with a filter call on this object]
    HRESULT STDMETHODCALLTYPE AttachHost(IUnknown* host) override;
    HRESULT STDMETHODCALLTYPE DetachHost() override;
    HRESULT STDMETHODCALLTYPE PlaybackStarted(int32_t time, IHostEventQueue* queue) override;
    HRESULT STDMETHODCALLTYPE PlaybackLooped(int32_t restartTime, int32_t endTime,
                                             IHostEventQueue* queue) override;
    HRESULT STDMETHODCALLTYPE PlaybackStopped(int32_t time, IHostEventQueue* queue) override;
    // [playback thread, takes lock]
    HRESULT STDMETHODCALLTYPE FilterEvents(int32_t from, int32_t thru, IHostEventQueue* input,
                                           IHostEventQueue* output) override;
    // [live thread, takes lock]
    HRESULT STDMETHODCALLTYPE FilterLiveInput(IHostEventQueue* input,
                                              IHostEventQueue* output) override;

    // Follows the seven event-filter operations in the primary face's table.
    virtual ~CArpeggiator();

    // IPersistStream [any thread; Load and Save take lock]
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(IStream* stream) override;
    HRESULT STDMETHODCALLTYPE Save(IStream* stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;

    // ISpecifyPropertyPages [ui thread]
    HRESULT STDMETHODCALLTYPE GetPages(CAUUID* pages) override;

    // IVeskarEnablePlugin: accepted and ignored; `enabled` in params alone decides bypass.
    // [any thread]
    HRESULT STDMETHODCALLTYPE SetPluginEnabled(VARIANT_BOOL enable) override;

    // The millisecond clock. Tests and the scripted host stop it and move msClock by hand.
    void StartMillisecondClock();
    void StopMillisecondClock();

    // --- Identity and host services
    std::atomic<uint32_t> refCount;
    RecursiveLock lock;
    uint32_t dirty;
    uint32_t paramsSize;
    IHostTimeConverter* timeConverter;
    IHostAuxService* auxService;
    IHostLiveService* liveService;
    uint32_t lookAheadMs;
    IEditorPageLink* editorPage;  // not owned; set by the page while it is bound
    std::unique_ptr<ArpeggiatorParams> params;

    // --- Playback state
    int32_t keyEndTimes[128];
    // What keyEndTimes held at a recent chunk's start, reused while it holds so that most chunks
    // skip the scan of the table. Every writer of keyEndTimes sets it to kStaleSummary.
    timemath::ActiveSummary keyScan;
    int32_t windowKeyEndTimes[128];
    int32_t pitchClassEndTimes[12];
    EventRecord stepEvent;
    int32_t currentNote;

    int32_t chordKeyList[128];
    CChordRecognizer chordRecognizer;

    int32_t soundingCount;
    uint32_t chordMask;
    int32_t baseVelocity;
    int32_t stepIndex;
    int32_t stepLength;
    int32_t liveStepLength;
    int32_t nextStepTime;
    int32_t chordRoot;
    int32_t direction;

    // --- Live state
    uint32_t liveBegun;
    int32_t liveChannel;
    uint32_t windowOn;  // per-call copies of leftHandWindowOn and keepInRange
    uint32_t inRange;
    int32_t liveHeldCount;
    int32_t liveHeld[128];
    int32_t liveWindowKeys[128];
    int32_t livePitchClasses[12];
    int32_t liveStartTicks;
    int32_t liveNextTime;
    int32_t liveCurrentNote;
    int32_t liveStepIndex;
    int32_t liveBaseVelocity;
    int32_t liveDirection;
    ShortMessageRecord liveOnMessage;
    ShortMessageRecord liveOffMessage;
    uint32_t liveChordMask;
    int32_t liveChordRoot;

    // --- Millisecond clock and pending live output
    std::atomic<uint32_t> msClock;  // written by the timer thread, relaxed
    uint32_t flushHeld;             // set by the editor page under lock
    PendingList pending;
    uint32_t timerId;
    uint32_t timerRunning;
    uint32_t lastTimerMs;

    ChordText chordName;  // last chord text handed to the page; read by the page under lock

private:
    // [timer thread]
    void OnTimer() override;

    // --- Stepping rules shared by both paths (Stepping.cpp); all run under lock.
    int32_t StepLengthAt(int32_t tickTime);
    int32_t SwungTime(int32_t index, int32_t length, int32_t time) const;
    int32_t RawSoundingLength(int32_t index, int32_t length, int32_t time) const;
    uint8_t AccentVelocity(int32_t key, int32_t base, int32_t root) const;
    void StartArpeggio(int32_t key, int32_t velocity, int32_t& cursorKey, int32_t& cursorDirection,
                       int32_t& cursorStepIndex, int32_t& cursorBaseVelocity);
    int32_t NextKey(int32_t cur, int32_t& cursorDirection, int32_t reference,
                    const int32_t* pitchClassTable, const int32_t* keyTable) const;
    int32_t NextKeyByKey(int32_t cur, int32_t& cursorDirection, int32_t reference,
                         const int32_t* keyTable) const;
    int32_t NextKeyByPitchClass(int32_t cur, int32_t& cursorDirection, int32_t reference,
                                const int32_t* pitchClassTable) const;
    bool InWindow(int32_t key) const;
    void RecognizeWindowChord(const int32_t* windowTable, int32_t reference, uint32_t& mask,
                              int32_t& root);
    void FillPitchClasses(int32_t* pitchClassTable, uint32_t mask, int32_t activeValue);
    void NotifyPage(const ChordText& name);

    // --- Playback (Playback.cpp)
    void PlaybackReset();
    int64_t SkipIdleChunks(int64_t chunkFrom, int64_t thru, IHostEventQueue* input);
    void FilterChunk(int32_t from, int32_t chunkEnd, IHostEventQueue* input,
                     IHostEventQueue* output);
    void StartPlaybackArpeggio(const EventRecord& record);
    void GeneratePlaybackSteps(int32_t limit, IHostEventQueue* output);

    // --- Live input (LiveInput.cpp)
    ShortMessageRecord FirstHeldPress(IHostEventQueue* input, int32_t count);
    void GenerateLiveSteps();
    void SendDueMessages(IHostEventQueue* output);
    bool AppendPending(const ShortMessageRecord& message, int32_t dueMs);

    static void CopyAllRecords(IHostEventQueue* input, IHostEventQueue* output);
};
