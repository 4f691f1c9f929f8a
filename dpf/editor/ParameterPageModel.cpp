#include "ParameterPageModel.h"

#include "ChordMailbox.h"

ParameterPageModel::ParameterPageModel(ParameterGestures& parameterGestures,
                                       const PluginView* plugin)
    : gestures(parameterGestures),
      chords(plugin != nullptr ? &plugin->chords : nullptr),
      block(DefaultArpeggiatorParams()) {
    if (plugin != nullptr) tempo.emplace(plugin->tempo);
}

void ParameterPageModel::FromHost(uint32_t index, float value) {
    const uint32_t setting = dpfparams::SettingOf(index);
    if (setting == dpfparams::kSettingCount) return;
    int32_t& held = ControlPorts()[setting].In(block);
    const int32_t hostValue = dpfparams::SettingFromValue(setting, value);
    if (held == hostValue) return;
    held = hostValue;
    if (page != nullptr && page->WindowExists()) page->RefreshAllControls();
}

void ParameterPageModel::Edit(const std::function<void(ArpeggiatorParams&)>& edit) {
    const ArpeggiatorParams before = block;
    edit(block);
    const auto ports = ControlPorts();
    for (uint32_t i = 0; i < dpfparams::kSettingCount; ++i) {
        if (ports[i].In(block) != ports[i].In(before)) Send(i);
    }
}

// A parameter's first change in a gesture begins it there; an edit outside any gesture is one
// of its own.
void ParameterPageModel::Send(uint32_t setting) {
    int32_t& held = ControlPorts()[setting].In(block);
    const float value = dpfparams::ValueFromSetting(setting, held);
    // What the host will hold, so that its echo refreshes nothing.
    held = dpfparams::SettingFromValue(setting, value);
    const uint32_t index = dpfparams::ParameterOf(setting);
    if (!inGesture) {
        gestures.Begin(index);
        gestures.Perform(index, value);
        gestures.End(index);
        return;
    }
    if (!begun[setting]) gestures.Begin(index);
    begun[setting] = true;
    gestures.Perform(index, value);
}

void ParameterPageModel::EndGesture() {
    inGesture = false;
    for (uint32_t i = 0; i < dpfparams::kSettingCount; ++i) {
        if (begun[i]) gestures.End(dpfparams::ParameterOf(i));
        begun[i] = false;
    }
}

void ParameterPageModel::Idle() {
    if (chords == nullptr || chords->Number() == chordNumber) return;
    const std::optional<ChordMailbox::Letter> letter = chords->Read();
    if (!letter) return;  // a name is being written: the next idle call reads it
    chordNumber = letter->number;
    // The recogniser's names are ASCII.
    chordName.assign(letter->text.begin(), letter->text.end());
    if (page != nullptr && page->IsReadyForChordText()) page->PostChordNotification();
}
