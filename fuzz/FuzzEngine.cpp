// Any host, any parameter block, then a long sequence of host calls: playback windows, live
// batches and ticks, transport, parameter writes under the lock, clock moves, tempo changes,
// detach and attach. Every call must return, and everything the arpeggio generates must be a
// valid MIDI note.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/FilterAccess.h"
#include "engine/TimeMath.h"
#include "fuzz/FuzzHost.h"
#include "fuzz/FuzzInput.h"

namespace {

// Enough calls to walk an arpeggio through many steps, chords and transport changes.
constexpr int kMaxCalls = 256;
// Playback windows are at most this long: a host's are a few hundred ticks; beyond 808 the
// engine skips idle stretches whole.
constexpr int32_t kLongWindow = 2048;
// Work per input. A 1-tick step rate makes every tick a note, every note walks the key range,
// and every live call scans the whole pending list, which a long look-ahead fills: without
// bounds an input of a few hundred bytes runs for many milliseconds, and the fuzzer spends its
// time there instead of on new states. Work counts the records a call put out and the pending
// messages it scanned; when it is spent the input ends.
constexpr int64_t kTickBudget = 4096;
constexpr size_t kWorkBudget = 32768;

class Session {
public:
    Session(FuzzFilter& target, FuzzedDataProvider& provider) : filter(target), in(provider) {}

    void Call();
    bool Spent() const { return work >= kWorkBudget; }

private:
    void Window();
    EventRecord ConsumeEvent(int32_t from, int32_t length);
    void Batch();
    void Tick();
    void Transport();
    void EditField();
    void Clock();
    void Attachment();
    void Page();

    FuzzFilter& filter;
    FuzzedDataProvider& in;
    int32_t from = 0;  // where the next window starts unless the song position jumps
    int64_t ticksLeft = kTickBudget;
    size_t work = 0;
    EventQueue events;
    EventQueue played;
    MessageQueue messages;
    MessageQueue sent;
};

void Session::Call() {
    switch (in.ConsumeIntegralInRange(0, 11)) {
        case 0:
        case 1:
            return Window();
        case 2:
            return Batch();
        case 3:
        case 4:
            return Tick();
        case 5:
            return Transport();
        case 6:
            return EditField();
        case 7:
            return filter.Door().WriteParams(ConsumeParams(in));
        case 8:
            return Clock();
        case 9:
            return filter.Door().RequestFlushHeld();
        case 10:
            return Attachment();
        default:
            return Page();
    }
}

// A window that follows the last one, or one after a jump of the song position, with notes
// mostly inside it; the input queue may fail to count or to hand out one record. The work of a
// call grows with its window's length (chunk by chunk while a key sounds), so windows stay
// within the tick budget; a window reaches the song range's end by starting near it.
void Session::Window() {
    const auto flags = in.ConsumeIntegral<uint8_t>();
    if ((flags & 1) != 0) from = ConsumeTick(in);
    int64_t length = in.ConsumeIntegralInRange<int32_t>(0, (flags & 2) != 0 ? kLongWindow : 300);
    length = std::min(length, ticksLeft);
    ticksLeft -= length;
    // Now and then a window that ends before it starts, which a host must not send.
    const int32_t thru = (flags & 4) != 0 ? timemath::AddSaturating(from, -length)
                                          : timemath::AddSaturating(from, length);

    events.records.clear();
    const int count = in.ConsumeIntegralInRange(0, 12);
    for (int i = 0; i < count; ++i)
        events.records.push_back(ConsumeEvent(from, static_cast<int32_t>(length)));
    events.failGetCount = (flags & 8) != 0;
    events.failGetAtIndex = (flags & 16) != 0 ? in.ConsumeIntegralInRange(0, count) : -1;

    played.records.clear();
    filter->FilterEvents(from, thru, &events, &played);
    filter.CheckPlayback(played);
    work += played.records.size();
    from = thru == timemath::kMax ? 0 : thru + 1;
}

EventRecord Session::ConsumeEvent(int32_t windowFrom, int32_t length) {
    EventRecord record{};
    const auto shape = in.ConsumeIntegral<uint8_t>();
    const int64_t offset = in.ConsumeIntegralInRange<int32_t>(-30, length + 30);
    record.time = static_cast<uint32_t>(
        (shape & 1) != 0 ? ConsumeTick(in) : timemath::AddSaturating(windowFrom, offset));
    record.kind = (shape & 2) != 0 ? in.ConsumeIntegral<uint32_t>() : kEventKindNote;
    record.key = in.ConsumeIntegral<uint8_t>();
    record.velocity = in.ConsumeIntegral<uint8_t>();
    record.duration = (shape & 4) != 0 ? static_cast<uint32_t>(ConsumeSetting(in, 0, 2000))
                                       : in.ConsumeIntegralInRange<uint32_t>(0, 500);
    if ((shape & 8) != 0) {
        record.hostBytes4[0] = in.ConsumeIntegral<uint8_t>();
        record.hostByte12 = in.ConsumeIntegral<uint8_t>();
        record.hostByte17 = in.ConsumeIntegral<uint8_t>();
    }
    return record;
}

// Note messages on any channel, now and then any other status; the queue may fail to hand
// out one of them. Half the keys come from one octave, so that presses and releases of the
// same keys meet across batches.
void Session::Batch() {
    messages.records.clear();
    const int count = in.ConsumeIntegralInRange(1, 16);
    for (int i = 0; i < count; ++i) {
        ShortMessageRecord message{};
        const auto status = in.ConsumeIntegral<uint8_t>();
        message.status = (status & 0x20) != 0 ? status : (status & 0x9F) | midi::kNoteOff;
        const auto key = in.ConsumeIntegral<uint8_t>();
        message.data1 = (status & 0x40) != 0 ? key : static_cast<uint8_t>(60 + key % 12);
        message.data2 = in.ConsumeIntegral<uint8_t>();
        message.time = in.ConsumeIntegral<uint8_t>();
        messages.records.push_back(message);
    }
    messages.failGetAtIndex = in.ConsumeIntegralInRange(-1, count);
    sent.records.clear();
    filter->FilterLiveInput(&messages, &sent);
    filter.CheckLive(sent);
    work += sent.records.size() + filter.Pending();
}

// The host ticks a few times, the clock moving by a few milliseconds between two ticks: a
// run of ticks in three bytes, so that short inputs reach a pending list filled by a long
// look-ahead.
void Session::Tick() {
    const int ticks = in.ConsumeIntegralInRange(1, 16);
    const auto ms = in.ConsumeIntegralInRange<uint32_t>(0, 50);
    messages.records.clear();
    messages.failGetAtIndex = -1;
    for (int i = 0; i < ticks && !Spent(); ++i) {
        filter.Door().AdvanceClock(ms);
        sent.records.clear();
        filter->FilterLiveInput(&messages, &sent);
        filter.CheckLive(sent);
        work += sent.records.size() + filter.Pending();
    }
}

void Session::Transport() {
    const int32_t time = ConsumeTick(in);
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            filter->PlaybackStarted(time, nullptr);
            from = time;
            break;
        case 1:
            filter->PlaybackLooped(time, ConsumeTick(in), nullptr);
            from = time;
            break;
        default:
            filter->PlaybackStopped(time, nullptr);
            break;
    }
}

// The page writes one field at a time under the lock; the tag, version and `enabled` are
// fields 13 to 18 of the block's 4-byte words.
void Session::EditField() {
    const int field = in.ConsumeIntegralInRange(0, 18);
    const int32_t value =
        field < kParamsFieldCount ? ConsumeField(in, field) : ConsumeSetting(in, 1, 1);
    filter.Door().EditParams([field, value](ArpeggiatorParams& params) {
        std::memcpy(reinterpret_cast<uint8_t*>(&params) + 4 * field, &value, sizeof value);
    });
}

// Any clock value, the wrap of the 32-bit count included, or a long jump forward.
void Session::Clock() {
    const auto ms = static_cast<uint32_t>(ConsumeSetting(in, 0, 100000));
    if (in.ConsumeBool()) {
        filter.Door().SetClock(ms);
    } else {
        filter.Door().AdvanceClock(ms);
    }
}

// Detach, then attach to a host with some of its services, perhaps with another tempo and
// look-ahead; or a tempo change while attached.
void Session::Attachment() {
    const HostShape shape = ConsumeHostShape(in);
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            filter.Reshape(shape);
            break;
        case 1:
            filter->DetachHost();
            break;
        default:
            filter->DetachHost();
            filter.Reshape(shape);
            filter.AttachTo(shape.services);
            break;
    }
}

// The page opens (ready for chord texts or not, its window there or not) or closes, or reads
// the chord text the engine handed it, which is always a whole, terminated text.
void Session::Page() {
    FuzzPage& page = filter.page;
    switch (in.ConsumeIntegralInRange(0, 2)) {
        case 0:
            page.ready = in.ConsumeBool();
            page.windowExists = in.ConsumeBool();
            filter.Door().BindEditorPage(&page);
            break;
        case 1:
            filter.Door().UnbindEditorPage(&page);
            break;
        default: {
            const ChordText name = filter.Door().CopyChordName();
            FUZZ_CHECK(name.length < ChordText::kCapacity && name.text[name.length] == L'\0');
            break;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzedDataProvider in(data, size);
    FuzzFilter& filter = FuzzFilter::Shared();
    const HostShape shape = ConsumeHostShape(in);
    filter.Begin(shape, ConsumeParams(in));
    Session session(filter, in);
    for (int call = 0; call < kMaxCalls && in.remaining_bytes() > 0 && !session.Spent(); ++call)
        session.Call();
    filter.End();
    return 0;
}
