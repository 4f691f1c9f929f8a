// The plug-in class DPF builds as VST3, CLAP and the standalone JACK program: a host of the
// engine through the format-free LivePlayer, as the LV2 plug-in is. Parameters one per setting
// (ParameterTable.h), the settings as the one state value "settings" (the 76-byte block in
// hexadecimal), the recognised chord's root as an output parameter.
//
// Threads: DPF calls the constructor, activate, deactivate, sampleRateChanged and the
// destructor from the host's main thread, never during run ([main thread]); run on the audio
// thread ([run thread]); parameter and state calls on either ([any thread]). Parameters live in
// atomics that run reads once per block; run allocates nothing and takes no lock but the
// filter's own, which only the run thread takes.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

#include "DistrhoPlugin.hpp"
#include "ChordMailbox.h"
#include "LivePlayer.h"
#include "ParameterTable.h"
#include "SettingsImage.h"

START_NAMESPACE_DISTRHO

class ArpeggiatorDpf final : public Plugin, private PlayerOutput {
public:
    ArpeggiatorDpf();

    // The recognised chord's full name, for the editor window that reaches this object
    // directly (the formats carry only its root). [any thread]
    const ChordMailbox& ChordNames() const { return chordNames; }
    // The host's tempo in quarter notes per minute as the last block read it, for the editor's
    // conversion of the rate between units. [any thread]
    const std::atomic<double>& HostTempo() const { return hostTempo; }

protected:
    const char* getLabel() const override { return "Arpeggiator"; }
    const char* getDescription() const override;
    const char* getMaker() const override { return "Arpeggiator"; }
    const char* getLicense() const override { return "Proprietary"; }
    uint32_t getVersion() const override { return d_version(1, 0, 0); }
    int64_t getUniqueId() const override { return d_cconst('A', 'r', 'p', 'g'); }

    void initParameter(uint32_t index, Parameter& parameter) override;
    void initState(uint32_t index, State& state) override;
    float getParameterValue(uint32_t index) const override;
    void setParameterValue(uint32_t index, float value) override;
    String getState(const char* key) const override;
    void setState(const char* key, const char* value) override;

    void activate() override { player->Restart(); }
    void deactivate() override { player->Restart(); }
    void sampleRateChanged(double newSampleRate) override;
    void run(const float**, float**, uint32_t frames, const MidiEvent* events,
             uint32_t eventCount) override;

private:
    // PlayerOutput
    bool Midi(uint32_t offset, const uint8_t* bytes, uint32_t size) override;
    void Chord(uint32_t offset, std::string_view text) override;

    ArpeggiatorParams Settings() const;
    void StoreSettings(const ArpeggiatorParams& params);

    std::array<std::atomic<int32_t>, dpfparams::kSettingCount> settings;
    std::atomic<int32_t> chordRoot{dpfparams::kNoChord};
    ChordMailbox chordNames;
    std::atomic<double> hostTempo{120.0};
    std::unique_ptr<LivePlayer> player;
    // State calls may come from several host threads; the image's filter is theirs alone.
    mutable std::mutex stateLock;
    mutable SettingsImage image;

    DISTRHO_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ArpeggiatorDpf)
};

END_NAMESPACE_DISTRHO
