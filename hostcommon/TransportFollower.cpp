#include "TransportFollower.h"

#include <algorithm>
#include <cmath>

namespace {

// A host frame this far from where the last position and speed put it is a jump (a locate or
// a loop). Less is a lost cycle: after an xrun the host's transport may be cycles ahead of the
// plug-in, or have stood still for them (JACK's does), and the music goes on.
constexpr double kJumpSeconds = 0.25;

std::optional<double> Finite(std::optional<double> value) {
    if (value && !std::isfinite(*value)) return std::nullopt;
    return value;
}

int64_t UsPerQuarter(std::optional<double> qpm) {
    if (!qpm || *qpm <= 0.0) return 0;
    const double held =
        std::clamp(*qpm, TransportFollower::kSlowestQpm, TransportFollower::kFastestQpm);
    return std::llround(60e6 / held);
}

}  // namespace

TransportFollower::TransportFollower(double sampleRate) : jumpFrames(sampleRate * kJumpSeconds) {}

bool TransportFollower::Jumped(std::optional<double> now, int64_t frame) const {
    if (!known || !now) return false;
    const double expected = hostFrame + speed * static_cast<double>(frame - seenAt);
    return std::fabs(*now - expected) > jumpFrames;
}

TransportChange TransportFollower::Read(const TransportReport& report, int64_t frame) {
    const std::optional<double> reportedFrame = Finite(report.hostFrame);
    const std::optional<double> reportedSpeed = Finite(report.speed);

    TransportChange change;
    change.usPerQuarter = UsPerQuarter(Finite(report.quartersPerMinute));
    change.endNotes = Jumped(reportedFrame, frame);

    double newSpeed = speed;
    if (reportedSpeed) {
        newSpeed = *reportedSpeed;
        if (speed != 0.0 && newSpeed == 0.0) change.endNotes = true;
    }
    // Where the host is now, by its word or by the speed it last gave.
    double now = hostFrame + speed * static_cast<double>(frame - seenAt);
    if (reportedFrame) {
        now = *reportedFrame;
        known = true;
    }
    hostFrame = now;
    seenAt = frame;
    speed = newSpeed;
    return change;
}
