// Any bytes as a Standard MIDI File. The reader either refuses them with an offset inside the
// file, or returns a song that the writer can write and the reader reads back unchanged.
// fuzz/midi.dict holds the file's tokens: chunk tags, status bytes, meta types.
#include <cstdint>
#include <stdexcept>

#include "fuzz/FuzzHost.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    midi::File file;
    try {
        file = midi::ReadFile({data, size});
    } catch (const midi::FileError& error) {
        FUZZ_CHECK(error.offset <= size);
        return 0;
    }
    std::vector<uint8_t> written;
    try {
        written = midi::WriteFile(file);
    } catch (const std::invalid_argument&) {
        // The reader keeps what a file can carry but a writer must refuse (a payload above 28
        // bits cannot come from a file this small, so nothing else is expected here).
        FUZZ_CHECK(false);
    }
    FUZZ_CHECK(midi::ReadFile(written) == file);
    return 0;
}
