// The settings block as a container stores it in a host's project: the 76 bytes the filter's
// own IPersistStream writes, and reads back with the same checks (the 52-byte form of older
// projects included), so settings move unchanged between every format and the Windows
// plug-in's stream. It keeps a filter of its own, with its clock stopped, only for this.
// [any thread but the run thread: it allocates at construction; Save and Load take the lock of
// its own filter]
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

#include "engine/Arpeggiator.h"

class SettingsImage {
public:
    static constexpr size_t kSize = sizeof(ArpeggiatorParams);
    using Bytes = std::array<uint8_t, kSize>;

    SettingsImage();
    ~SettingsImage();
    SettingsImage(const SettingsImage&) = delete;
    SettingsImage& operator=(const SettingsImage&) = delete;

    Bytes Save(const ArpeggiatorParams& params);
    // The settings `bytes` hold, the fields a short form leaves out taken from `current`; none
    // when the filter refuses them or they are longer than a block.
    std::optional<ArpeggiatorParams> Load(std::span<const uint8_t> bytes,
                                          const ArpeggiatorParams& current);

private:
    CArpeggiator* filter;
};
