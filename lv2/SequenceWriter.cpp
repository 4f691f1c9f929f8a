#include "SequenceWriter.h"

namespace {

// An event's frame time and atom header, before its body.
constexpr uint32_t kEventHeader = sizeof(LV2_Atom_Event);
// A patch:Set object around its string: object header and body, two keys, a URID atom.
constexpr uint32_t kPatchSetOverhead =
    sizeof(LV2_Atom_Object) + 2 * sizeof(LV2_Atom_Property_Body) + sizeof(LV2_Atom_URID);

}  // namespace

SequenceWriter::SequenceWriter(LV2_URID_Map* map, const Uris& uriTable) : uris(uriTable) {
    lv2_atom_forge_init(&forge, map);
}

void SequenceWriter::Begin(LV2_Atom_Sequence* port) {
    target = nullptr;
    if (port == nullptr || port->atom.size < sizeof(LV2_Atom_Sequence)) return;
    target = port;
    lv2_atom_forge_set_buffer(&forge, reinterpret_cast<uint8_t*>(port), port->atom.size);
    lv2_atom_forge_sequence_head(&forge, &sequenceFrame, 0);
}

void SequenceWriter::End() {
    if (target != nullptr) lv2_atom_forge_pop(&forge, &sequenceFrame);
    target = nullptr;
}

bool SequenceWriter::Reserve(uint32_t bytes) {
    return target != nullptr && forge.offset + bytes <= forge.size;
}

bool SequenceWriter::Midi(uint32_t frame, const uint8_t* bytes, uint32_t size) {
    if (!Reserve(kEventHeader + lv2_atom_pad_size(size))) return false;
    lv2_atom_forge_frame_time(&forge, frame);
    lv2_atom_forge_atom(&forge, size, uris.midiEvent);
    lv2_atom_forge_write(&forge, bytes, size);
    return true;
}

bool SequenceWriter::SetString(uint32_t frame, LV2_URID property, std::string_view text) {
    const auto length = static_cast<uint32_t>(text.size());
    const uint32_t stringAtom = sizeof(LV2_Atom_String) + lv2_atom_pad_size(length + 1);
    if (!Reserve(kEventHeader + kPatchSetOverhead + stringAtom)) return false;
    lv2_atom_forge_frame_time(&forge, frame);
    LV2_Atom_Forge_Frame object;
    lv2_atom_forge_object(&forge, &object, 0, uris.patchSet);
    lv2_atom_forge_key(&forge, uris.patchProperty);
    lv2_atom_forge_urid(&forge, property);
    lv2_atom_forge_key(&forge, uris.patchValue);
    lv2_atom_forge_string(&forge, text.data(), length);
    lv2_atom_forge_pop(&forge, &object);
    return true;
}
