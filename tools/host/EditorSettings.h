// Settings drawn at random within the ranges the editor keeps, for the property tests and the
// validator. Header only: the caller brings its own seeded generator.
#pragma once

#include <cstdint>
#include <random>

#include "engine/ArpeggiatorParams.h"

template <typename Random>
void DrawEditorSettings(ArpeggiatorParams& p, Random& random) {
    auto between = [&random](int32_t low, int32_t high) {
        return std::uniform_int_distribution<int32_t>(low, high)(random);
    };
    p.leftHandBottom = between(0, 126);
    p.leftHandSpan = between(1, 127 - p.leftHandBottom);
    p.arpBottom = between(0, 115);
    p.arpSpan = between(12, 127 - p.arpBottom);
    p.swing = between(-100, 100);
    p.rateUnits = between(0, 2);
    p.noteValue = between(0, 10);
    p.pathDirection = between(0, 3);
    p.rateAmount = between(1, 500);
    p.legato = between(10, 99);
    p.playOriginals = between(0, 1);
    p.leftHandWindowOn = between(0, 1);
    p.keepInRange = between(0, 1);
}
