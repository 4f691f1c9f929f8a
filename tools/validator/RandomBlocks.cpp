#include "validator/RandomBlocks.h"

#include <limits>

#include "host/EditorSettings.h"

ArpeggiatorParams RandomBlocks::Valid() {
    ArpeggiatorParams p = DefaultArpeggiatorParams();
    DrawEditorSettings(p, random);
    p.enabled = Between(0, 1);
    return p;
}

ArpeggiatorParams RandomBlocks::Extreme() {
    static constexpr int32_t kEdges[] = {
        std::numeric_limits<int32_t>::min(), -1000000000, -12, -1, 0, 1, 11, 127, 128, 1000000000,
        std::numeric_limits<int32_t>::max()};
    ArpeggiatorParams p = Valid();
    int32_t* fields = &p.leftHandBottom;
    for (int i = 0; i < 13; ++i) {
        if (Between(0, 2) == 0)
            fields[i] = Between(0, 1) ? kEdges[Between(0, 10)] : static_cast<int32_t>(random());
    }
    p.playOriginals = 0;  // so that every note in the output is a generated one
    p.enabled = 1;
    return p;
}

std::vector<uint8_t> RandomBlocks::Bytes(size_t count) {
    std::vector<uint8_t> bytes(count);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    return bytes;
}

std::vector<EventRecord> RandomBlocks::Notes(int32_t from, int count) {
    std::vector<EventRecord> notes;
    for (int i = 0; i < count; ++i) {
        EventRecord r{};
        r.time = static_cast<uint32_t>(from + Between(0, 120));
        r.key = static_cast<uint8_t>(Between(0, 255));
        r.velocity = static_cast<uint8_t>(Between(0, 255));
        r.duration = static_cast<uint32_t>(Between(0, 3000));
        r.kind = Between(0, 5) == 0 ? static_cast<uint32_t>(Between(1, 9)) : kEventKindNote;
        notes.push_back(r);
    }
    return notes;
}

std::vector<EventRecord> RandomBlocks::ValidNotes(int32_t from, int count) {
    std::vector<EventRecord> notes = Notes(from, count);
    for (EventRecord& r : notes) {
        r.kind = kEventKindNote;
        r.key = static_cast<uint8_t>(Between(1, 127));
        r.velocity = static_cast<uint8_t>(Between(1, 127));
        r.duration = static_cast<uint32_t>(Between(1, 3000));
    }
    return notes;
}

std::vector<ShortMessageRecord> RandomBlocks::Messages(int count) {
    std::vector<ShortMessageRecord> messages;
    for (int i = 0; i < count; ++i) {
        messages.push_back({0, static_cast<uint8_t>(Between(0x80, 0xFF)),
                            static_cast<uint8_t>(Between(0, 255)),
                            static_cast<uint8_t>(Between(0, 255)), 0});
    }
    return messages;
}
