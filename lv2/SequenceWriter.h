// Writes one output atom sequence per block through the atom forge, into the buffer the host
// connected. Events must come in frame order. An event that does not fit the host's buffer is
// dropped whole, before any of it is written, so the sequence stays valid. [run thread]
#pragma once

#include <cstdint>
#include <string_view>

#include <lv2/atom/forge.h>

#include "Uris.h"

class SequenceWriter {
public:
    SequenceWriter(LV2_URID_Map* map, const Uris& uris);

    // Starts the block's sequence in `port`, whose atom size the host set to its capacity;
    // a null port, or one too small for an empty sequence, gets nothing.
    void Begin(LV2_Atom_Sequence* port);
    void End();

    bool Midi(uint32_t frame, const uint8_t* bytes, uint32_t size);
    // patch:Set of `property` to a string value.
    bool SetString(uint32_t frame, LV2_URID property, std::string_view text);

private:
    bool Reserve(uint32_t bytes);

    LV2_Atom_Forge forge;
    const Uris& uris;
    LV2_Atom_Sequence* target = nullptr;
    LV2_Atom_Forge_Frame sequenceFrame;
};
