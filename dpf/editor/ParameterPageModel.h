// The editor page's settings as a VST3 or CLAP host sees them: the plug-in's parameters. Every
// change the page makes becomes parameter edits inside one host gesture (begin, perform, end),
// so that hosts record automation; a parameter the host moves (automation, a preset, a state
// load, undo) refreshes the page. The chord name comes from the plug-in's mailbox.
//
// [ui thread] throughout: DPF calls the editor window and its idle timer on the host's ui
// thread, and the page calls the model only there, so the model needs no lock of its own.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "PageTempo.h"
#include "ParameterTable.h"
#include "editor/PageModel.h"

class ChordMailbox;

// Where the edits go: the plug-in window's parameter calls.
class ParameterGestures {
public:
    virtual void Begin(uint32_t index) = 0;
    virtual void Perform(uint32_t index, float value) = 0;
    virtual void End(uint32_t index) = 0;

protected:
    ~ParameterGestures() = default;
};

class ParameterPageModel final : public PageModel {
public:
    // What the plug-in object shares with its window: the chord names and the host's tempo.
    // Null without a plug-in object (no chord name is shown, units change without converting);
    // it outlives the model.
    struct PluginView {
        const ChordMailbox& chords;
        const std::atomic<double>& tempo;
    };
    ParameterPageModel(ParameterGestures& gestures, const PluginView* plugin);

    // The host set a parameter. Values the page itself sent come back unchanged and refresh
    // nothing.
    void FromHost(uint32_t index, float value);
    // The window's idle call: a new chord name is handed to the page.
    void Idle();

    // PageModel
    ArpeggiatorParams Read() const override { return block; }
    void Edit(const std::function<void(ArpeggiatorParams&)>& edit) override;
    void View(const std::function<void(const ArpeggiatorParams&)>& view) const override {
        view(block);
    }
    void BeginGesture() override { inGesture = true; }
    void EndGesture() override;
    // The plug-in ends the notes it let through when it sees "Play originals" go off.
    void FlushHeld() override {}
    IHostTimeConverter* TimeConverter() const override { return tempo ? &*tempo : nullptr; }
    std::wstring ChordName() const override { return chordName; }
    void Connect(IEditorPageLink* newPage) override { page = newPage; }

private:
    void Send(uint32_t setting);

    ParameterGestures& gestures;
    const ChordMailbox* chords;
    mutable std::optional<PageTempo> tempo;
    ArpeggiatorParams block;
    IEditorPageLink* page = nullptr;
    bool inGesture = false;
    // The settings whose parameters were begun in the open gesture, to be ended with it.
    std::array<bool, dpfparams::kSettingCount> begun{};
    uint32_t chordNumber = 0;
    std::wstring chordName;
};
