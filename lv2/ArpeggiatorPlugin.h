// One instance of the LV2 plug-in: a host of the engine through the format-free LivePlayer. It
// reads each block's control ports, MIDI and time:Position objects into the player, and writes
// what the player sends to the MIDI output and the recognised chord to the notification output.
//
// Threads: the host calls instantiate, activate, deactivate and cleanup from one thread that
// never overlaps run ([instantiation thread]); connect_port and run from the audio thread
// ([run thread]). Everything run needs is allocated here, at instantiation.
#pragma once

#include <cstdint>

#include <lv2/atom/atom.h>
#include <lv2/log/log.h>
#include <lv2/urid/urid.h>

#include "ControlInputs.h"
#include "LivePlayer.h"
#include "PositionReader.h"
#include "SequenceWriter.h"
#include "Uris.h"

class ArpeggiatorPlugin final : private PlayerOutput {
public:
    // [instantiation thread]
    // `log` is optional: with it, each recognised chord is also traced.
    ArpeggiatorPlugin(double sampleRate, LV2_URID_Map* map, LV2_Log_Log* log);
    ArpeggiatorPlugin(const ArpeggiatorPlugin&) = delete;
    ArpeggiatorPlugin& operator=(const ArpeggiatorPlugin&) = delete;

    // [run thread]
    void ConnectPort(uint32_t port, void* data);
    // [instantiation thread]
    void Activate() { player.Restart(); }
    void Deactivate() { player.Restart(); }
    // [run thread]
    void Run(uint32_t frames);

private:
    // PlayerOutput
    bool Midi(uint32_t offset, const uint8_t* bytes, uint32_t size) override;
    void Chord(uint32_t offset, std::string_view text) override;

    void ReadInput();

    // Port buffers
    const LV2_Atom_Sequence* midiIn = nullptr;
    LV2_Atom_Sequence* midiOut = nullptr;
    LV2_Atom_Sequence* notify = nullptr;
    ControlInputs controls;

    // Host features and URIs
    LV2_Log_Log* log;
    Uris uris;
    SequenceWriter midiWriter;
    SequenceWriter notifyWriter;
    PositionReader positions{uris};

    LivePlayer player;
};
