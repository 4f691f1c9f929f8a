#include "Lv2TestHost.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include <lv2/atom/forge.h>
#include <lv2/atom/util.h>
#include <lv2/midi/midi.h>
#include <lv2/time/time.h>

TimedMidi NoteOn(int64_t frame, int key, int velocity, int channel) {
    return {frame,
            {static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(key),
             static_cast<uint8_t>(velocity)}};
}

TimedMidi NoteOff(int64_t frame, int key, int channel) {
    return {frame, {static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(key), 0}};
}

std::vector<TimedMidi> NoteOns(const std::vector<TimedMidi>& events) {
    std::vector<TimedMidi> ons;
    for (const TimedMidi& event : events) {
        if (event.bytes.size() == 3 && (event.bytes[0] & 0xF0) == 0x90 && event.bytes[2] > 0) {
            ons.push_back(event);
        }
    }
    return ons;
}

Lv2TestHost::Lv2TestHost(double sampleRate, uint32_t capacity, bool withLog)
    : library(ARP_LV2_LIBRARY),
      input(1 << 16),
      output(capacity / 8),
      notifyOut(512),
      outputCapacity(capacity) {
    mapFeature = {this, MapUri};
    logFeature = {this, Printf, VPrintf};
    auto entry = reinterpret_cast<LV2_Descriptor_Function>(library.Symbol("lv2_descriptor"));
    descriptor = entry != nullptr ? entry(0) : nullptr;
    if (descriptor == nullptr) return;
    const LV2_Feature mapped{LV2_URID__map, &mapFeature};
    const LV2_Feature logged{LV2_LOG__log, &logFeature};
    const LV2_Feature* features[] = {&mapped, withLog ? &logged : nullptr, nullptr};
    instance = descriptor->instantiate(descriptor, sampleRate, ARP_LV2_BUNDLE, features);
    if (instance == nullptr) return;
    const ArpeggiatorParams defaults = DefaultArpeggiatorParams();
    for (const ControlPort& port : ControlPorts()) {
        controls[port.Index() - lv2ports::kFirstControl] = static_cast<float>(port.In(defaults));
        descriptor->connect_port(instance, port.Index(),
                                 &controls[port.Index() - lv2ports::kFirstControl]);
    }
    descriptor->activate(instance);
}

Lv2TestHost::~Lv2TestHost() {
    if (instance != nullptr) {
        descriptor->deactivate(instance);
        descriptor->cleanup(instance);
    }
}

void Lv2TestHost::Set(std::string_view symbol, float value) {
    for (const ControlPort& port : ControlPorts()) {
        if (port.symbol == symbol) controls[port.Index() - lv2ports::kFirstControl] = value;
    }
}

void Lv2TestHost::Activate() { descriptor->activate(instance); }
void Lv2TestHost::Deactivate() { descriptor->deactivate(instance); }

LV2_URID Lv2TestHost::Map(const std::string& uri) {
    const auto found = urids.find(uri);
    if (found != urids.end()) return found->second;
    const auto id = static_cast<LV2_URID>(urids.size() + 1);
    urids.emplace(uri, id);
    return id;
}

LV2_URID Lv2TestHost::MapUri(LV2_URID_Map_Handle handle, const char* uri) {
    return static_cast<Lv2TestHost*>(handle)->Map(uri);
}

int Lv2TestHost::Printf(LV2_Log_Handle handle, LV2_URID type, const char* format, ...) {
    va_list args;
    va_start(args, format);
    const int written = VPrintf(handle, type, format, args);
    va_end(args);
    return written;
}

int Lv2TestHost::VPrintf(LV2_Log_Handle handle, LV2_URID, const char* format, va_list args) {
    char text[256];
    const int written = std::vsnprintf(text, sizeof text, format, args);
    static_cast<Lv2TestHost*>(handle)->traces.emplace_back(text);
    return written;
}

void Lv2TestHost::Prepare(uint32_t frames, const std::vector<TimedMidi>& midi,
                          const std::vector<Position>& positions) {
    LV2_Atom_Forge forge;
    lv2_atom_forge_init(&forge, &mapFeature);
    lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(input.data()),
                              input.size() * sizeof(uint64_t));
    LV2_Atom_Forge_Frame sequence;
    lv2_atom_forge_sequence_head(&forge, &sequence, 0);
    size_t m = 0;
    size_t p = 0;
    auto inBlock = [&](int64_t at) { return at >= frame && at < frame + frames; };
    while (true) {
        while (m < midi.size() && !inBlock(midi[m].frame)) ++m;
        while (p < positions.size() && !inBlock(positions[p].frame)) ++p;
        const bool haveMidi = m < midi.size();
        const bool havePosition = p < positions.size();
        if (!haveMidi && !havePosition) break;
        if (havePosition && (!haveMidi || positions[p].frame <= midi[m].frame)) {
            const Position& at = positions[p++];
            lv2_atom_forge_frame_time(&forge, at.frame - frame);
            LV2_Atom_Forge_Frame object;
            lv2_atom_forge_object(&forge, &object, 0, Map(LV2_TIME__Position));
            if (at.hostFrame) {
                lv2_atom_forge_key(&forge, Map(LV2_TIME__frame));
                lv2_atom_forge_long(&forge, *at.hostFrame);
            }
            if (at.speed) {
                lv2_atom_forge_key(&forge, Map(LV2_TIME__speed));
                lv2_atom_forge_float(&forge, static_cast<float>(*at.speed));
            }
            if (at.beatsPerMinute) {
                lv2_atom_forge_key(&forge, Map(LV2_TIME__beatsPerMinute));
                lv2_atom_forge_float(&forge, static_cast<float>(*at.beatsPerMinute));
                lv2_atom_forge_key(&forge, Map(LV2_TIME__beatUnit));
                lv2_atom_forge_int(&forge, 4);
            }
            lv2_atom_forge_pop(&forge, &object);
        } else {
            const TimedMidi& event = midi[m++];
            lv2_atom_forge_frame_time(&forge, event.frame - frame);
            lv2_atom_forge_atom(&forge, static_cast<uint32_t>(event.bytes.size()),
                                Map(LV2_MIDI__MidiEvent));
            lv2_atom_forge_write(&forge, event.bytes.data(),
                                 static_cast<uint32_t>(event.bytes.size()));
        }
    }
    lv2_atom_forge_pop(&forge, &sequence);
}

void Lv2TestHost::Collect() {
    CollectOutput();
    frame += lastBlock;
}

void Lv2TestHost::RunPrepared(uint32_t frames) {
    auto* out = reinterpret_cast<LV2_Atom_Sequence*>(output.data());
    out->atom.size = outputCapacity - static_cast<uint32_t>(sizeof(LV2_Atom));
    out->atom.type = 0;
    auto* note = reinterpret_cast<LV2_Atom_Sequence*>(notifyOut.data());
    note->atom.size = static_cast<uint32_t>(notifyOut.size() * sizeof(uint64_t) - sizeof(LV2_Atom));
    note->atom.type = 0;
    descriptor->connect_port(instance, lv2ports::kMidiIn, input.data());
    descriptor->connect_port(instance, lv2ports::kMidiOut, out);
    descriptor->connect_port(instance, lv2ports::kNotify, note);
    descriptor->run(instance, frames);
    lastBlock = frames;
}

void Lv2TestHost::RunBlock(uint32_t frames, const std::vector<TimedMidi>& midi,
                           const std::vector<Position>& positions) {
    Prepare(frames, midi, positions);
    RunPrepared(frames);
    Collect();
}

void Lv2TestHost::Play(int64_t frames, uint32_t blockSize, const std::vector<TimedMidi>& midi,
                       const std::vector<Position>& positions) {
    const int64_t end = frame + frames;
    while (frame < end) {
        RunBlock(static_cast<uint32_t>(std::min<int64_t>(blockSize, end - frame)), midi, positions);
    }
}

void Lv2TestHost::CollectOutput() {
    const auto* out = reinterpret_cast<const LV2_Atom_Sequence*>(output.data());
    LV2_ATOM_SEQUENCE_FOREACH(out, event) {
        const auto* bytes = static_cast<const uint8_t*>(LV2_ATOM_BODY_CONST(&event->body));
        midiOut.push_back({frame + event->time.frames, {bytes, bytes + event->body.size}});
    }
    const auto* note = reinterpret_cast<const LV2_Atom_Sequence*>(notifyOut.data());
    LV2_ATOM_SEQUENCE_FOREACH(note, event) {
        const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&event->body);
        const LV2_Atom* value = nullptr;
        lv2_atom_object_get(object, Map("http://lv2plug.in/ns/ext/patch#value"), &value, 0);
        if (value == nullptr) continue;
        notify.push_back(
            {frame + event->time.frames, static_cast<const char*>(LV2_ATOM_BODY_CONST(value))});
    }
}
