#include "TransportWatch.h"

#include <algorithm>
#include <cmath>

#include <lv2/atom/util.h>

namespace {

// A host frame this far from where the last position and speed put it is a jump (a locate or
// a loop). Less is a lost cycle: after an xrun the host's transport may be cycles ahead of the
// plug-in, or have stood still for them (JACK's does), and the music goes on.
constexpr double kJumpSeconds = 0.25;

}  // namespace

TransportWatch::TransportWatch(const Uris& table, double sampleRate)
    : uris(table), jumpFrames(sampleRate * kJumpSeconds) {}

bool TransportWatch::ReadNumber(const LV2_Atom* atom, double& value) const {
    if (atom == nullptr) return false;
    if (atom->type == uris.atomFloat) {
        value = reinterpret_cast<const LV2_Atom_Float*>(atom)->body;
    } else if (atom->type == uris.atomDouble) {
        value = reinterpret_cast<const LV2_Atom_Double*>(atom)->body;
    } else if (atom->type == uris.atomInt) {
        value = reinterpret_cast<const LV2_Atom_Int*>(atom)->body;
    } else if (atom->type == uris.atomLong) {
        value = static_cast<double>(reinterpret_cast<const LV2_Atom_Long*>(atom)->body);
    } else {
        return false;
    }
    return std::isfinite(value);
}

// time:beatsPerMinute counts beats of time:beatUnit (a quarter note when it is absent).
int64_t TransportWatch::ReadTempo(const LV2_Atom* bpm, const LV2_Atom* beatUnit) const {
    double beats = 0.0;
    if (!ReadNumber(bpm, beats) || beats <= 0.0) return 0;
    double unit = 4.0;
    if (!ReadNumber(beatUnit, unit) || unit < 1.0) unit = 4.0;
    const double qpm = std::clamp(beats * 4.0 / unit, kSlowestQpm, kFastestQpm);
    return std::llround(60e6 / qpm);
}

bool TransportWatch::Jumped(const LV2_Atom* atom, int64_t frame) const {
    double now = 0.0;
    if (!known || !ReadNumber(atom, now)) return false;
    const double expected = hostFrame + speed * static_cast<double>(frame - seenAt);
    return std::fabs(now - expected) > jumpFrames;
}

TransportChange TransportWatch::Read(const LV2_Atom_Object* position, int64_t frame) {
    const LV2_Atom* hostFrameAtom = nullptr;
    const LV2_Atom* speedAtom = nullptr;
    const LV2_Atom* bpmAtom = nullptr;
    const LV2_Atom* beatUnitAtom = nullptr;
    lv2_atom_object_get(position, uris.timeFrame, &hostFrameAtom, uris.timeSpeed, &speedAtom,
                        uris.timeBeatsPerMinute, &bpmAtom, uris.timeBeatUnit, &beatUnitAtom, 0);

    TransportChange change;
    change.usPerQuarter = ReadTempo(bpmAtom, beatUnitAtom);
    change.endNotes = Jumped(hostFrameAtom, frame);

    double newSpeed = speed;
    if (ReadNumber(speedAtom, newSpeed)) {
        if (speed != 0.0 && newSpeed == 0.0) change.endNotes = true;
    }
    // Where the host is now, by its word or by the speed it last gave.
    double now = hostFrame + speed * static_cast<double>(frame - seenAt);
    if (ReadNumber(hostFrameAtom, now)) known = true;
    hostFrame = now;
    seenAt = frame;
    speed = newSpeed;
    return change;
}
