#include "pagehost/HostedFilter.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "arpeggiate/HresultText.h"
#include "arpeggiate/SettingsBlock.h"
#include "engine/InterfaceIds.h"

namespace {

int64_t MicrosecondsPerQuarter(double beatsPerMinute) {
    return static_cast<int64_t>(std::llround(60'000'000.0 / beatsPerMinute));
}

IMfxEventFilter* CreateFilter() {
    void* object = nullptr;
    const HRESULT hr = CoCreateInstance(ids::ArpeggiatorFilter, nullptr, CLSCTX_INPROC_SERVER,
                                        ids::MfxEventFilter, &object);
    if (hr == REGDB_E_CLASSNOTREG) {
        throw std::runtime_error(
            "the Arpeggiator filter {C7594340-029B-11D5-9B01-006008C4F4C8} is not registered; "
            "register it with: regsvr32 Arpeggiator.dll");
    }
    if (FAILED(hr) || object == nullptr) {
        throw std::runtime_error("the Arpeggiator filter could not be created (" + HresultText(hr) +
                                 ")");
    }
    return static_cast<IMfxEventFilter*>(object);
}

}  // namespace

HostedFilter::HostedFilter(int32_t ticksPerQuarter, double beatsPerMinute)
    : converter(ticksPerQuarter, MicrosecondsPerQuarter(beatsPerMinute)),
      host(&converter, &aux, &live),
      filter(CreateFilter()) {
    host.AddRef();  // AttachHost releases the reference it is handed
    const HRESULT hr = filter->AttachHost(&host);
    if (FAILED(hr)) {
        filter->Release();
        throw std::runtime_error("the filter refused the host's services (" + HresultText(hr) +
                                 ")");
    }
}

HostedFilter::~HostedFilter() {
    filter->DetachHost();
    filter->Release();
}

void HostedFilter::LoadSettings(std::span<const uint8_t> stored, const std::string& origin) {
    ::LoadSettings(filter, stored, origin);
}

std::vector<uint8_t> HostedFilter::SaveSettings() const { return ::SaveSettings(filter); }

std::vector<ShortMessageRecord> HostedFilter::Live(
    const std::vector<ShortMessageRecord>& in) const {
    return FilterLive(filter, in);
}
