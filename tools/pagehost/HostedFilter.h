// A filter made the way a host makes it: through COM from the registered Arpeggiator.dll, then
// attached to the host's services (a time converter at a constant tempo, the live service and
// the aux service). Settings go in and out through its own IPersistStream.
// [ui thread]: the tool calls everything on the thread that shows the page.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "engine/HostInterfaces.h"
#include "host/HostObjects.h"

class HostedFilter {
public:
    // Throws std::runtime_error, with a message a user can act on, when the module is not
    // registered or the filter cannot be made or attached.
    HostedFilter(int32_t ticksPerQuarter, double beatsPerMinute);
    ~HostedFilter();
    HostedFilter(const HostedFilter&) = delete;
    HostedFilter& operator=(const HostedFilter&) = delete;

    // The filter's identity, as a frame hands it to the page.
    IUnknown* Identity() const { return filter; }
    IMfxEventFilter* Filter() const { return filter; }

    // Throws SettingsError when the filter refuses the bytes or cannot save.
    void LoadSettings(std::span<const uint8_t> stored, const std::string& origin);
    std::vector<uint8_t> SaveSettings() const;

    // One FilterLiveInput call with these messages, and what the filter sent.
    std::vector<ShortMessageRecord> Live(const std::vector<ShortMessageRecord>& in) const;

private:
    ConstantTempoConverter converter;
    HostAuxService aux;
    HostLiveService live;
    SimHost host;
    IMfxEventFilter* filter = nullptr;
};
