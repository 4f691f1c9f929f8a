// Runs one fixed scenario an exact number of times, for an instruction count under callgrind
// (instruction counts stay the same on a busy machine, unlike times).
// Usage: arp_callcount SCENARIO CALLS    SCENARIO: events0 events4 events64 live-tick
//        live-batch16, each also with the suffix -bypass.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "bench/BenchScenarios.h"

namespace {

template <typename Scenario>
void Run(Scenario& scenario, long calls) {
    for (long i = 0; i < calls; ++i) scenario.Step();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: arp_callcount SCENARIO CALLS\n");
        return 2;
    }
    std::string name = argv[1];
    const long calls = std::strtol(argv[2], nullptr, 10);
    bool enabled = true;
    const std::string bypass = "-bypass";
    if (name.size() > bypass.size() && name.ends_with(bypass)) {
        enabled = false;
        name.resize(name.size() - bypass.size());
    }
    if (name.rfind("events", 0) == 0) {
        EventsScenario scenario(std::atoi(name.c_str() + 6), enabled);
        Run(scenario, calls);
    } else if (name == "live-tick" || name == "live-batch16") {
        LiveScenario scenario(name == "live-batch16", enabled);
        Run(scenario, calls);
    } else {
        std::fprintf(stderr, "arp_callcount: unknown scenario '%s'\n", argv[1]);
        return 2;
    }
    return 0;
}
