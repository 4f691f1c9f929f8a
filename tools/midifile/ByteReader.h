// A cursor over a byte image that never reads past its end. Every read checks the bytes left
// and throws a FileError at the offset where the data ran out, so the codec above it needs no
// length arithmetic of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "midifile/MidiFileError.h"

namespace midi {

class ByteReader {
public:
    // `base` is the offset of data[0] in the file, so errors name file offsets.
    ByteReader(std::span<const uint8_t> data, size_t base) : bytes(data), start(base) {}

    size_t Offset() const { return start + position; }
    size_t Left() const { return bytes.size() - position; }
    bool AtEnd() const { return position == bytes.size(); }

    uint8_t Peek(const char* what) const {
        Need(1, what);
        return bytes[position];
    }
    uint8_t U8(const char* what) {
        Need(1, what);
        return bytes[position++];
    }
    uint16_t U16(const char* what) {
        Need(2, what);
        const auto value = static_cast<uint16_t>(bytes[position] << 8 | bytes[position + 1]);
        position += 2;
        return value;
    }
    uint32_t U32(const char* what) {
        Need(4, what);
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i) value = value << 8 | bytes[position + i];
        position += 4;
        return value;
    }
    // A variable-length quantity: seven bits per byte, at most four bytes (28 bits).
    uint32_t Vlq(const char* what) {
        const size_t at = Offset();
        uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const uint8_t byte = U8(what);
            value = value << 7 | (byte & 0x7Fu);
            if ((byte & 0x80) == 0) return value;
        }
        throw FileError(at, std::string(what) + " is a variable-length number longer than 4 bytes");
    }
    std::span<const uint8_t> Take(size_t count, const char* what) {
        Need(count, what);
        const auto taken = bytes.subspan(position, count);
        position += count;
        return taken;
    }

private:
    void Need(size_t count, const char* what) const {
        if (Left() < count) {
            throw FileError(start + bytes.size(), std::string("unexpected end of data in ") + what);
        }
    }

    std::span<const uint8_t> bytes;
    size_t start;
    size_t position = 0;
};

}  // namespace midi
