// One instance of the LV2 plug-in: a host of the engine. It owns a filter object attached to
// host services of its own, feeds the filter's live path with the MIDI of each block, and writes
// what the filter sends to the MIDI output at the frame of its due time (LiveScheduler), the
// recognised chord to the notification output.
//
// Threads: the host calls instantiate, activate, deactivate and cleanup from one thread that
// never overlaps run ([instantiation thread]); connect_port and run from the audio thread
// ([run thread]). Only the run thread touches the filter once it runs: the filter's lock is
// taken by every live call but never waited for. Everything run needs is allocated here, at
// instantiation.
#pragma once

#include <cstdint>

#include <lv2/atom/atom.h>
#include <lv2/log/log.h>
#include <lv2/urid/urid.h>

#include "ControlInputs.h"
#include "HostServices.h"
#include "LiveScheduler.h"
#include "NoteTracker.h"
#include "SequenceWriter.h"
#include "TransportWatch.h"
#include "Uris.h"
#include "engine/Arpeggiator.h"

class ArpeggiatorPlugin final : private ScheduledOutput {
public:
    // [instantiation thread]
    // `log` is optional: with it, each recognised chord is also traced.
    ArpeggiatorPlugin(double sampleRate, LV2_URID_Map* map, LV2_Log_Log* log);
    ~ArpeggiatorPlugin();
    ArpeggiatorPlugin(const ArpeggiatorPlugin&) = delete;
    ArpeggiatorPlugin& operator=(const ArpeggiatorPlugin&) = delete;

    // [run thread]
    void ConnectPort(uint32_t port, void* data);
    // [instantiation thread] The next run starts the clock again at frame 0 and ends every
    // note the plug-in left on before: a host cannot take output between the two.
    void Activate() { restart = true; }
    void Deactivate() { restart = true; }
    // [run thread]
    void Run(uint32_t frames);

private:
    // Port buffers
    const LV2_Atom_Sequence* midiIn = nullptr;
    LV2_Atom_Sequence* midiOut = nullptr;
    LV2_Atom_Sequence* notify = nullptr;
    ControlInputs controls;

    // ScheduledOutput: what the scheduler places, written at its frame in this block.
    void Place(int64_t frame, const ShortMessageRecord& message) override;
    void ChordNamed(int64_t frame) override;

    void ApplyControls();
    void ReadInput();
    void TakeMidi(int64_t frame, const LV2_Atom* event);
    void TakePosition(int64_t frame, const LV2_Atom_Object* position);
    void FlushBatch();
    void PassUnchanged(int64_t frame, const LV2_Atom* event);
    // Ends every note: releases the keys held at the input, drops what the engine and the
    // scheduler hold for later, and sends a note-off for every note still on at the output.
    void EndEverything(int64_t frame);
    uint32_t InBlock(int64_t frame) const;

    // Host features and URIs
    LV2_Log_Log* log;
    Uris uris;
    SequenceWriter midiWriter;
    SequenceWriter notifyWriter;

    // The engine and its host
    SampleClockConverter converter;
    LiveService live{LiveScheduler::kLookAheadMs};
    AuxService aux;
    PluginHost host{converter, live, aux};
    ChordLink chordLink;
    CArpeggiator* filter;
    LiveScheduler scheduler;

    // Run state
    TransportWatch transport;
    NoteTracker sounding;  // notes on at the output
    NoteTracker held;      // keys held at the input, as the engine was told
    ArpeggiatorParams applied;
    ShortMessageRecord batch[LiveScheduler::kBatchCapacity];
    size_t batchSize = 0;
    int64_t batchFrame = 0;
    MessageQueue noQueue{0};  // for the transport call, which reads no queue
    int64_t blockStart = 0;
    uint32_t blockFrames = 0;
    bool restart = true;
};
