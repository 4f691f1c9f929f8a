// The VST3 host's editor side (Windows only). DPF's editor talks to its controller in messages
// the host makes (IHostApplication::createInstance of IMessage and IAttributeList), so the host
// hands its application to the component's initialize; edits reach the host through the
// component handler set on the controller, which keeps the gesture log. The view is made by
// the controller and attached to a Win32 parent; DPF idles it from a timer of its own.
#pragma once

#include "FormatEditor.h"
#include "travesty/edit_controller.h"
#include "travesty/view.h"

class Vst3Editor final : public FormatEditor {
public:
    // For the component's initialize.
    v3_funknown** HostContext() { return reinterpret_cast<v3_funknown**>(&application); }
    // Once the controller is there; the plug-in's parameters start at `firstParameter`.
    void Bind(v3_edit_controller** controller, int32_t firstParameter);

    bool Open(HWND parent) override;
    void Close() override;
    void Idle() override {}
    GestureLog& Gestures() override { return log; }

private:
    struct Application {
        const void* vtable;
    };
    struct Handler {
        const void* vtable;
        Vst3Editor* editor;
    };
    static const void* ApplicationVtable();
    static const void* HandlerVtable();
    uint32_t IndexOf(v3_param_id id) const { return id - static_cast<uint32_t>(first); }

    Application application{ApplicationVtable()};
    Handler handler{HandlerVtable(), this};
    v3_edit_controller** controller = nullptr;
    int32_t first = 0;
    v3_plugin_view** view = nullptr;
    GestureLog log;
};
