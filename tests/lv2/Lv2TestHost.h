// A small LV2 host for tests: loads the built bundle's library as a real host does,
// instantiates the plug-in with a URID map and a log, connects every port, and plays MIDI and
// time:Position objects through it block by block, collecting what it writes with absolute
// frame numbers.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/log/log.h>
#include <lv2/urid/urid.h>

#include "Ports.h"
#include "platform/DynamicLibrary.h"

struct TimedMidi {
    int64_t frame;
    std::vector<uint8_t> bytes;
};

struct TimedText {
    int64_t frame;
    std::string text;
};

// A time:Position as hosts send it; absent fields are left out of the object.
struct Position {
    int64_t frame;  // when the plug-in receives it
    std::optional<double> speed;
    std::optional<double> beatsPerMinute;
    std::optional<int64_t> hostFrame;
};

TimedMidi NoteOn(int64_t frame, int key, int velocity = 100, int channel = 0);
TimedMidi NoteOff(int64_t frame, int key, int channel = 0);

class Lv2TestHost {
public:
    // Without `withLog` the plug-in gets no log feature: the test host's log allocates.
    explicit Lv2TestHost(double sampleRate = 48000.0, uint32_t outputCapacity = 65536,
                         bool withLog = true);
    ~Lv2TestHost();
    Lv2TestHost(const Lv2TestHost&) = delete;
    Lv2TestHost& operator=(const Lv2TestHost&) = delete;

    bool Loaded() const { return instance != nullptr; }
    void Set(std::string_view symbol, float value);
    void Activate();
    void Deactivate();

    // Runs `frames` frames in blocks of `blockSize`; events are given by absolute frame and
    // must lie in this stretch. Output is appended to midiOut, notify and traces.
    void Play(int64_t frames, uint32_t blockSize, const std::vector<TimedMidi>& midi = {},
              const std::vector<Position>& positions = {});
    // One block with exactly these events (frames absolute); for allocation counts and benches.
    void RunBlock(uint32_t frames, const std::vector<TimedMidi>& midi,
                  const std::vector<Position>& positions = {});
    // RunBlock in three steps, so that run() can be measured alone: Prepare lays out the
    // input, RunPrepared calls run() and nothing else, Collect reads the output and moves on.
    void Prepare(uint32_t frames, const std::vector<TimedMidi>& midi,
                 const std::vector<Position>& positions = {});
    void RunPrepared(uint32_t frames);
    void Collect();

    int64_t Now() const { return frame; }
    LV2_URID Map(const std::string& uri);

    std::vector<TimedMidi> midiOut;
    std::vector<TimedText> notify;
    std::vector<std::string> traces;

private:
    void CollectOutput();
    static LV2_URID MapUri(LV2_URID_Map_Handle handle, const char* uri);
    static int Printf(LV2_Log_Handle handle, LV2_URID type, const char* format, ...);
    static int VPrintf(LV2_Log_Handle handle, LV2_URID type, const char* format, va_list args);

    DynamicLibrary library;
    const LV2_Descriptor* descriptor = nullptr;
    LV2_Handle instance = nullptr;
    std::map<std::string, LV2_URID> urids;
    LV2_URID_Map mapFeature;
    LV2_Log_Log logFeature;
    std::array<float, lv2ports::kControlCount> controls{};
    std::vector<uint64_t> input;  // 8-byte aligned atom buffers
    std::vector<uint64_t> output;
    std::vector<uint64_t> notifyOut;
    uint32_t outputCapacity;
    int64_t frame = 0;
    uint32_t lastBlock = 0;
};

inline int64_t Distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

// Note-ons (velocity above 0) of the output, in order.
std::vector<TimedMidi> NoteOns(const std::vector<TimedMidi>& events);
