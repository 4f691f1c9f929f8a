#include "arpeggiate/SettingsStream.h"

#include "host/MemoryStream.h"

SettingsStream::SettingsStream(std::span<const uint8_t> initial)
    : stream(new MemoryStream(initial)) {}

SettingsStream::~SettingsStream() { delete static_cast<MemoryStream*>(stream); }

std::vector<uint8_t> SettingsStream::Contents() const {
    return static_cast<const MemoryStream*>(stream)->bytes;
}
