// A scenario as arphost runs it: the filter's starting settings, the simulated host, and the
// calls, each already checked against the field types of the records it builds.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "engine/HostInterfaces.h"
#include "host/AttachedFilter.h"
#include "host/ParamFields.h"

struct ParamSetting {
    const ParamField* field;
    int32_t value;
};

struct ScenarioSetup {
    std::optional<std::vector<uint8_t>> paramsImage;  // loaded through IPersistStream::Load
    std::vector<ParamSetting> params;                 // applied after the image
    HostSetup host;
};

enum class CallOp {
    FilterEvents,
    FilterLiveInput,
    PlaybackStarted,
    PlaybackLooped,
    PlaybackStopped,
    SetClock,
    AdvanceClock,
    SetParams,
    FlushHeld,
    Detach,
    Attach,
};

// The operation's name as scenarios and output lines spell it.
std::string_view CallOpName(CallOp op);
// False for a name that is no operation.
bool FindCallOp(std::string_view name, CallOp& op);

// One call; only the members of its operation are meaningful.
struct Call {
    CallOp op = CallOp::FilterEvents;
    int32_t from = 0;                          // FilterEvents
    int32_t thru = 0;                          // FilterEvents
    std::vector<EventRecord> events;           // FilterEvents
    std::vector<ShortMessageRecord> messages;  // FilterLiveInput
    int32_t time = 0;                          // PlaybackStarted
    uint32_t ms = 0;                           // SetClock, AdvanceClock (modulo 2^32)
    std::vector<ParamSetting> params;          // SetParams
};
