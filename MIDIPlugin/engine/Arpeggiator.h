// The filter object: one per place where the host inserts the effect. It owns the parameter
// block, turns the notes that are held into an arpeggio during playback and live input, and
// answers the host's persistence, page and enable interfaces.
//
// Threads: the host's playback path (FilterEvents, transport), its live path (FilterLiveInput),
// the UI thread (the editor page, through FilterAccess) and the multimedia-timer thread
// (msClock only). `lock` guards everything but msClock; see each operation's tag. This header
// is the host's view (the COM faces); tools, the page and tests use FilterAccess.h.
#pragma once

#include <cstdint>

#include "engine/ArpeggiatorState.h"
#include "engine/HostInterfaces.h"
#include "platform/MultimediaTimer.h"

class CArpeggiator : public IMfxEventFilter,
                     public IPersistStream,
                     public ISpecifyPropertyPages,
                     public IVeskarEnablePlugin,
                     private TimerTarget,
                     private ArpeggiatorState {
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

private:
    // The one door for everything outside the engine, and the tests' read-only view.
    friend class FilterAccess;
    friend class FilterTestView;

    // The millisecond clock: started by construction, stopped by destruction; tests and the
    // scripted host stop it through FilterAccess and move msClock by hand. [any thread]
    void StartMillisecondClock();
    void StopMillisecondClock();
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

    // --- Live input (LiveInput.cpp), the named steps of FilterLiveInput in their order
    struct LiveBatch;
    bool PassThroughBypassed(IHostEventQueue* input, IHostEventQueue* output);
    void SilenceHeldKeys(IHostEventQueue* output);
    void ReadLiveBatch(IHostEventQueue* input, int32_t count, LiveBatch& batch,
                       IHostEventQueue* output);
    void PassOriginal(const ShortMessageRecord& message, int32_t nowMs, IHostEventQueue* output);
    void TrackArpeggioKey(const ShortMessageRecord& message, bool on, LiveBatch& batch);
    void AdvanceLiveArpeggio(IHostEventQueue* input, int32_t count, const LiveBatch& batch);
    ShortMessageRecord FirstHeldPress(IHostEventQueue* input, int32_t count);
    void GenerateLiveSteps();
    void SendDueMessages(IHostEventQueue* output);
    bool AppendPending(const ShortMessageRecord& message, int32_t dueMs);

    static void CopyAllRecords(IHostEventQueue* input, IHostEventQueue* output);
};
