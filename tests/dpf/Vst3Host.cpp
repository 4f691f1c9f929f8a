// A minimal VST3 host of the interfaces DPF implements: load the bundle's library, its
// factory, the component with its audio processor and edit controller, and process() with note
// events, parameter changes and a process context; event lists, parameter queues and a byte
// stream of the host's own.
#include <cmath>
#include <cstring>
#include <map>

#include "FormatHost.h"
#include "ParameterTable.h"
#include "Ports.h"
#include "V3Object.h"
#include "platform/DynamicLibrary.h"
#include "travesty/audio_processor.h"
#include "travesty/component.h"
#include "travesty/edit_controller.h"
#include "travesty/factory.h"
#ifdef _WIN32
#include "editorhost/Vst3Editor.h"
#endif

namespace {

struct EventList {
    static const void* Vtable() {
        static const V3Vtable<v3_event_list> table{
            {NoInterface, Counted, Counted},
            {[](void* s) { return static_cast<uint32_t>(Of<EventList>(s).events.size()); },
             [](void* s, int32_t i, v3_event* e) {
                 return *e = Of<EventList>(s).events.at(i), kOk;
             },
             [](void* s, v3_event* e) { return Of<EventList>(s).events.push_back(*e), kOk; }}};
        return &table;
    }
    const void* vtable = Vtable();
    std::vector<v3_event> events;
};

struct ParamQueue {
    static const void* Vtable() {
        static const V3Vtable<v3_param_value_queue> table{
            {NoInterface, Counted, Counted},
            {[](void* s) { return Of<ParamQueue>(s).id; }, [](void*) { return 1; },
             [](void* s, int32_t, int32_t* offset, double* value) {
                 *offset = 0;
                 *value = Of<ParamQueue>(s).value;
                 return kOk;
             },
             [](void* s, int32_t, double value, int32_t* index) {
                 Of<ParamQueue>(s).value = value;
                 if (index != nullptr) *index = 0;
                 return kOk;
             }}};
        return &table;
    }
    const void* vtable = Vtable();
    v3_param_id id;
    double value;
};

struct ParamChanges {
    static const void* Vtable() {
        static const V3Vtable<v3_param_changes> table{
            {NoInterface, Counted, Counted},
            {[](void* s) { return static_cast<int32_t>(Of<ParamChanges>(s).queues.size()); },
             [](void* s, int32_t i) {
                 return reinterpret_cast<v3_param_value_queue**>(&Of<ParamChanges>(s).queues.at(i));
             },
             [](void* s, v3_param_id* id, int32_t* index) {
                 auto& queues = Of<ParamChanges>(s).queues;
                 if (queues.size() == queues.capacity())
                     return static_cast<v3_param_value_queue**>(nullptr);
                 if (index != nullptr) *index = static_cast<int32_t>(queues.size());
                 queues.push_back({ParamQueue::Vtable(), *id, 0.0});
                 return reinterpret_cast<v3_param_value_queue**>(&queues.back());
             }}};
        return &table;
    }
    const void* vtable = Vtable();
    std::vector<ParamQueue> queues;
};

struct ByteStream {
    static const void* Vtable() {
        static const V3Vtable<v3_bstream> table{
            {NoInterface, Counted, Counted},
            {[](void* s, void* buffer, int32_t size, int32_t* read) {
                 ByteStream& self = Of<ByteStream>(s);
                 const auto count = std::min<size_t>(size, self.bytes.size() - self.at);
                 std::memcpy(buffer, self.bytes.data() + self.at, count);
                 self.at += count;
                 if (read != nullptr) *read = static_cast<int32_t>(count);
                 return kOk;
             },
             [](void* s, void* buffer, int32_t size, int32_t* written) {
                 auto* data = static_cast<uint8_t*>(buffer);
                 Of<ByteStream>(s).bytes.insert(Of<ByteStream>(s).bytes.end(), data, data + size);
                 if (written != nullptr) *written = size;
                 return kOk;
             },
             [](void*, int64_t, int32_t, int64_t*) { return kNotImplemented; },
             [](void* s, int64_t* pos) {
                 return *pos = static_cast<int64_t>(Of<ByteStream>(s).at), kOk;
             }}};
        return &table;
    }
    const void* vtable = Vtable();
    std::vector<uint8_t> bytes;
    size_t at = 0;
};

class Vst3Host final : public FormatHost {
public:
    Vst3Host(double rate, uint32_t maxBlock) : sampleRate(rate) {
        // The module's entry: ModuleEntry(handle) on Linux, InitDll() on Windows.
        auto* moduleEntry = library.Export<bool(void*)>("ModuleEntry");
        auto* initDll = library.Export<bool()>("InitDll");
        auto* getFactory = library.Export<v3_plugin_factory**()>("GetPluginFactory");
        const bool entered = moduleEntry != nullptr ? moduleEntry(library.Handle())
                                                    : initDll != nullptr && initDll();
        if (getFactory == nullptr || !entered) return;
        v3_plugin_factory** factory = getFactory();
        v3_class_info info{};
        v3_cpp_obj(factory)->get_class_info(factory, 0, &info);
        v3_cpp_obj(factory)->create_instance(factory, info.class_id, v3_component_iid,
                                             reinterpret_cast<void**>(&component));
        v3_cpp_obj_unref(factory);
        if (component == nullptr) return;
        v3_cpp_obj_initialize(component, HostContext());
        v3_cpp_obj_query_interface(component, v3_audio_processor_iid, &processor);
        v3_cpp_obj_query_interface(component, v3_edit_controller_iid, &controller);
        if (processor == nullptr || controller == nullptr) return;
        v3_process_setup setup{V3_REALTIME, V3_SAMPLE_32, static_cast<int32_t>(maxBlock), rate};
        v3_cpp_obj(processor)->setup_processing(processor, &setup);
        v3_cpp_obj(component)->set_active(component, true);
        v3_cpp_obj(processor)->set_processing(processor, true);
        // The plug-in's parameters follow DPF's own internal ones.
        firstParameter = v3_cpp_obj(controller)->get_parameter_count(controller) -
                         static_cast<int32_t>(dpfparams::kCount);
        ready = firstParameter >= 0;
#ifdef _WIN32
        if (ready) editor.Bind(controller, firstParameter);
#endif
    }
    ~Vst3Host() override {
        if (ready) {
            v3_cpp_obj(processor)->set_processing(processor, false);
            v3_cpp_obj(component)->set_active(component, false);
        }
        for (void* object : {static_cast<void*>(controller), static_cast<void*>(processor)}) {
            if (object != nullptr) v3_cpp_obj_unref(static_cast<v3_funknown**>(object));
        }
        if (component != nullptr) {
            v3_cpp_obj_terminate(component);
            v3_cpp_obj_unref(component);
        }
        for (const char* name : {"ModuleExit", "ExitDll"}) {
            if (auto* moduleExit = library.Export<bool()>(name)) moduleExit();
        }
    }

    bool Loaded() const override { return ready; }
#ifdef _WIN32
    FormatEditor& Editor() override { return editor; }
#endif

    void SetParameter(uint32_t index, double plain) override {
        const auto id = static_cast<v3_param_id>(firstParameter + index);
        changes.queues.push_back(
            {ParamQueue::Vtable(), id,
             v3_cpp_obj(controller)->plain_parameter_to_normalised(controller, id, plain)});
    }
    // As a host sees it: the last value the processor reported (outputs), else the
    // controller's. (DPF's controller answers 0 for the first parameter, id 2080, which it
    // counts among its MIDI CC parameters: the chord root output, ParameterTable.h.)
    double Parameter(uint32_t index) override {
        const auto id = static_cast<v3_param_id>(firstParameter + index);
        const auto found = reported.find(id);
        const double normalised =
            found != reported.end()
                ? found->second
                : v3_cpp_obj(controller)->get_parameter_normalised(controller, id);
        return v3_cpp_obj(controller)->normalised_parameter_to_plain(controller, id, normalised);
    }

    std::vector<uint8_t> SaveState() override {
        ByteStream stream;
        v3_cpp_obj(component)->get_state(component, reinterpret_cast<v3_bstream**>(&stream));
        return stream.bytes;
    }
    bool LoadState(const std::vector<uint8_t>& blob) override {
        ByteStream stream{ByteStream::Vtable(), blob, 0};
        return v3_cpp_obj(component)->set_state(component,
                                                reinterpret_cast<v3_bstream**>(&stream)) == kOk;
    }

    void Run(uint32_t frames, const BlockTransport& transport, const std::vector<BlockMidi>& in,
             std::vector<BlockMidi>& out) override {
        input.events.clear();
        output.events.clear();
        outputParams.queues.clear();
        for (const BlockMidi& midi : in) {
            v3_event event{};
            event.sample_offset = static_cast<int32_t>(midi.offset);
            const bool on = (midi.bytes[0] & 0xF0) == 0x90;
            event.type = on ? V3_EVENT_NOTE_ON : V3_EVENT_NOTE_OFF;
            // Half a step above the velocity, so that DPF's truncation gives it back.
            const float velocity = (static_cast<float>(midi.bytes[2]) + 0.5f) / 127.0f;
            const auto channel = static_cast<int16_t>(midi.bytes[0] & 0x0F);
            if (on) event.note_on = {channel, midi.bytes[1], 0.0f, velocity, 0, -1};
            if (!on) event.note_off = {channel, midi.bytes[1], velocity, -1, 0.0f};
            input.events.push_back(event);
        }
        v3_process_context context{};
        context.state = V3_PROCESS_CTX_PROJECT_TIME_VALID | V3_PROCESS_CTX_TEMPO_VALID |
                        (transport.playing ? V3_PROCESS_CTX_PLAYING : 0);
        context.sample_rate = sampleRate;
        context.project_time_in_samples = transport.hostFrame;
        context.bpm = transport.bpm;
        v3_process_data data{};
        data.process_mode = V3_REALTIME;
        data.symbolic_sample_size = V3_SAMPLE_32;
        data.nframes = static_cast<int32_t>(frames);
        data.input_params = reinterpret_cast<v3_param_changes**>(&changes);
        data.output_params = reinterpret_cast<v3_param_changes**>(&outputParams);
        data.input_events = reinterpret_cast<v3_event_list**>(&input);
        data.output_events = reinterpret_cast<v3_event_list**>(&output);
        data.ctx = &context;
        v3_cpp_obj(processor)->process(processor, &data);
        changes.queues.clear();
        for (const ParamQueue& queue : outputParams.queues) reported[queue.id] = queue.value;
        for (const v3_event& e : output.events) {
            const bool on = e.type == V3_EVENT_NOTE_ON;
            const auto status = static_cast<uint8_t>((on ? 0x90 : 0x80) | e.note_on.channel);
            const auto key = static_cast<uint8_t>(on ? e.note_on.pitch : e.note_off.pitch);
            const float velocity = on ? e.note_on.velocity : e.note_off.velocity;
            out.push_back({static_cast<uint32_t>(e.sample_offset),
                           {status, key, static_cast<uint8_t>(std::lround(velocity * 127.0f))}});
        }
    }

private:
    // The host application DPF's editor needs; none where the plug-in has no editor.
    v3_funknown** HostContext() {
#ifdef _WIN32
        return editor.HostContext();
#else
        return nullptr;
#endif
    }

#ifdef _WIN32
    Vst3Editor editor;
#endif
    double sampleRate;
    DynamicLibrary library{ARP_DPF_VST3};
    v3_component** component = nullptr;
    v3_audio_processor** processor = nullptr;
    v3_edit_controller** controller = nullptr;
    int32_t firstParameter = -1;
    bool ready = false;
    ParamChanges changes;
    // Kept from block to block, as a host keeps its lists; the output queues handed out stay
    // where they are (add_param_data refuses past the capacity).
    EventList input;
    EventList output;
    ParamChanges outputParams = [] {
        ParamChanges list;
        list.queues.reserve(64);
        return list;
    }();
    std::map<v3_param_id, double> reported;
};

}  // namespace

std::unique_ptr<FormatHost> LoadVst3(double sampleRate, uint32_t maxBlock) {
    return std::make_unique<Vst3Host>(sampleRate, maxBlock);
}
