// The DPF plug-in's editor window on Windows: the editor page, embedded in the window a VST3 or
// CLAP host hands over, at the page's own size, over the plug-in's parameters. A thin
// container like the COM property page: the page does not know which one holds it.
//
// [ui thread] throughout: DPF makes, idles and deletes this object on the host's ui thread.
#pragma once

#include <optional>

#include "DistrhoUI.hpp"
#include "ParameterPageModel.h"
#include "editor/ArpeggiatorPage.h"

START_NAMESPACE_DISTRHO

class ArpeggiatorUi final : public UI, private ParameterGestures {
public:
    ArpeggiatorUi();
    ~ArpeggiatorUi() override;

protected:
    void parameterChanged(uint32_t index, float value) override { model.FromHost(index, value); }
    // Every setting is also a parameter, and parameters reach the page above.
    void stateChanged(const char*, const char*) override {}
    void uiIdle() override { model.Idle(); }
    uintptr_t getNativeWindowHandle() const noexcept override;
    void visibilityChanged(bool visible) override;

private:
    // ParameterGestures
    void Begin(uint32_t index) override { editParameter(index, true); }
    void Perform(uint32_t index, float value) override { setParameterValue(index, value); }
    void End(uint32_t index) override { editParameter(index, false); }

    // What the plug-in object shares with the page, before the model that reads it.
    std::optional<ParameterPageModel::PluginView> plugin;
    ParameterPageModel model;
    ArpeggiatorPage page;

    DISTRHO_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(ArpeggiatorUi)
};

END_NAMESPACE_DISTRHO
