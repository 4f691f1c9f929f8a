// The whole arpeggiate run on a long song (read, one filter per track, write) beside the MIDI
// codec alone reading and writing the same file. The song comes from ARP_BENCH_SONG.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "arpeggiate/Arpeggiate.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"

namespace {

const char* SongPath() {
    const char* path = std::getenv("ARP_BENCH_SONG");
    return path != nullptr ? path : "long.mid";
}

void BM_Arpeggiate(benchmark::State& state) {
    Options options;
    options.input = SongPath();
    options.output = std::string(SongPath()) + ".bench-out.mid";
    options.quiet = true;
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        if (RunArpeggiate(options, out, err) != 0) state.SkipWithError(err.str().c_str());
    }
}
BENCHMARK(BM_Arpeggiate)->Unit(benchmark::kMillisecond);

void BM_MidiCodec(benchmark::State& state) {
    const std::string output = std::string(SongPath()) + ".codec-out.mid";
    for (auto _ : state) {
        std::ifstream in(SongPath(), std::ios::binary);
        const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
        const std::vector<uint8_t> written = midi::WriteFile(midi::ReadFile(bytes));
        std::ofstream(output, std::ios::binary)
            .write(reinterpret_cast<const char*>(written.data()),
                   static_cast<std::streamsize>(written.size()));
    }
}
BENCHMARK(BM_MidiCodec)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
