// A plug-in loaded through one format's entry point as a host loads it (the CLAP plug-in's
// clap_entry, the VST3 bundle's GetPluginFactory), reduced to what the host cases need:
// parameters by the plug-in's own index (ParameterTable.h), the format's state blob, and blocks
// of short MIDI messages with the host's transport.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#ifdef _WIN32
#include "editorhost/FormatEditor.h"
#endif

struct BlockMidi {
    uint32_t offset;
    std::array<uint8_t, 3> bytes;
};

struct BlockTransport {
    bool playing;
    double bpm;
    int64_t hostFrame;
};

class FormatHost {
public:
    virtual ~FormatHost() = default;
    virtual bool Loaded() const = 0;
    // Takes effect from the next block's first frame. `plain` is the parameter's own value.
    virtual void SetParameter(uint32_t index, double plain) = 0;
    virtual double Parameter(uint32_t index) = 0;
    virtual std::vector<uint8_t> SaveState() = 0;
    virtual bool LoadState(const std::vector<uint8_t>& blob) = 0;
    // One block; what the plug-in wrote is appended to `out` with offsets within the block.
    virtual void Run(uint32_t frames, const BlockTransport& transport,
                     const std::vector<BlockMidi>& in, std::vector<BlockMidi>& out) = 0;
#ifdef _WIN32
    virtual FormatEditor& Editor() = 0;
#endif
};

std::unique_ptr<FormatHost> LoadClap(double sampleRate, uint32_t maxBlock);
std::unique_ptr<FormatHost> LoadVst3(double sampleRate, uint32_t maxBlock);
