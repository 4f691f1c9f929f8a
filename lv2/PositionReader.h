// Reads the host's time:Position objects into the format-free transport report: the host's
// frame, its speed and its tempo, each when the object gives it. [run thread]
#pragma once

#include <lv2/atom/atom.h>

#include "TransportFollower.h"
#include "Uris.h"

class PositionReader {
public:
    explicit PositionReader(const Uris& table) : uris(table) {}

    TransportReport Read(const LV2_Atom_Object* position) const;

private:
    std::optional<double> Number(const LV2_Atom* atom) const;

    const Uris& uris;
};
