// The engine played live by a plug-in of any format: a filter object attached to host services
// of its own, the live scheduler that places each message at the frame of its due time, the
// transport follower, and the notes on at the input and the output, so that a stop, a jump, a
// bypass switch or a restart ends every one. A format's plug-in class reads its host's block
// (settings, MIDI, transport) into these calls and writes what comes out to its ports.
//
// Threads: construction, Restart and destruction on the host's instantiation thread, never
// during a block ([instantiation thread]); everything else on the audio thread ([run thread]).
// Only the run thread touches the filter once blocks run: the filter's lock is taken by every
// live call but never waited for. Everything a block needs is allocated at construction.
#pragma once

#include <cstdint>
#include <string_view>

#include "HostServices.h"
#include "LiveScheduler.h"
#include "NoteTracker.h"
#include "TransportFollower.h"
#include "engine/Arpeggiator.h"

// Where the player's output goes, by frame within the block, in frame order. [run thread]
class PlayerOutput {
public:
    // False when the host's buffer refused the message.
    virtual bool Midi(uint32_t offset, const uint8_t* bytes, uint32_t size) = 0;
    // The engine named a chord; `text` is UTF-8 and lives for the call only.
    virtual void Chord(uint32_t offset, std::string_view text) = 0;

protected:
    ~PlayerOutput() = default;
};

class LivePlayer final : private ScheduledOutput {
public:
    // [instantiation thread]
    LivePlayer(double sampleRate, PlayerOutput& output);
    ~LivePlayer();
    LivePlayer(const LivePlayer&) = delete;
    LivePlayer& operator=(const LivePlayer&) = delete;

    // [instantiation thread] The next block starts the clock again at frame 0 and ends every
    // note the player left on before: a host cannot take output between the two.
    void Restart() { restart = true; }

    // [run thread] One block: BeginBlock, then ApplySettings, then the block's MIDI and
    // transport reports in frame order, then EndBlock. Offsets out of the block or out of order
    // are pinned, so the output stays in frame order.
    void BeginBlock(uint32_t frames);
    // The settings take effect at the block's first frame; nothing happens when none changed.
    void ApplySettings(const ArpeggiatorParams& wanted);
    void Midi(uint32_t offset, const uint8_t* bytes, uint32_t size);
    void Transport(uint32_t offset, const TransportReport& report);
    void EndBlock();

private:
    // ScheduledOutput: what the scheduler places, written at its frame in this block.
    void Place(int64_t frame, const ShortMessageRecord& message) override;
    void ChordNamed(int64_t frame) override;

    int64_t Pin(uint32_t offset);
    void FlushBatch();
    // Ends every note: releases the keys held at the input, drops what the engine and the
    // scheduler hold for later, and sends a note-off for every note still on at the output.
    void EndEverything(int64_t frame);
    uint32_t InBlock(int64_t frame) const;

    PlayerOutput& output;

    // The engine and its host
    SampleClockConverter converter;
    LiveService live{LiveScheduler::kLookAheadMs};
    AuxService aux;
    PluginHost host{converter, live, aux};
    ChordLink chordLink;
    CArpeggiator* filter;
    LiveScheduler scheduler;

    // Run state
    TransportFollower transport;
    NoteTracker sounding;  // notes on at the output
    NoteTracker held;      // keys held at the input, as the engine was told
    ArpeggiatorParams applied;
    ShortMessageRecord batch[LiveScheduler::kBatchCapacity];
    size_t batchSize = 0;
    int64_t batchFrame = 0;
    MessageQueue noQueue{0};  // for the transport call, which reads no queue
    int64_t blockStart = 0;
    uint32_t blockFrames = 0;
    int64_t lastFrame = 0;  // of the block's last event so far
    bool restart = true;
};
