#include "ArpeggiatorDpf.h"

#include <cstring>

#include "HexText.h"

START_NAMESPACE_DISTRHO

namespace {

constexpr const char* kStateKey = "settings";

}  // namespace

ArpeggiatorDpf::ArpeggiatorDpf()
    : Plugin(dpfparams::kCount, 0, 1),
      player(std::make_unique<LivePlayer>(getSampleRate(), static_cast<PlayerOutput&>(*this))) {
    StoreSettings(DefaultArpeggiatorParams());
}

const char* ArpeggiatorDpf::getDescription() const {
    return "Replaces held notes by a rhythmic arpeggio; names the chord of a left-hand window";
}

void ArpeggiatorDpf::initParameter(uint32_t index, Parameter& parameter) {
    dpfparams::Describe(index, parameter);
}

void ArpeggiatorDpf::initState(uint32_t index, State& state) {
    if (index != 0) return;
    state.key = kStateKey;
    state.label = "Settings";
    state.description = "The 76-byte settings block, as the Windows plug-in stores it";
    const std::lock_guard<std::mutex> hold(stateLock);
    state.defaultValue = ToHex(image.Save(DefaultArpeggiatorParams())).c_str();
}

float ArpeggiatorDpf::getParameterValue(uint32_t index) const {
    if (index == dpfparams::kChordRoot) {
        return static_cast<float>(chordRoot.load(std::memory_order_relaxed));
    }
    const uint32_t setting = dpfparams::SettingOf(index);
    if (setting == dpfparams::kSettingCount) return 0.0f;
    return dpfparams::ValueFromSetting(setting, settings[setting].load(std::memory_order_relaxed));
}

void ArpeggiatorDpf::setParameterValue(uint32_t index, float value) {
    const uint32_t setting = dpfparams::SettingOf(index);
    if (setting == dpfparams::kSettingCount || std::isnan(value)) return;
    settings[setting].store(dpfparams::SettingFromValue(setting, value), std::memory_order_relaxed);
}

ArpeggiatorParams ArpeggiatorDpf::Settings() const {
    ArpeggiatorParams params = DefaultArpeggiatorParams();
    const auto ports = ControlPorts();
    for (size_t i = 0; i < ports.size(); ++i) {
        ports[i].In(params) = settings[i].load(std::memory_order_relaxed);
    }
    NarrowSpans(params);
    return params;
}

// Each value is held within its parameter's range, as a host would have set it.
void ArpeggiatorDpf::StoreSettings(const ArpeggiatorParams& params) {
    const auto ports = ControlPorts();
    for (size_t i = 0; i < ports.size(); ++i) {
        const int32_t value = ports[i].In(params);
        settings[i].store(ControlValue(ports[i], static_cast<float>(value)),
                          std::memory_order_relaxed);
    }
}

String ArpeggiatorDpf::getState(const char* key) const {
    if (std::strcmp(key, kStateKey) != 0) return String();
    const std::lock_guard<std::mutex> hold(stateLock);
    return String(ToHex(image.Save(Settings())).c_str());
}

// A value that is not a settings block the filter accepts changes nothing.
void ArpeggiatorDpf::setState(const char* key, const char* value) {
    if (key == nullptr || value == nullptr || std::strcmp(key, kStateKey) != 0) return;
    const std::optional<std::vector<uint8_t>> bytes = FromHex(value);
    if (!bytes) return;
    const std::lock_guard<std::mutex> hold(stateLock);
    if (const std::optional<ArpeggiatorParams> loaded = image.Load(*bytes, Settings())) {
        StoreSettings(*loaded);
    }
}

void ArpeggiatorDpf::sampleRateChanged(double newSampleRate) {
    player = std::make_unique<LivePlayer>(newSampleRate, static_cast<PlayerOutput&>(*this));
}

void ArpeggiatorDpf::run(const float**, float**, uint32_t frames, const MidiEvent* events,
                         uint32_t eventCount) {
    player->BeginBlock(frames);
    player->ApplySettings(Settings());
    // DPF gives the transport once per block, at its first frame.
    const TimePosition& position = getTimePosition();
    TransportReport report{static_cast<double>(position.frame), position.playing ? 1.0 : 0.0,
                           std::nullopt};
    // VST3's and CLAP's tempo counts quarter notes whatever the metre; DPF gives it even when
    // the host gives no bar position (and 120 when it gives none at all).
    if (position.bbt.beatsPerMinute > 0.0) {
        report.quartersPerMinute = position.bbt.beatsPerMinute;
        hostTempo.store(position.bbt.beatsPerMinute, std::memory_order_relaxed);
    }
    player->Transport(0, report);
    for (uint32_t i = 0; i < eventCount; ++i) {
        const MidiEvent& event = events[i];
        const uint8_t* bytes = event.size > MidiEvent::kDataSize ? event.dataExt : event.data;
        if (bytes != nullptr) player->Midi(event.frame, bytes, event.size);
    }
    player->EndBlock();
}

bool ArpeggiatorDpf::Midi(uint32_t offset, const uint8_t* bytes, uint32_t size) {
    MidiEvent event{};
    event.frame = offset;
    event.size = size;
    if (size > MidiEvent::kDataSize) {
        event.dataExt = bytes;
    } else {
        std::memcpy(event.data, bytes, size);
    }
    return writeMidiEvent(event);
}

void ArpeggiatorDpf::Chord(uint32_t, std::string_view text) {
    chordRoot.store(dpfparams::ChordRootOf(text), std::memory_order_relaxed);
    chordNames.Put(text);
}

Plugin* createPlugin() { return new ArpeggiatorDpf(); }

END_NAMESPACE_DISTRHO
