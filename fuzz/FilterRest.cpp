#include "fuzz/FilterRest.h"

#include <initializer_list>
#include <vector>

#include "engine/FilterAccess.h"
#include "engine/FilterTestView.h"
#include "host/HostObjects.h"

namespace {

using midi::kNoteOff;
using midi::kNoteOn;

constexpr int32_t kC = 12;  // a C inside every window the rest sequence sets
constexpr int32_t kOutside = 200;

// Window on over `bottom` .. `bottom` + `span`; steps of 1000 ticks, which need no tempo.
ArpeggiatorParams RestBlock(int32_t windowOn, int32_t bottom, int32_t span) {
    ArpeggiatorParams params = DefaultArpeggiatorParams();
    params.leftHandWindowOn = windowOn;
    params.leftHandBottom = bottom;
    params.leftHandSpan = span;
    params.rateUnits = kRateTicks;
    params.rateAmount = 1000;
    return params;
}

EventRecord NoteAt(int32_t time, int32_t key) {
    EventRecord note{};
    note.time = static_cast<uint32_t>(time);
    note.key = static_cast<uint8_t>(key);
    note.velocity = 100;
    note.duration = 1;
    return note;
}

ShortMessageRecord Press(int32_t key) { return {0, kNoteOn, static_cast<uint8_t>(key), 100, 0}; }
ShortMessageRecord Release(int32_t key) { return {0, kNoteOff, static_cast<uint8_t>(key), 0, 0}; }

// The rest sequence's input and output queues, made once and refilled without allocating.
struct RestQueues {
    RestQueues() {
        notes.records = {NoteAt(1, kC), NoteAt(1, 60), NoteAt(150, kOutside)};
        batch.records.reserve(midi::kKeyCount + 8);
    }

    EventQueue notes;
    EventQueue played;
    MessageQueue batch;
    MessageQueue sent;
};

RestQueues& Queues() {
    static RestQueues queues;
    return queues;
}

// Tables cleared by a stop. Then one window of two chunks: in the first, the window (keys 0 to
// 59) names a lone C and key 60 starts an arpeggio, which pins the cursor and the template; in
// the second a note that is no key makes the recognition run over a window gone silent, which
// puts the chord mask back to the root alone. A second stop clears the tables again.
void RestPlayback(AttachedFilter& filter) {
    RestQueues& queues = Queues();
    queues.played.records.clear();
    filter.Door().WriteParams(RestBlock(1, 0, 59));
    filter->PlaybackStopped(0, nullptr);
    filter->FilterEvents(1, 201, &queues.notes, &queues.played);
    filter->PlaybackStopped(0, nullptr);
}

void Play(AttachedFilter& filter, std::initializer_list<ShortMessageRecord> messages) {
    RestQueues& queues = Queues();
    queues.batch.records.insert(queues.batch.records.end(), messages);
    queues.sent.records.clear();
    filter->FilterLiveInput(&queues.batch, &queues.sent);
    queues.batch.records.clear();
}

// A release, on channel 0, of every key the table holds. Releasing a key that is not held
// changes nothing, so this leaves the state that releasing all 128 keys would.
void ReleaseHeld(const int32_t (&table)[midi::kKeyCount]) {
    std::vector<ShortMessageRecord>& batch = Queues().batch.records;
    for (int32_t key = midi::kLowestKey; key <= midi::kHighestKey; ++key) {
        if (table[key] != kNotSounding) batch.push_back(Release(key));
    }
}

// With the window over every key: all window keys released and a lone C named, which pins the
// live chord root and the recogniser; then C released. With the window off: all arpeggio keys
// released and key 60 pressed alone, which starts an arpeggio and pins the live cursor; then
// the keys of the chord's pitch classes pressed and released, which clears the pitch-class
// table that the chord filled. Every batch holds a message on channel 0, which pins
// liveChannel. The tables are read through the test view only to release what is held.
void RestLive(AttachedFilter& filter) {
    const ArpeggiatorState& state = FilterTestView(*filter.filter).State();
    filter.Door().WriteParams(RestBlock(1, 0, 127));
    ReleaseHeld(state.liveWindowKeys);
    Play(filter, {Press(kC)});
    Play(filter, {Release(kC)});
    filter.Door().WriteParams(RestBlock(0, 0, 127));
    ReleaseHeld(state.liveHeld);
    Play(filter, {Press(60)});
    Play(filter, {Release(60), Press(64), Release(64), Press(67), Release(67)});
}

// A page that takes every chord text; a stop hands it the empty one, which clears the text the
// filter keeps for the page. Binding it replaces whatever page was bound; unbinding leaves none.
void ClearChordText(AttachedFilter& filter) {
    class AnyPage final : public IEditorPageLink {
    public:
        bool IsReadyForChordText() override { return true; }
        void PostChordNotification() override {}
        bool WindowExists() override { return true; }
        void RefreshAllControls() override {}
    };
    static AnyPage page;
    filter.Door().BindEditorPage(&page);
    filter->PlaybackStopped(0, nullptr);
    filter.Door().UnbindEditorPage(&page);
}

}  // namespace

void BringToRest(AttachedFilter& filter) {
    filter->DetachHost();
    filter.converter.ticksPerQuarter = 960;
    filter.converter.usPerQuarter = 500000;
    filter.live.lookAheadMs = 0;
    filter.Attach();                      // the look-ahead goes back to 0
    filter->PlaybackStarted(0, nullptr);  // the clock to 0, nothing pending
    RestPlayback(filter);
    RestLive(filter);
    ClearChordText(filter);
    filter->DetachHost();
    filter.Door().WriteParams(DefaultArpeggiatorParams());
}
