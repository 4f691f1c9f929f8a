// The fixed scenarios that both the timing benchmarks and the instruction counts run: one
// Step() is one filter call, with its inputs laid out beforehand.
#pragma once

#include <cstdint>

#include "host/AttachedFilter.h"

// A host-sized playback window with `notes` notes spread over it, advanced through a 64-bar
// song; the notes are moved into each new window in place, so the queue never reallocates.
class EventsScenario {
public:
    EventsScenario(int32_t notes, bool enabled);
    void Step();

    AttachedFilter bench;

private:
    int32_t notes;
    int32_t from = 0;
    EventQueue input;
    EventQueue output;
};

// Three keys held; each Step moves the clock 10 ms and makes one call: a tick that fills the
// look-ahead, or a batch of 16 note messages.
class LiveScenario {
public:
    LiveScenario(bool batch16, bool enabled);
    void Step();

    AttachedFilter bench;

private:
    MessageQueue messages;
    MessageQueue tick;
    MessageQueue output;
    MessageQueue* input;
};
