// A short CLAP host: load the built .clap, clap_entry, the plug-in factory, one plug-in with
// its params and state extensions, and process() with MIDI, parameter and transport events.
#include <cstring>
#include <string>

#include "FormatHost.h"
#include "clap/entry.h"
#include "clap/ext/params.h"
#include "clap/ext/state.h"
#include "clap/plugin-factory.h"
#include "platform/DynamicLibrary.h"
#ifdef _WIN32
#include "editorhost/ClapEditor.h"
#endif

namespace {

template <typename Event>
clap_event_header_t Header(uint32_t time, uint16_t type) {
    return {sizeof(Event), time, CLAP_CORE_EVENT_SPACE_ID, type, 0};
}

class ClapHost final : public FormatHost {
public:
    ClapHost(double rate, uint32_t maxBlock) {
#ifdef _WIN32
        host.host_data = &editor;
#endif
        entry = static_cast<const clap_plugin_entry_t*>(library.Symbol("clap_entry"));
        if (entry == nullptr || !entry->init(ARP_DPF_CLAP)) return;
        const auto* factory =
            static_cast<const clap_plugin_factory_t*>(entry->get_factory(CLAP_PLUGIN_FACTORY_ID));
        const clap_plugin_descriptor_t* descriptor = factory->get_plugin_descriptor(factory, 0);
        plugin = factory->create_plugin(factory, &host, descriptor->id);
        if (plugin == nullptr || !plugin->init(plugin)) return;
#ifdef _WIN32
        editor.Bind(plugin);
#endif
        params = static_cast<const clap_plugin_params_t*>(
            plugin->get_extension(plugin, CLAP_EXT_PARAMS));
        state =
            static_cast<const clap_plugin_state_t*>(plugin->get_extension(plugin, CLAP_EXT_STATE));
        active = plugin->activate(plugin, rate, 1, maxBlock) && plugin->start_processing(plugin);
    }
    ~ClapHost() override {
        if (active) {
            plugin->stop_processing(plugin);
            plugin->deactivate(plugin);
        }
        if (plugin != nullptr) plugin->destroy(plugin);
        if (entry != nullptr) entry->deinit();
    }

    bool Loaded() const override { return active && params != nullptr && state != nullptr; }

    void SetParameter(uint32_t index, double plain) override {
        // clang-format off
        clap_event_param_value_t event{Header<clap_event_param_value_t>(0, CLAP_EVENT_PARAM_VALUE), index, nullptr, -1, -1, -1, -1, plain};
        // clang-format on
        paramEvents.push_back(event);
    }
    double Parameter(uint32_t index) override {
        double value = -1.0;
        params->get_value(plugin, index, &value);
        return value;
    }

    std::vector<uint8_t> SaveState() override {
        std::vector<uint8_t> blob;
        clap_ostream_t out{&blob, [](const clap_ostream_t* s, const void* data, uint64_t size) {
                               auto* bytes = static_cast<const uint8_t*>(data);
                               static_cast<std::vector<uint8_t>*>(s->ctx)->insert(
                                   static_cast<std::vector<uint8_t>*>(s->ctx)->end(), bytes,
                                   bytes + size);
                               return static_cast<int64_t>(size);
                           }};
        state->save(plugin, &out);
        return blob;
    }
    bool LoadState(const std::vector<uint8_t>& blob) override {
        std::pair<const std::vector<uint8_t>*, size_t> cursor{&blob, 0};
        clap_istream_t in{&cursor, [](const clap_istream_t* s, void* buffer, uint64_t size) {
                              auto& [bytes, at] = *static_cast<decltype(cursor)*>(s->ctx);
                              const size_t count = std::min<size_t>(size, bytes->size() - at);
                              std::memcpy(buffer, bytes->data() + at, count);
                              at += count;
                              return static_cast<int64_t>(count);
                          }};
        return state->load(plugin, &in);
    }

    void Run(uint32_t frames, const BlockTransport& transport, const std::vector<BlockMidi>& in,
             std::vector<BlockMidi>& out) override {
        midiEvents.clear();
        for (const BlockMidi& midi : in) {
            // clang-format off
            midiEvents.push_back({Header<clap_event_midi_t>(midi.offset, CLAP_EVENT_MIDI), 0, {midi.bytes[0], midi.bytes[1], midi.bytes[2]}});
            // clang-format on
        }
        inList.clear();
        for (const auto& event : paramEvents) inList.push_back(&event.header);
        for (const auto& event : midiEvents) inList.push_back(&event.header);
        clap_event_transport_t position{};
        position.header = Header<clap_event_transport_t>(0, CLAP_EVENT_TRANSPORT);
        position.flags =
            CLAP_TRANSPORT_HAS_TEMPO | (transport.playing ? CLAP_TRANSPORT_IS_PLAYING : 0);
        position.tempo = transport.bpm;
        clap_input_events_t inEvents{
            &inList,
            [](const clap_input_events_t* l) {
                return static_cast<uint32_t>(static_cast<Headers*>(l->ctx)->size());
            },
            [](const clap_input_events_t* l, uint32_t i) {
                return (*static_cast<Headers*>(l->ctx))[i];
            }};
        output = &out;
        clap_output_events_t outEvents{
            this, [](const clap_output_events_t* l, const clap_event_header_t* e) {
                static_cast<ClapHost*>(l->ctx)->Output(e);
                return true;
            }};
        // A host's steady time runs whether the transport plays or not.
        const clap_process_t process{steadyTime, frames, &position, nullptr,   nullptr,
                                     0,          0,      &inEvents, &outEvents};
        plugin->process(plugin, &process);
        steadyTime += frames;
        paramEvents.clear();
    }

#ifdef _WIN32
    FormatEditor& Editor() override { return editor; }
#endif

private:
    using Headers = std::vector<const clap_event_header_t*>;

    void Output(const clap_event_header_t* e) {
        if (e->type == CLAP_EVENT_MIDI) {
            const auto* midi = reinterpret_cast<const clap_event_midi_t*>(e);
            output->push_back({e->time, {midi->data[0], midi->data[1], midi->data[2]}});
        }
#ifdef _WIN32
        editor.Record(e);
#endif
    }

    static const void* Extension([[maybe_unused]] const clap_host_t* h,
                                 [[maybe_unused]] const char* id) {
#ifdef _WIN32
        return ClapEditor::HostExtension(h, id);
#else
        return nullptr;
#endif
    }

    // On Windows the host's data is its editor side, which answers the host's extensions.
    // clang-format off
    clap_host_t host{CLAP_VERSION, this, "arpeggiator tests", "", "", "1",
                     [](const clap_host_t* h, const char* id) { return Extension(h, id); },
                     [](const clap_host_t*) {}, [](const clap_host_t*) {}, [](const clap_host_t*) {}};
    // clang-format on
    DynamicLibrary library{ARP_DPF_CLAP};
    const clap_plugin_entry_t* entry = nullptr;
    const clap_plugin_t* plugin = nullptr;
    const clap_plugin_params_t* params = nullptr;
    const clap_plugin_state_t* state = nullptr;
    bool active = false;
    int64_t steadyTime = 0;
    std::vector<clap_event_param_value_t> paramEvents;
    std::vector<clap_event_midi_t> midiEvents;
    Headers inList;
    std::vector<BlockMidi>* output = nullptr;
#ifdef _WIN32
    ClapEditor editor{[this] {
        std::vector<BlockMidi> ignored;
        Run(1, {false, 120.0, 0}, {}, ignored);
    }};
#endif
};

}  // namespace

std::unique_ptr<FormatHost> LoadClap(double sampleRate, uint32_t maxBlock) {
    return std::make_unique<ClapHost>(sampleRate, maxBlock);
}
