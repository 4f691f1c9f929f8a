#include "arpeggiate/SettingsStream.h"

#include <stdexcept>

SettingsStream::SettingsStream(std::span<const uint8_t> initial) : stream(nullptr) {
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream))) {
        throw std::runtime_error("cannot create a memory stream");
    }
    ULONG written = 0;
    LARGE_INTEGER start{};
    if (FAILED(stream->Write(initial.data(), static_cast<ULONG>(initial.size()), &written)) ||
        FAILED(stream->Seek(start, STREAM_SEEK_SET, nullptr))) {
        stream->Release();
        throw std::runtime_error("cannot fill a memory stream");
    }
}

SettingsStream::~SettingsStream() { stream->Release(); }

std::vector<uint8_t> SettingsStream::Contents() const {
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME))) return {};
    std::vector<uint8_t> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER start{};
    ULARGE_INTEGER position{};
    LARGE_INTEGER zero{};
    // Reading moves the stream's position; put it back where the caller left it.
    stream->Seek(zero, STREAM_SEEK_CUR, &position);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    LARGE_INTEGER back{};
    back.QuadPart = static_cast<LONGLONG>(position.QuadPart);
    stream->Seek(back, STREAM_SEEK_SET, nullptr);
    return bytes;
}
