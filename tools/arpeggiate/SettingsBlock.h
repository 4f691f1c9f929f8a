// The settings every filter of a run gets, moved in and out of a filter through its own
// IPersistStream, so a stored settings file is read exactly as a host loads a project.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "arpeggiate/SettingsFields.h"
#include "engine/HostInterfaces.h"

class SettingsError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws SettingsError, naming `origin`, when the filter refuses the bytes.
void LoadSettings(IMfxEventFilter* filter, std::span<const uint8_t> stored,
                  const std::string& origin);

// The filter's 76-byte settings. Throws SettingsError when it cannot save them.
std::vector<uint8_t> SaveSettings(IMfxEventFilter* filter);

// A 76-byte settings image with the assignments made, in order. Throws SettingsError when the
// result puts the left-hand window or the arpeggio range above key 127.
std::vector<uint8_t> ApplySettings(std::span<const uint8_t> image,
                                   std::span<const SettingAssignment> assignments);

// The block a settings image holds.
ArpeggiatorParams ParamsOf(std::span<const uint8_t> image);
