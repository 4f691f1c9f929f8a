// The bundle's own URIs and the URIDs the plug-in maps once, at instantiation.
#pragma once

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

namespace lv2uris {

inline constexpr const char* kPlugin = "urn:arpeggiator:lv2";
// The recognised chord's display name, published as a readable string parameter.
inline constexpr const char* kChord = "urn:arpeggiator:lv2#chord";
inline constexpr const char* kPresetPrefix = "urn:arpeggiator:lv2:preset:";

}  // namespace lv2uris

struct Uris {
    explicit Uris(LV2_URID_Map* map);

    LV2_URID atomBlank;
    LV2_URID atomObject;
    LV2_URID atomSequence;
    LV2_URID atomString;
    LV2_URID atomUrid;
    LV2_URID atomFloat;
    LV2_URID atomDouble;
    LV2_URID atomInt;
    LV2_URID atomLong;
    LV2_URID midiEvent;
    LV2_URID patchSet;
    LV2_URID patchProperty;
    LV2_URID patchValue;
    LV2_URID chord;
    LV2_URID timePosition;
    LV2_URID timeFrame;
    LV2_URID timeSpeed;
    LV2_URID timeBeatsPerMinute;
    LV2_URID timeBeatUnit;
    LV2_URID logTrace;
};
