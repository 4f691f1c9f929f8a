#include "midifile/MidiWriter.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace midi {
namespace {

constexpr uint32_t kMaxVlq = 0x0FFFFFFF;

void PutU16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutVlq(std::vector<uint8_t>& out, uint64_t value, const char* what) {
    if (value > kMaxVlq) {
        throw std::invalid_argument(std::string(what) + " does not fit in 28 bits");
    }
    uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1) out.push_back(static_cast<uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

void PutEvent(std::vector<uint8_t>& out, const Event& event, uint8_t& runningStatus) {
    switch (event.type) {
        case EventType::Channel:
            if (event.status < 0x80 || event.status > 0xEF) {
                throw std::invalid_argument("channel message with status outside 0x80..0xEF");
            }
            if ((event.data1 | event.data2) & 0x80) {
                throw std::invalid_argument("channel message with a data byte of 0x80 or above");
            }
            if (event.status != runningStatus) out.push_back(event.status);
            runningStatus = event.status;
            out.push_back(event.data1);
            if (DataBytesOf(event.status) == 2) out.push_back(event.data2);
            return;
        case EventType::Meta:
            out.push_back(0xFF);
            out.push_back(event.data1);
            break;
        case EventType::SysEx:
            out.push_back(0xF0);
            break;
        case EventType::Escape:
            out.push_back(0xF7);
            break;
    }
    PutVlq(out, event.payload.size(), "an event's length");
    out.insert(out.end(), event.payload.begin(), event.payload.end());
    runningStatus = 0;
}

void PutTrack(std::vector<uint8_t>& out, const Track& track) {
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    const size_t lengthAt = out.size();
    PutU32(out, 0);

    uint32_t tick = 0;
    uint8_t runningStatus = 0;
    for (const Event& event : track.events) {
        if (event.tick < tick) throw std::invalid_argument("track events out of tick order");
        PutVlq(out, event.tick - tick, "a delta time");
        tick = event.tick;
        PutEvent(out, event, runningStatus);
    }
    PutVlq(out, std::max(track.endTick, tick) - tick, "a delta time");
    out.insert(out.end(), {0xFF, kMetaEndOfTrack, 0x00});

    const size_t length = out.size() - lengthAt - 4;
    if (length > 0xFFFFFFFF) throw std::invalid_argument("track chunk longer than 4 GiB");
    for (int i = 0; i < 4; ++i) {
        out[lengthAt + static_cast<size_t>(i)] = static_cast<uint8_t>(length >> (24 - 8 * i));
    }
}

}  // namespace

std::vector<uint8_t> WriteFile(const File& file) {
    if (file.format > 1) throw std::invalid_argument("only formats 0 and 1 can be written");
    if (file.format == 0 && file.tracks.size() != 1) {
        throw std::invalid_argument("a format 0 file holds exactly one track");
    }
    if (file.tracks.size() > 0xFFFF) throw std::invalid_argument("more than 65535 tracks");
    if (file.ticksPerQuarter == 0 || (file.ticksPerQuarter & 0x8000)) {
        throw std::invalid_argument("ticks per quarter must be 1..32767");
    }

    std::vector<uint8_t> out;
    out.insert(out.end(), {'M', 'T', 'h', 'd'});
    PutU32(out, 6);
    PutU16(out, file.format);
    PutU16(out, static_cast<uint16_t>(file.tracks.size()));
    PutU16(out, file.ticksPerQuarter);
    for (const Track& track : file.tracks) PutTrack(out, track);
    return out;
}

}  // namespace midi
