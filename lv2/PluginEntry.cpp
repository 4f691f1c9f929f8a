// The library's one export: the LV2 descriptor, whose callbacks forward to ArpeggiatorPlugin.
// The host keeps the instance opaque and reaches it only through these.
#include <new>

#include <lv2/core/lv2.h>
#include <lv2/core/lv2_util.h>
#include <lv2/log/log.h>
#include <lv2/urid/urid.h>

#include "ArpeggiatorPlugin.h"
#include "Uris.h"

namespace {

ArpeggiatorPlugin* Self(LV2_Handle instance) { return static_cast<ArpeggiatorPlugin*>(instance); }

// [instantiation thread] Refuses (null) without the URID map, which every atom needs, and when
// memory runs out.
LV2_Handle Instantiate(const LV2_Descriptor*, double rate, const char*,
                       const LV2_Feature* const* features) {
    LV2_URID_Map* map = nullptr;
    LV2_Log_Log* log = nullptr;
    if (lv2_features_query(features, LV2_URID__map, &map, true, LV2_LOG__log, &log, false,
                           nullptr) != nullptr ||
        map == nullptr || !(rate > 0.0)) {
        return nullptr;
    }
    try {
        return new ArpeggiatorPlugin(rate, map, log);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void ConnectPort(LV2_Handle instance, uint32_t port, void* data) {
    Self(instance)->ConnectPort(port, data);
}

void Activate(LV2_Handle instance) { Self(instance)->Activate(); }

void Run(LV2_Handle instance, uint32_t frames) { Self(instance)->Run(frames); }

void Deactivate(LV2_Handle instance) { Self(instance)->Deactivate(); }

void Cleanup(LV2_Handle instance) { delete Self(instance); }

const void* ExtensionData(const char*) { return nullptr; }

const LV2_Descriptor kDescriptor = {lv2uris::kPlugin, Instantiate, ConnectPort,  Activate, Run,
                                    Deactivate,       Cleanup,     ExtensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
