#include "midifile/MidiReader.h"

#include <cstdio>
#include <string>

#include "midifile/ByteReader.h"

namespace midi {
namespace {

constexpr size_t kMinHeaderLength = 6;

std::string Hex(uint32_t value) {
    char text[12];
    std::snprintf(text, sizeof text, "0x%02X", value);
    return text;
}

bool IsChunkType(std::span<const uint8_t> type, const char* name) {
    for (size_t i = 0; i < 4; ++i) {
        if (type[i] != static_cast<uint8_t>(name[i])) return false;
    }
    return true;
}

uint8_t DataByte(ByteReader& in, uint8_t status) {
    const size_t offset = in.Offset();
    const uint8_t byte = in.U8("a channel message");
    if (byte & 0x80) {
        throw FileError(offset, "channel message " + Hex(status) + " has a data byte of " +
                                    Hex(byte) + ", not below 0x80");
    }
    return byte;
}

void CheckMeta(const Event& event, size_t offset) {
    if (event.data1 != kMetaTempo) return;
    if (event.payload.size() != 3) {
        throw FileError(offset, "tempo event has " + std::to_string(event.payload.size()) +
                                    " data bytes instead of 3");
    }
    if (event.payload[0] == 0 && event.payload[1] == 0 && event.payload[2] == 0) {
        throw FileError(offset, "tempo event of 0 microseconds per quarter note");
    }
}

// One MTrk chunk's body. `in` covers exactly the chunk's declared length.
Track ReadTrack(ByteReader in) {
    Track track;
    uint64_t tick = 0;
    uint8_t runningStatus = 0;
    while (!in.AtEnd()) {
        const size_t eventOffset = in.Offset();
        tick += in.Vlq("a delta time");
        if (tick > kMaxTick) {
            throw FileError(eventOffset, "track runs past tick " + std::to_string(kMaxTick));
        }
        Event event;
        event.tick = static_cast<uint32_t>(tick);

        const size_t statusOffset = in.Offset();
        uint8_t status = in.Peek("an event");
        if (status < 0x80) {
            if (runningStatus == 0) {
                throw FileError(statusOffset,
                                "data byte " + Hex(status) + " where a status byte was expected");
            }
            status = runningStatus;
        } else {
            in.U8("an event");
        }

        if (status < 0xF0) {
            runningStatus = status;
            event.type = EventType::Channel;
            event.status = status;
            event.data1 = DataByte(in, status);
            if (DataBytesOf(status) == 2) event.data2 = DataByte(in, status);
        } else if (status == 0xFF) {
            event.type = EventType::Meta;
            event.status = status;
            event.data1 = in.U8("a meta event");
            const uint32_t length = in.Vlq("a meta event length");
            const auto data = in.Take(length, "a meta event");
            event.payload.assign(data.begin(), data.end());
            if (event.data1 == kMetaEndOfTrack) {
                if (!in.AtEnd()) {
                    throw FileError(in.Offset(), "data after the end-of-track event");
                }
                track.endTick = event.tick;
                return track;
            }
            CheckMeta(event, statusOffset);
        } else if (status == 0xF0 || status == 0xF7) {
            event.type = status == 0xF0 ? EventType::SysEx : EventType::Escape;
            event.status = status;
            const uint32_t length = in.Vlq("a system-exclusive length");
            const auto data = in.Take(length, "a system-exclusive event");
            event.payload.assign(data.begin(), data.end());
        } else {
            throw FileError(statusOffset,
                            "status " + Hex(status) + " cannot appear in a MIDI file");
        }
        track.events.push_back(std::move(event));
    }
    // A track without its end-of-track marker ends at its last event.
    track.endTick = track.events.empty() ? 0 : track.events.back().tick;
    return track;
}

}  // namespace

File ReadFile(std::span<const uint8_t> bytes) {
    ByteReader in(bytes, 0);
    if (bytes.size() < 4 || !IsChunkType(in.Take(4, "the file header"), "MThd")) {
        throw FileError(0, "not a Standard MIDI File (no MThd header)");
    }
    const size_t lengthOffset = in.Offset();
    const uint32_t headerLength = in.U32("the file header");
    if (headerLength < kMinHeaderLength) {
        throw FileError(lengthOffset, "file header of " + std::to_string(headerLength) +
                                          " bytes is shorter than 6");
    }
    if (headerLength > in.Left()) {
        throw FileError(lengthOffset, "file header length runs past the end of the file");
    }
    ByteReader header(in.Take(headerLength, "the file header"), lengthOffset + 4);

    File file;
    const size_t formatOffset = header.Offset();
    const uint16_t format = header.U16("the file header");
    if (format == 2) {
        throw FileError(formatOffset,
                        "format 2 (independent patterns) is not supported; use format 0 or 1");
    }
    if (format > 2) {
        throw FileError(formatOffset, "unknown file format " + std::to_string(format));
    }
    file.format = format;
    const size_t countOffset = header.Offset();
    const uint16_t trackCount = header.U16("the file header");
    if (format == 0 && trackCount != 1) {
        throw FileError(countOffset, "a format 0 file has " + std::to_string(trackCount) +
                                         " tracks instead of 1");
    }
    const size_t divisionOffset = header.Offset();
    const uint16_t division = header.U16("the file header");
    if (division & 0x8000) {
        throw FileError(divisionOffset,
                        "SMPTE time division is not supported; the file must count ticks per "
                        "quarter note");
    }
    if (division == 0) throw FileError(divisionOffset, "0 ticks per quarter note");
    file.ticksPerQuarter = division;

    while (!in.AtEnd()) {
        const size_t chunkOffset = in.Offset();
        const auto type = in.Take(4, "a chunk header");
        const size_t chunkLengthOffset = in.Offset();
        const uint32_t length = in.U32("a chunk header");
        if (length > in.Left()) {
            throw FileError(chunkLengthOffset, "chunk length " + std::to_string(length) +
                                                   " runs past the end of "
                                                   "the file (" +
                                                   std::to_string(in.Left()) + " bytes left)");
        }
        const size_t bodyOffset = in.Offset();
        const auto body = in.Take(length, "a chunk");
        if (!IsChunkType(type, "MTrk")) continue;
        if (file.tracks.size() == trackCount) {
            throw FileError(chunkOffset, "more track chunks than the " +
                                             std::to_string(trackCount) + " the header declares");
        }
        file.tracks.push_back(ReadTrack(ByteReader(body, bodyOffset)));
    }
    if (file.tracks.size() != trackCount) {
        throw FileError(bytes.size(), "the header declares " + std::to_string(trackCount) +
                                          " tracks but the file holds " +
                                          std::to_string(file.tracks.size()));
    }
    return file;
}

}  // namespace midi
