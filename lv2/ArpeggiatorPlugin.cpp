#include "ArpeggiatorPlugin.h"

#include <algorithm>
#include <cstdint>

#include <lv2/atom/util.h>

ArpeggiatorPlugin::ArpeggiatorPlugin(double sampleRate, LV2_URID_Map* urids, LV2_Log_Log* logger)
    : log(logger),
      uris(urids),
      midiWriter(urids, uris),
      notifyWriter(urids, uris),
      player(sampleRate, *this) {}

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
    midiWriter.Begin(midiOut);
    notifyWriter.Begin(notify);
    player.BeginBlock(frames);
    player.ApplySettings(controls.Read());
    ReadInput();
    player.EndBlock();
    midiWriter.End();
    notifyWriter.End();
}

void ArpeggiatorPlugin::ReadInput() {
    if (midiIn == nullptr) return;
    LV2_ATOM_SEQUENCE_FOREACH(midiIn, event) {
        const auto offset =
            static_cast<uint32_t>(std::clamp<int64_t>(event->time.frames, 0, UINT32_MAX));
        if (event->body.type == uris.midiEvent) {
            player.Midi(offset, static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(&event->body)),
                        event->body.size);
            continue;
        }
        const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&event->body);
        const bool isObject =
            event->body.type == uris.atomObject || event->body.type == uris.atomBlank;
        if (isObject && object->body.otype == uris.timePosition) {
            player.Transport(offset, positions.Read(object));
        }
    }
}

bool ArpeggiatorPlugin::Midi(uint32_t offset, const uint8_t* bytes, uint32_t size) {
    return midiWriter.Midi(offset, bytes, size);
}

void ArpeggiatorPlugin::Chord(uint32_t offset, std::string_view text) {
    notifyWriter.SetString(offset, uris.chord, text);
    // A trace is the one log entry the audio thread may post; hosts show it when tracing.
    if (log != nullptr) {
        log->printf(log->handle, uris.logTrace, "Arpeggiator chord: %.*s\n",
                    static_cast<int>(text.size()), text.data());
    }
}
