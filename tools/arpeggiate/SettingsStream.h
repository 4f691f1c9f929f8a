// An IStream over bytes in memory, for the filter's IPersistStream::Load and Save. The native
// build implements the two calls the filter makes; the Windows build uses the system's
// stream on global memory. Both read like a memory stream: a read past the end succeeds with
// the bytes there are. One implementation file per build (native/, win32/).
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "platform/ComTypes.h"

class SettingsStream {
public:
    // A stream that reads `initial` from its start.
    explicit SettingsStream(std::span<const uint8_t> initial = {});
    ~SettingsStream();
    SettingsStream(const SettingsStream&) = delete;
    SettingsStream& operator=(const SettingsStream&) = delete;

    IStream* Get() const { return stream; }
    // The stream's whole contents: the initial bytes and what was written after them.
    std::vector<uint8_t> Contents() const;

private:
    IStream* stream;
};
