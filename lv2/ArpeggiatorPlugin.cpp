#include "ArpeggiatorPlugin.h"

#include <algorithm>
#include <cstring>

#include <lv2/atom/util.h>

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

bool SameSettings(const ArpeggiatorParams& a, const ArpeggiatorParams& b) {
    for (const ControlPort& port : ControlPorts()) {
        if (port.In(a) != port.In(b)) return false;
    }
    return true;
}

}  // namespace

ArpeggiatorPlugin::ArpeggiatorPlugin(double sampleRate, LV2_URID_Map* urids, LV2_Log_Log* logger)
    : log(logger),
      uris(urids),
      midiWriter(urids, uris),
      notifyWriter(urids, uris),
      filter(new CArpeggiator),
      scheduler(*filter, chordLink, converter, sampleRate, *this),
      transport(uris, sampleRate),
      applied(DefaultArpeggiatorParams()) {
    FilterAccess door(*filter);
    // The sample clock moves the engine's clock; no timer thread runs.
    door.StopClock();
    host.AddRef();  // AttachHost releases the reference it is handed
    filter->AttachHost(&host);
    door.BindEditorPage(&chordLink);
}

ArpeggiatorPlugin::~ArpeggiatorPlugin() {
    FilterAccess(*filter).UnbindEditorPage(&chordLink);
    filter->DetachHost();
    filter->Release();
}

void ArpeggiatorPlugin::ConnectPort(uint32_t port, void* data) {
    switch (port) {
        case lv2ports::kMidiIn:
            midiIn = static_cast<const LV2_Atom_Sequence*>(data);
            break;
        case lv2ports::kMidiOut:
            midiOut = static_cast<LV2_Atom_Sequence*>(data);
            break;
        case lv2ports::kNotify:
            notify = static_cast<LV2_Atom_Sequence*>(data);
            break;
        default:
            controls.Connect(port, static_cast<const float*>(data));
            break;
    }
}

void ArpeggiatorPlugin::Run(uint32_t frames) {
    blockFrames = frames;
    midiWriter.Begin(midiOut);
    notifyWriter.Begin(notify);
    if (restart) {
        restart = false;
        blockStart = 0;
        scheduler.Restart();
        EndEverything(0);
    }
    ApplyControls();
    ReadInput();
    if (frames > 0) scheduler.AdvanceTo(blockStart + frames - 1);
    blockStart += frames;
    midiWriter.End();
    notifyWriter.End();
}

// The settings take effect at the block's first frame, so a step the engine generates from
// then on follows them. Switching the effect on or off ends every note first: the engine's
// bypass drops its pending messages, note-offs included, and the notes passed through while
// bypassed would never see theirs.
void ArpeggiatorPlugin::ApplyControls() {
    const ArpeggiatorParams& wanted = controls.Read();
    if (SameSettings(wanted, applied)) return;
    if (wanted.enabled != applied.enabled) EndEverything(blockStart);
    FilterAccess door(*filter);
    door.WriteParams(wanted);
    if (applied.playOriginals != 0 && wanted.playOriginals == 0) door.RequestFlushHeld();
    applied = wanted;
}

void ArpeggiatorPlugin::ReadInput() {
    if (midiIn == nullptr) return;
    int64_t last = blockStart;
    LV2_ATOM_SEQUENCE_FOREACH(midiIn, event) {
        // Out-of-order or out-of-block times are pinned, so the output stays in frame order.
        const int64_t offset = std::clamp<int64_t>(event->time.frames, 0, blockFrames - 1);
        const int64_t frame = std::max(last, blockStart + offset);
        last = frame;
        if (event->body.type == uris.midiEvent) {
            TakeMidi(frame, &event->body);
            continue;
        }
        const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&event->body);
        const bool isObject =
            event->body.type == uris.atomObject || event->body.type == uris.atomBlank;
        if (isObject && object->body.otype == uris.timePosition) TakePosition(frame, object);
    }
    FlushBatch();
}

// Channel and system messages of up to three bytes go to the engine, collected per frame into
// one batch; longer ones (system exclusive) pass unchanged while bypassed and are dropped while
// the effect works, as the engine drops every message that is not a note.
void ArpeggiatorPlugin::TakeMidi(int64_t frame, const LV2_Atom* event) {
    const auto* bytes = static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(event));
    if (batchSize > 0 && frame != batchFrame) FlushBatch();
    if (event->size == 0 || event->size > 3 || bytes[0] < 0x80 || bytes[0] == 0xF0) {
        FlushBatch();
        if (applied.enabled == 0) PassUnchanged(frame, event);
        return;
    }
    if (batchSize == LiveScheduler::kBatchCapacity) FlushBatch();
    ShortMessageRecord message{0, bytes[0], 0, 0, 0};
    if (event->size > 1) message.data1 = bytes[1];
    if (event->size > 2) message.data2 = bytes[2];
    held.Track(message);
    batch[batchSize++] = message;
    batchFrame = frame;
}

void ArpeggiatorPlugin::FlushBatch() {
    if (batchSize == 0) return;
    scheduler.Batch(batchFrame, std::span(batch, batchSize));
    batchSize = 0;
}

void ArpeggiatorPlugin::PassUnchanged(int64_t frame, const LV2_Atom* event) {
    scheduler.AdvanceTo(frame);
    midiWriter.Midi(InBlock(frame), static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(event)),
                    event->size);
}

void ArpeggiatorPlugin::TakePosition(int64_t frame, const LV2_Atom_Object* position) {
    FlushBatch();
    scheduler.AdvanceTo(frame);
    const TransportChange change = transport.Read(position, frame);
    if (change.usPerQuarter > 0) {
        converter.ChangeTempo(static_cast<int32_t>(scheduler.MsAt(frame)), change.usPerQuarter);
    }
    if (change.endNotes) EndEverything(frame);
}

void ArpeggiatorPlugin::EndEverything(int64_t frame) {
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
        midiWriter.Midi(InBlock(frame), bytes, 3);
    });
}

void ArpeggiatorPlugin::Place(int64_t frame, const ShortMessageRecord& message) {
    const uint8_t bytes[3] = {message.status, message.data1, message.data2};
    if (midiWriter.Midi(InBlock(frame), bytes, MidiLength(message.status))) {
        sounding.Track(message);
    }
}

void ArpeggiatorPlugin::ChordNamed(int64_t frame) {
    const ChordText name = FilterAccess(*filter).CopyChordName();
    char text[ChordText::kUtf8Capacity];
    const size_t length = name.ToUtf8(text, sizeof text);
    notifyWriter.SetString(InBlock(frame), uris.chord, std::string_view(text, length));
    // A trace is the one log entry the audio thread may post; hosts show it when tracing.
    if (log != nullptr) log->printf(log->handle, uris.logTrace, "Arpeggiator chord: %s\n", text);
}

uint32_t ArpeggiatorPlugin::InBlock(int64_t frame) const {
    if (blockFrames == 0) return 0;
    return static_cast<uint32_t>(std::clamp<int64_t>(frame - blockStart, 0, blockFrames - 1));
}
