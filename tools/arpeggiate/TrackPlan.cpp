#include "arpeggiate/TrackPlan.h"

#include <array>

namespace {

struct ChannelUse {
    uint16_t channels = 0;
    std::array<size_t, 16> notes{};
};

ChannelUse UseOf(const midi::Track& track) {
    ChannelUse use;
    for (const midi::Event& event : track.events) {
        if (event.type != midi::EventType::Channel) continue;
        const uint8_t channel = event.status & 0x0F;
        use.channels |= static_cast<uint16_t>(1u << channel);
        if ((event.status & 0xF0) == 0x90 && event.data2 > 0) ++use.notes[channel];
    }
    return use;
}

}  // namespace

std::vector<TrackPlan> PlanTracks(const midi::File& song, const std::vector<bool>& chosen,
                                  bool drums) {
    std::vector<TrackPlan> plans(song.tracks.size());
    for (size_t i = 0; i < song.tracks.size(); ++i) {
        const ChannelUse use = UseOf(song.tracks[i]);
        TrackPlan& plan = plans[i];
        plan.channels = use.channels;
        for (size_t count : use.notes) plan.notes += count;
        const size_t drumNotes = use.notes[kDrumChannel];
        if (plan.notes == 0) {
            plan.fate = TrackFate::NoNotes;
        } else if (!chosen[i]) {
            // --track chooses among the tracks; it does not override the drum rule, so that
            // --drums alone decides what happens to channel 10 everywhere.
            plan.fate = TrackFate::NotChosen;
        } else if (!drums && drumNotes == plan.notes) {
            plan.fate = TrackFate::Drums;
        } else {
            plan.fate = TrackFate::Arpeggiated;
            plan.keptChannels = drums ? 0 : kDrumChannels;
            plan.notesKept = drums ? 0 : drumNotes;
        }
    }
    return plans;
}
