// The CLAP host's editor side (Windows only): the host's gui and timer-support extensions, the
// plug-in's gui opened in a Win32 parent, its timers called from the host's idle, and the
// gesture events the plug-in writes to process()'s output as the gesture log.
#pragma once

#include <functional>
#include <vector>

#include "FormatEditor.h"
#include "clap/ext/gui.h"
#include "clap/ext/params.h"
#include "clap/ext/timer-support.h"
#include "clap/plugin.h"

class ClapEditor final : public FormatEditor {
public:
    // `runBlock` runs one block with no input: the plug-in emits the editor's queued gestures
    // there, through Record().
    explicit ClapEditor(std::function<void()> emptyBlock) : runBlock(std::move(emptyBlock)) {}

    // The host's get_extension, for a host whose host_data is this editor.
    static const void* HostExtension(const clap_host_t* host, const char* id);
    // After the plug-in's init.
    void Bind(const clap_plugin_t* plugin);
    // An output event of process(); all but the parameter events are left to the caller.
    void Record(const clap_event_header_t* event);

    bool Open(HWND parent) override;
    void Close() override;
    void Idle() override;
    GestureLog& Gestures() override { return log; }

private:
    static ClapEditor& Of(const clap_host_t* host) {
        return *static_cast<ClapEditor*>(host->host_data);
    }

    std::function<void()> runBlock;
    const clap_plugin_t* plugin = nullptr;
    const clap_plugin_gui_t* gui = nullptr;
    const clap_plugin_timer_support_t* timerSupport = nullptr;
    const clap_plugin_params_t* params = nullptr;
    std::vector<clap_id> timers;
    clap_id nextTimer = 1;
    bool created = false;
    GestureLog log;
};
