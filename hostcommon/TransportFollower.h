// Follows the host's transport as any format reports it (a position, a speed, a tempo, each
// when the host gives it) and says when every note must end because the transport stopped or
// jumped, and which tempo the time converter is to follow. [run thread]
#pragma once

#include <cstdint>
#include <optional>

// What the host said about its transport at one frame; absent values were not given.
struct TransportReport {
    std::optional<double> hostFrame;  // the host's transport position, in frames
    std::optional<double> speed;      // 0 stopped, 1 playing
    std::optional<double> quartersPerMinute;
};

struct TransportChange {
    bool endNotes = false;     // the transport stopped, or its position jumped
    int64_t usPerQuarter = 0;  // the tempo the report gives, 0 when it gives none
};

class TransportFollower {
public:
    // Tempi are held within these many quarter notes per minute.
    static constexpr double kSlowestQpm = 1.0;
    static constexpr double kFastestQpm = 1000.0;

    explicit TransportFollower(double sampleRate);

    // `frame` is the plug-in's own running frame count at the report. Values that are not
    // finite count as not given.
    TransportChange Read(const TransportReport& report, int64_t frame);

private:
    bool Jumped(std::optional<double> hostFrame, int64_t frame) const;

    double jumpFrames;     // a discontinuity up to this long is a lost cycle, not a jump
    bool known = false;    // a position with a frame has been seen
    double speed = 0.0;    // the last speed the host gave
    double hostFrame = 0;  // the host's frame at `seenAt`
    int64_t seenAt = 0;    // the plug-in's frame when it was given
};
