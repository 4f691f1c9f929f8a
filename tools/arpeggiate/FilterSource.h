// Where the tool's filters come from. The native build makes CArpeggiator objects itself; the
// Windows build asks COM for the registered Arpeggiator.dll, so that the module a host would
// load is the one at work. One implementation file per build (native/, win32/).
#pragma once

#include "arpeggiate/ChordWatch.h"
#include "engine/HostInterfaces.h"

class FilterSource {
public:
    // The Windows build joins a single-threaded COM apartment here; throws std::runtime_error
    // when COM cannot start.
    FilterSource();
    // Must outlive every filter it made: the chord links and COM belong to it.
    ~FilterSource();
    FilterSource(const FilterSource&) = delete;
    FilterSource& operator=(const FilterSource&) = delete;

    // A new filter holding one reference for the caller. When `chords` is given and this build
    // can see the filter's chord names, the filter announces them to it. Throws
    // std::runtime_error, saying why, when no filter can be made.
    IMfxEventFilter* Create(ChordWatch* chords);

    // Whether Create can watch chords: the filter's chord name is not part of its COM faces,
    // so only the native build, which owns the object, can read it.
    static bool WatchesChords();

private:
    struct Links;
    Links* links;
};
