// Runs one plug-in format's block an exact number of times, for an instruction count under
// callgrind: the formats' costs compared without the noise of a shared machine.
// Usage: arp_format_callcount lv2|clap|vst3 EVENTS CALLS
// The block is FormatBlock.h's, the LV2 one laid out as Lv2RunBench does.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FormatBlock.h"
#include "Lv2TestHost.h"

namespace {

int RunLv2(int events, long calls) {
    Lv2TestHost host{48000.0, 65536, false};
    if (!host.Loaded()) return 1;
    host.Set("playOriginals", 1);
    std::vector<TimedMidi> midi;
    for (int i = 0; i < events / 2; ++i) midi.push_back(NoteOn(10, 48 + i % 40));
    for (int i = 0; i < events / 2; ++i) midi.push_back(NoteOff(200, 48 + i % 40));
    host.Prepare(kFormatBlock, midi);
    for (long i = 0; i < calls; ++i) host.RunPrepared(kFormatBlock);
    return 0;
}

int RunFormat(std::unique_ptr<FormatHost> host, int events, long calls) {
    if (!host->Loaded()) return 1;
    const std::vector<BlockMidi> in = PrepareFormatBlock(*host, events);
    std::vector<BlockMidi> out;
    for (long i = 0; i < calls; ++i) {
        out.clear();
        host->Run(kFormatBlock, {true, 120.0, i * kFormatBlock}, in, out);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: arp_format_callcount lv2|clap|vst3 EVENTS CALLS\n");
        return 2;
    }
    const std::string format = argv[1];
    const int events = std::atoi(argv[2]);
    const long calls = std::strtol(argv[3], nullptr, 10);
    int status = 2;
    if (format == "lv2") status = RunLv2(events, calls);
    if (format == "clap") status = RunFormat(LoadClap(48000.0, kFormatBlock), events, calls);
    if (format == "vst3") status = RunFormat(LoadVst3(48000.0, kFormatBlock), events, calls);
    if (status == 1)
        std::fprintf(stderr, "arp_format_callcount: the %s plug-in did not load\n", argv[1]);
    return status;
}
