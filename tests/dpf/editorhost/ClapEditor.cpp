#include "ClapEditor.h"

#include <algorithm>
#include <cstring>

const void* ClapEditor::HostExtension(const clap_host_t*, const char* id) {
    static const clap_host_gui_t gui{
        [](const clap_host_t*) {}, [](const clap_host_t*, uint32_t, uint32_t) { return true; },
        [](const clap_host_t*) { return false; }, [](const clap_host_t*) { return false; },
        [](const clap_host_t*, bool) {}};
    // Every idle ticks every timer: the host's idle period stands for all of them.
    static const clap_host_timer_support_t timerSupport{
        [](const clap_host_t* host, uint32_t, clap_id* timer) {
            ClapEditor& self = Of(host);
            *timer = self.nextTimer++;
            self.timers.push_back(*timer);
            return true;
        },
        [](const clap_host_t* host, clap_id timer) {
            auto& timers = Of(host).timers;
            const auto found = std::find(timers.begin(), timers.end(), timer);
            if (found == timers.end()) return false;
            timers.erase(found);
            return true;
        }};
    if (std::strcmp(id, CLAP_EXT_GUI) == 0) return &gui;
    if (std::strcmp(id, CLAP_EXT_TIMER_SUPPORT) == 0) return &timerSupport;
    return nullptr;
}

void ClapEditor::Bind(const clap_plugin_t* bound) {
    plugin = bound;
    gui = static_cast<const clap_plugin_gui_t*>(plugin->get_extension(plugin, CLAP_EXT_GUI));
    timerSupport = static_cast<const clap_plugin_timer_support_t*>(
        plugin->get_extension(plugin, CLAP_EXT_TIMER_SUPPORT));
    params =
        static_cast<const clap_plugin_params_t*>(plugin->get_extension(plugin, CLAP_EXT_PARAMS));
}

void ClapEditor::Record(const clap_event_header_t* event) {
    if (event->space_id != CLAP_CORE_EVENT_SPACE_ID) return;
    const auto* parameter = reinterpret_cast<const clap_event_param_gesture_t*>(event);
    switch (event->type) {
        case CLAP_EVENT_PARAM_GESTURE_BEGIN:
            log.Begin(parameter->param_id);
            break;
        case CLAP_EVENT_PARAM_GESTURE_END:
            log.End(parameter->param_id);
            break;
        case CLAP_EVENT_PARAM_VALUE: {
            // Outputs (the chord root) report values with no gesture: nobody edits them.
            clap_param_info_t info{};
            const bool output = params->get_info(plugin, parameter->param_id, &info) &&
                                (info.flags & CLAP_PARAM_IS_READONLY) != 0;
            if (!output) log.Perform(parameter->param_id);
            break;
        }
        default:
            break;
    }
}

bool ClapEditor::Open(HWND parent) {
    if (gui == nullptr || timerSupport == nullptr ||
        !gui->is_api_supported(plugin, CLAP_WINDOW_API_WIN32, false) ||
        !gui->create(plugin, CLAP_WINDOW_API_WIN32, false))
        return false;
    created = true;
    clap_window_t window{CLAP_WINDOW_API_WIN32, {}};
    window.win32 = parent;
    return gui->set_parent(plugin, &window) && gui->show(plugin);
}

void ClapEditor::Close() {
    if (!created) return;
    gui->hide(plugin);
    gui->destroy(plugin);
    created = false;
    runBlock();
    log.Finish();
}

void ClapEditor::Idle() {
    for (const clap_id id : std::vector<clap_id>(timers)) timerSupport->on_timer(plugin, id);
    runBlock();
}
