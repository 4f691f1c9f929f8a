#include "PositionReader.h"

#include <cmath>

#include <lv2/atom/util.h>

// A number of any of the four atom types; absent when not finite.
std::optional<double> PositionReader::Number(const LV2_Atom* atom) const {
    if (atom == nullptr) return std::nullopt;
    double value = 0.0;
    if (atom->type == uris.atomFloat) {
        value = reinterpret_cast<const LV2_Atom_Float*>(atom)->body;
    } else if (atom->type == uris.atomDouble) {
        value = reinterpret_cast<const LV2_Atom_Double*>(atom)->body;
    } else if (atom->type == uris.atomInt) {
        value = reinterpret_cast<const LV2_Atom_Int*>(atom)->body;
    } else if (atom->type == uris.atomLong) {
        value = static_cast<double>(reinterpret_cast<const LV2_Atom_Long*>(atom)->body);
    } else {
        return std::nullopt;
    }
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// time:beatsPerMinute counts beats of time:beatUnit (a quarter note when it is absent).
TransportReport PositionReader::Read(const LV2_Atom_Object* position) const {
    const LV2_Atom* hostFrame = nullptr;
    const LV2_Atom* speed = nullptr;
    const LV2_Atom* bpm = nullptr;
    const LV2_Atom* beatUnit = nullptr;
    lv2_atom_object_get(position, uris.timeFrame, &hostFrame, uris.timeSpeed, &speed,
                        uris.timeBeatsPerMinute, &bpm, uris.timeBeatUnit, &beatUnit, 0);

    TransportReport report{Number(hostFrame), Number(speed), std::nullopt};
    if (const std::optional<double> beats = Number(bpm)) {
        double unit = Number(beatUnit).value_or(4.0);
        if (!(unit >= 1.0)) unit = 4.0;
        report.quartersPerMinute = *beats * 4.0 / unit;
    }
    return report;
}
