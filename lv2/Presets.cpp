#include "Presets.h"

#include <array>

namespace {

constexpr ArpeggiatorParams RisingSixteenths() {
    ArpeggiatorParams p = DefaultArpeggiatorParams();
    p.pathDirection = kPathUpUp;
    p.rateUnits = kRateNotes;
    p.noteValue = 2;  // "1/16"
    p.swing = 0;
    return p;
}

constexpr ArpeggiatorParams ChordsFromTheLeftHand() {
    ArpeggiatorParams p = DefaultArpeggiatorParams();
    p.leftHandWindowOn = 1;
    return p;
}

// "Legato high" is 90 of the editor's 10..99: each 400 ms step sounds for 360 ms, long tones
// that still leave a breath between them, at a pace that does not follow the song's tempo.
constexpr ArpeggiatorParams SlowAmbient() {
    ArpeggiatorParams p = DefaultArpeggiatorParams();
    p.rateUnits = kRateMilliseconds;
    p.rateAmount = 400;
    p.legato = 90;
    p.pathDirection = kPathUpDown;
    p.swing = 0;
    return p;
}

const std::array<Preset, 3> kPresets = {{
    {"rising-sixteenths", "Rising sixteenths",
     "Up, Up in sixteenth notes that follow the song's tempo, without swing", RisingSixteenths()},
    {"chords-from-the-left-hand", "Chords from the left hand",
     "The keys held in the left-hand window (keys 24 to 48) are named as a chord whose notes the "
     "right hand's keys set going",
     ChordsFromTheLeftHand()},
    {"slow-ambient", "Slow ambient",
     "Steps of 400 ms, each sounding for 90 % of its step, Up, Down, without swing", SlowAmbient()},
}};

}  // namespace

std::span<const Preset> Presets() { return kPresets; }
