#include "arphost/Scenario.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, CallOp>, 11> kOps = {{
    {"FilterEvents", CallOp::FilterEvents},
    {"FilterLiveInput", CallOp::FilterLiveInput},
    {"PlaybackStarted", CallOp::PlaybackStarted},
    {"PlaybackLooped", CallOp::PlaybackLooped},
    {"PlaybackStopped", CallOp::PlaybackStopped},
    {"SetClock", CallOp::SetClock},
    {"AdvanceClock", CallOp::AdvanceClock},
    {"SetParams", CallOp::SetParams},
    {"FlushHeld", CallOp::FlushHeld},
    {"Detach", CallOp::Detach},
    {"Attach", CallOp::Attach},
}};

}  // namespace

std::string_view CallOpName(CallOp op) {
    for (const auto& [name, value] : kOps) {
        if (value == op) return name;
    }
    return "?";
}

bool FindCallOp(std::string_view name, CallOp& op) {
    for (const auto& [candidate, value] : kOps) {
        if (candidate == name) {
            op = value;
            return true;
        }
    }
    return false;
}
