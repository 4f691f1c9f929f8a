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

// 400 ms steps sounding for 90 % of their length: long, overlapping-free tones that walk up and
// back down at a pace that does not follow the song's tempo.
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
