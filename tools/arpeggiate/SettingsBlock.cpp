#include "arpeggiate/SettingsBlock.h"

#include <algorithm>
#include <cstring>

#include "arpeggiate/HresultText.h"
#include "arpeggiate/SettingsStream.h"
#include "engine/InterfaceIds.h"

namespace {

// The filter's persistence face; the caller releases it.
IPersistStream* PersistenceOf(IMfxEventFilter* filter) {
    void* face = nullptr;
    if (FAILED(filter->QueryInterface(ids::PersistStream, &face)) || face == nullptr) {
        throw SettingsError("the filter has no IPersistStream");
    }
    return static_cast<IPersistStream*>(face);
}

}  // namespace

void LoadSettings(IMfxEventFilter* filter, std::span<const uint8_t> stored,
                  const std::string& origin) {
    IPersistStream* persist = PersistenceOf(filter);
    SettingsStream stream(stored);
    const HRESULT hr = persist->Load(stream.Get());
    persist->Release();
    if (FAILED(hr)) {
        throw SettingsError(origin + ": the filter refused these settings (" + HresultText(hr) +
                            "): stored settings are 76 bytes, or the 52-byte form of older "
                            "projects, with the settings format tag at byte 52; this holds " +
                            std::to_string(stored.size()) + " bytes");
    }
}

std::vector<uint8_t> SaveSettings(IMfxEventFilter* filter) {
    IPersistStream* persist = PersistenceOf(filter);
    SettingsStream stream;
    const HRESULT hr = persist->Save(stream.Get(), 1);
    persist->Release();
    std::vector<uint8_t> image = stream.Contents();
    if (FAILED(hr) || image.size() != sizeof(ArpeggiatorParams)) {
        throw SettingsError("the filter could not save its settings (" + HresultText(hr) + ")");
    }
    return image;
}

ArpeggiatorParams ParamsOf(std::span<const uint8_t> image) {
    ArpeggiatorParams params = DefaultArpeggiatorParams();
    std::memcpy(&params, image.data(), std::min(image.size(), sizeof params));
    return params;
}

std::vector<uint8_t> ApplySettings(std::span<const uint8_t> image,
                                   std::span<const SettingAssignment> assignments) {
    ArpeggiatorParams params = ParamsOf(image);
    for (const SettingAssignment& assignment : assignments) {
        assignment.field->In(params) = assignment.value;
    }
    if (const std::string problem = CheckRangeTops(params, assignments); !problem.empty()) {
        throw SettingsError(problem);
    }
    std::vector<uint8_t> result(sizeof params);
    std::memcpy(result.data(), &params, sizeof params);
    return result;
}
