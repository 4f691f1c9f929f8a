#include "LivePlayer.h"

#include <algorithm>

#include "engine/FilterAccess.h"

namespace {

// The bytes a MIDI message of this status byte has, so that a message that went through the
// engine's 3-byte records comes out as long as it came in.
uint32_t MidiLength(uint8_t status) {
    switch (status & midi::kKindMask) {
        case 0xC0:
        case 0xD0:
            return 2;
        case 0xF0:
            if (status == 0xF1 || status == 0xF3) return 2;
            return status == 0xF2 ? 3 : 1;
        default:
            return 3;
    }
}

// The fields a host sets; the tag, version and reserved bytes are the filter's own.
bool SameSettings(const ArpeggiatorParams& a, const ArpeggiatorParams& b) {
    return a.leftHandBottom == b.leftHandBottom && a.leftHandSpan == b.leftHandSpan &&
           a.arpBottom == b.arpBottom && a.arpSpan == b.arpSpan && a.swing == b.swing &&
           a.rateUnits == b.rateUnits && a.noteValue == b.noteValue &&
           a.pathDirection == b.pathDirection && a.rateAmount == b.rateAmount &&
           a.legato == b.legato && a.playOriginals == b.playOriginals &&
           a.leftHandWindowOn == b.leftHandWindowOn && a.keepInRange == b.keepInRange &&
           a.enabled == b.enabled;
}

}  // namespace

LivePlayer::LivePlayer(double sampleRate, PlayerOutput& out)
    : output(out),
      filter(new CArpeggiator),
      scheduler(*filter, chordLink, converter, sampleRate, *this),
      transport(sampleRate),
      applied(DefaultArpeggiatorParams()) {
    FilterAccess door(*filter);
    // The sample clock moves the engine's clock; no timer thread runs.
    door.StopClock();
    host.AddRef();  // AttachHost releases the reference it is handed
    filter->AttachHost(&host);
    door.BindEditorPage(&chordLink);
}

LivePlayer::~LivePlayer() {
    FilterAccess(*filter).UnbindEditorPage(&chordLink);
    filter->DetachHost();
    filter->Release();
}

void LivePlayer::BeginBlock(uint32_t frames) {
    blockFrames = frames;
    lastFrame = blockStart;
    if (restart) {
        restart = false;
        blockStart = lastFrame = 0;
        scheduler.Restart();
        EndEverything(0);
    }
}

void LivePlayer::EndBlock() {
    FlushBatch();
    if (blockFrames > 0) scheduler.AdvanceTo(blockStart + blockFrames - 1);
    blockStart += blockFrames;
}

// Switching the effect on or off ends every note first: the engine's bypass drops its pending
// messages, note-offs included, and the notes passed through while bypassed would never see
// theirs.
void LivePlayer::ApplySettings(const ArpeggiatorParams& wanted) {
    if (SameSettings(wanted, applied)) return;
    if (wanted.enabled != applied.enabled) EndEverything(blockStart);
    FilterAccess door(*filter);
    door.WriteParams(wanted);
    if (applied.playOriginals != 0 && wanted.playOriginals == 0) door.RequestFlushHeld();
    applied = wanted;
}

int64_t LivePlayer::Pin(uint32_t offset) {
    const int64_t within = std::clamp<int64_t>(offset, 0, std::max<int64_t>(blockFrames, 1) - 1);
    lastFrame = std::max(lastFrame, blockStart + within);
    return lastFrame;
}

// Channel and system messages of up to three bytes go to the engine, collected per frame into
// one batch; longer ones (system exclusive) pass unchanged while bypassed and are dropped while
// the effect works, as the engine drops every message that is not a note.
void LivePlayer::Midi(uint32_t offset, const uint8_t* bytes, uint32_t size) {
    const int64_t frame = Pin(offset);
    if (batchSize > 0 && frame != batchFrame) FlushBatch();
    if (size == 0 || size > 3 || bytes[0] < 0x80 || bytes[0] == 0xF0) {
        FlushBatch();
        if (applied.enabled == 0) {
            scheduler.AdvanceTo(frame);
            output.Midi(InBlock(frame), bytes, size);
        }
        return;
    }
    if (batchSize == LiveScheduler::kBatchCapacity) FlushBatch();
    ShortMessageRecord message{0, bytes[0], 0, 0, 0};
    if (size > 1) message.data1 = bytes[1];
    if (size > 2) message.data2 = bytes[2];
    held.Track(message);
    batch[batchSize++] = message;
    batchFrame = frame;
}

void LivePlayer::Transport(uint32_t offset, const TransportReport& report) {
    const int64_t frame = Pin(offset);
    FlushBatch();
    scheduler.AdvanceTo(frame);
    const TransportChange change = transport.Read(report, frame);
    if (change.usPerQuarter > 0) {
        converter.ChangeTempo(static_cast<int32_t>(scheduler.MsAt(frame)), change.usPerQuarter);
    }
    if (change.endNotes) EndEverything(frame);
}

void LivePlayer::FlushBatch() {
    if (batchSize == 0) return;
    scheduler.Batch(batchFrame, std::span(batch, batchSize));
    batchSize = 0;
}

void LivePlayer::EndEverything(int64_t frame) {
    FlushBatch();
    scheduler.AdvanceTo(frame);
    // PlaybackStarted empties the engine's pending list; the clock it resets is set again
    // before every call.
    filter->PlaybackStarted(0, &noQueue);
    scheduler.DropWaiting();
    held.EndAll([&](const ShortMessageRecord& off) {
        if (batchSize == LiveScheduler::kBatchCapacity) FlushBatch();
        batch[batchSize++] = off;
        batchFrame = frame;
    });
    FlushBatch();
    sounding.EndAll([&](const ShortMessageRecord& off) {
        const uint8_t bytes[3] = {off.status, off.data1, off.data2};
        output.Midi(InBlock(frame), bytes, 3);
    });
}

void LivePlayer::Place(int64_t frame, const ShortMessageRecord& message) {
    const uint8_t bytes[3] = {message.status, message.data1, message.data2};
    if (output.Midi(InBlock(frame), bytes, MidiLength(message.status))) sounding.Track(message);
}

void LivePlayer::ChordNamed(int64_t frame) {
    const ChordText name = FilterAccess(*filter).CopyChordName();
    char text[ChordText::kUtf8Capacity];
    const size_t length = name.ToUtf8(text, sizeof text);
    output.Chord(InBlock(frame), std::string_view(text, length));
}

uint32_t LivePlayer::InBlock(int64_t frame) const {
    if (blockFrames == 0) return 0;
    return static_cast<uint32_t>(std::clamp<int64_t>(frame - blockStart, 0, blockFrames - 1));
}
