#include "Vst3Editor.h"

#include <cstring>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "V3Object.h"
#include "travesty/host.h"
#include "travesty/message.h"

namespace {

// The messages and their attribute lists live as long as their last reference: DPF makes one
// per message it sends and releases it once delivered.
template <typename T>
struct Counting {
    static v3_result V3_API Query(void* self, const v3_tuid iid, void** object) {
        if (v3_tuid_match(iid, v3_funknown_iid) || v3_tuid_match(iid, T::kIid)) {
            ++Of<T>(self).references;
            *object = self;
            return kOk;
        }
        return NoInterface(self, iid, object);
    }
    static uint32_t V3_API Ref(void* self) { return ++Of<T>(self).references; }
    static uint32_t V3_API Unref(void* self) {
        const uint32_t left = --Of<T>(self).references;
        if (left == 0) delete &Of<T>(self);
        return left;
    }
};

struct AttributeList {
    static constexpr const v3_tuid& kIid = v3_attribute_list_iid;
    using Value = std::variant<int64_t, double, std::u16string, std::vector<uint8_t>>;

    template <typename Kind>
    static Kind* Find(void* self, const char* id) {
        auto& values = Of<AttributeList>(self).values;
        const auto found = values.find(id);
        return found != values.end() ? std::get_if<Kind>(&found->second) : nullptr;
    }
    template <typename Kind>
    static v3_result V3_API Set(void* self, const char* id, Kind value) {
        return Of<AttributeList>(self).values[id] = value, kOk;
    }
    template <typename Kind>
    static v3_result V3_API Copy(void* self, const char* id, Kind* value) {
        const Kind* kept = Find<Kind>(self, id);
        if (kept == nullptr) return V3_INVALID_ARG;
        return *value = *kept, kOk;
    }
    static const void* Vtable() {
        using C = Counting<AttributeList>;
        static const V3Vtable<v3_attribute_list> table{
            {C::Query, C::Ref, C::Unref},
            {Set<int64_t>, Copy<int64_t>, Set<double>, Copy<double>,
             [](void* s, const char* id, const int16_t* text) {
                 std::u16string kept;
                 for (const int16_t* c = text; *c != 0; ++c) kept += static_cast<char16_t>(*c);
                 return Of<AttributeList>(s).values[id] = kept, kOk;
             },
             // `bytes` is the buffer's size in bytes, its end included.
             [](void* s, const char* id, int16_t* text, uint32_t bytes) -> v3_result {
                 const std::u16string* kept = Find<std::u16string>(s, id);
                 if (kept == nullptr || bytes < sizeof(int16_t)) return V3_INVALID_ARG;
                 const size_t count = std::min<size_t>(kept->size(), bytes / sizeof(int16_t) - 1);
                 for (size_t i = 0; i < count; ++i) text[i] = static_cast<int16_t>((*kept)[i]);
                 text[count] = 0;
                 return kOk;
             },
             [](void* s, const char* id, const void* data, uint32_t size) {
                 const auto* bytes = static_cast<const uint8_t*>(data);
                 Of<AttributeList>(s).values[id] = std::vector<uint8_t>(bytes, bytes + size);
                 return kOk;
             },
             [](void* s, const char* id, const void** data, uint32_t* size) -> v3_result {
                 const auto* kept = Find<std::vector<uint8_t>>(s, id);
                 if (kept == nullptr) return V3_INVALID_ARG;
                 *data = kept->data();
                 *size = static_cast<uint32_t>(kept->size());
                 return kOk;
             }}};
        return &table;
    }
    const void* vtable = Vtable();
    uint32_t references = 1;
    std::map<std::string, Value> values;
};

struct Message {
    static constexpr const v3_tuid& kIid = v3_message_iid;
    static const void* Vtable() {
        using C = Counting<Message>;
        static const V3Vtable<v3_message> table{
            {C::Query, C::Ref, C::Unref},
            {[](void* s) { return Of<Message>(s).id.c_str(); },
             [](void* s, const char* id) { Of<Message>(s).id = id; },
             [](void* s) {
                 return reinterpret_cast<v3_attribute_list**>(Of<Message>(s).attributes);
             }}};
        return &table;
    }
    ~Message() { Counting<AttributeList>::Unref(attributes); }
    const void* vtable = Vtable();
    uint32_t references = 1;
    std::string id;
    AttributeList* attributes = new AttributeList;
};

}  // namespace

const void* Vst3Editor::ApplicationVtable() {
    static const V3Vtable<v3_host_application> table{
        {[](void* self, const v3_tuid iid, void** object) {
             if (!v3_tuid_match(iid, v3_funknown_iid) &&
                 !v3_tuid_match(iid, v3_host_application_iid))
                 return NoInterface(self, iid, object);
             *object = self;
             return kOk;
         },
         Counted, Counted},
        {[](void*, v3_str_128 name) {
             const char16_t text[] = u"editorhost";
             for (size_t i = 0; i < std::size(text); ++i) name[i] = static_cast<int16_t>(text[i]);
             return kOk;
         },
         [](void*, v3_tuid, v3_tuid iid, void** object) {
             *object = nullptr;
             if (v3_tuid_match(iid, v3_message_iid)) *object = new Message;
             if (v3_tuid_match(iid, v3_attribute_list_iid)) *object = new AttributeList;
             return *object != nullptr ? kOk : static_cast<v3_result>(V3_NO_INTERFACE);
         }}};
    return &table;
}

const void* Vst3Editor::HandlerVtable() {
    static const V3Vtable<v3_component_handler> table{
        {NoInterface, Counted, Counted},
        {[](void* s, v3_param_id id) {
             Handler& self = Of<Handler>(s);
             return self.editor->log.Begin(self.editor->IndexOf(id)), kOk;
         },
         [](void* s, v3_param_id id, double) {
             Handler& self = Of<Handler>(s);
             return self.editor->log.Perform(self.editor->IndexOf(id)), kOk;
         },
         [](void* s, v3_param_id id) {
             Handler& self = Of<Handler>(s);
             return self.editor->log.End(self.editor->IndexOf(id)), kOk;
         },
         [](void*, int32_t) { return kOk; }}};
    return &table;
}

void Vst3Editor::Bind(v3_edit_controller** bound, int32_t firstParameter) {
    controller = bound;
    first = firstParameter;
    v3_cpp_obj(controller)
        ->set_component_handler(controller, reinterpret_cast<v3_component_handler**>(&handler));
}

bool Vst3Editor::Open(HWND parent) {
    view = v3_cpp_obj(controller)->create_view(controller, "editor");
    if (view == nullptr) return false;
    return v3_cpp_obj(view)->is_platform_type_supported(view, "HWND") == V3_TRUE &&
           v3_cpp_obj(view)->attached(view, parent, "HWND") == V3_OK;
}

void Vst3Editor::Close() {
    if (view == nullptr) return;
    v3_cpp_obj(view)->removed(view);
    v3_cpp_obj_unref(view);
    view = nullptr;
    log.Finish();
}
