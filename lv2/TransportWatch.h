// Reads the host's time:Position objects: the tempo for the time converter, and the moments
// when notes must end because the transport stopped or jumped. [run thread]
#pragma once

#include <cstdint>

#include <lv2/atom/atom.h>

#include "Uris.h"

struct TransportChange {
    bool endNotes = false;     // the transport stopped, or its position jumped
    int64_t usPerQuarter = 0;  // the tempo the object gives, 0 when it gives none
};

class TransportWatch {
public:
    // Tempi are held within these many quarter notes per minute.
    static constexpr double kSlowestQpm = 1.0;
    static constexpr double kFastestQpm = 1000.0;

    TransportWatch(const Uris& table, double sampleRate);

    // `frame` is the plug-in's own running frame count at the object's event.
    TransportChange Read(const LV2_Atom_Object* position, int64_t frame);

private:
    int64_t ReadTempo(const LV2_Atom* bpm, const LV2_Atom* beatUnit) const;
    bool Jumped(const LV2_Atom* hostFrame, int64_t frame) const;
    bool ReadNumber(const LV2_Atom* atom, double& value) const;

    const Uris& uris;
    double jumpFrames;     // a discontinuity up to this long is a lost cycle, not a jump
    bool known = false;    // a position with a frame has been seen
    double speed = 0.0;    // the last speed the host gave
    double hostFrame = 0;  // the host's frame at `seenAt`
    int64_t seenAt = 0;    // the plug-in's frame when it was given
};
