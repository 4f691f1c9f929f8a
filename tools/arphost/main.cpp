// arphost: the scripted test host. Reads a JSON scenario, runs its calls against a real filter
// object and prints one JSON line per call. Exit status: 0 after the last call, 2 for a
// scenario that cannot be read or is malformed (the lines of the calls before the bad one are
// printed).
#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include "arphost/ArphostRunner.h"
#include "arphost/ScenarioParser.h"

namespace {

constexpr int kExitMalformed = 2;

constexpr const char* kFormat = R"(Scenario (every key optional):
  {"params": {FIELD: INT, ...},           fields of the parameter block by name, over the
                                          defaults: leftHandBottom leftHandSpan arpBottom arpSpan
                                          swing rateUnits noteValue pathDirection rateAmount
                                          legato playOriginals leftHandWindowOn keepInRange enabled
   "paramsHex": HEX,                      152 or 104 hex digits, loaded through
                                          IPersistStream::Load before "params" is applied
   "host": {"ticksPerQuarter": 960, "usPerQuarter": 500000, "lookAheadMs": 0,
            "services": ["timeConverter", "aux", "live"]},
   "comment": ANY,                        ignored, here and in every call
   "calls": [CALL, ...]}
Calls:
  {"op":"FilterEvents","from":F,"thru":T,"events":[EVENT...]}
      EVENT: {"time","kind","key","velocity","duration","raw"}; raw is the whole 18-byte
      record as 36 hex digits; named fields override it; absent fields are 0
  {"op":"FilterLiveInput","messages":[{"time","status","data1","data2"}...]}  ([] is a tick)
  {"op":"PlaybackStarted","time":T}  {"op":"PlaybackLooped"}  {"op":"PlaybackStopped"}
  {"op":"SetClock","ms":M}  {"op":"AdvanceClock","ms":M}      move msClock (no timer runs)
  {"op":"SetParams","params":{FIELD: INT}}                    under the lock, unclamped
  {"op":"FlushHeld"}  {"op":"Detach"}  {"op":"Attach"}
Field ranges: from, thru, PlaybackStarted time, params: int32; record times -2^31..2^32-1;
  kind, duration, lookAheadMs: uint32; key, velocity, status, data1, data2: 0..255;
  ms: -2^31..2^32-1 (modulo 2^32); ticksPerQuarter 0..1000000; usPerQuarter 0..4000000000.
Output, one line per call:
  {"call":INDEX,"op":NAME,"hr":INT,"out":[RECORD...],"chord":TEXT}
  RECORD: {"time","kind","key","velocity","duration","raw"} for events,
          {"time","status","data1","data2"} for live messages, in output-queue order.
  "chord" is present only when the filter notified the editor page during the call.
Malformed scenario: a message naming the call and field on stderr, exit status 2.)";

bool ReadAll(const std::string& path, std::string& text) {
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
        return !std::cin.bad();
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

int Fail(const std::string& message) {
    std::cout.flush();
    std::cerr << "arphost: " << message << "\n";
    return kExitMalformed;
}

int RunScenario(const std::string& text) {
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& error) {
        return Fail(std::string("not valid JSON: ") + error.what());
    }
    try {
        const ScenarioSetup setup = ParseSetup(document);
        ArphostRunner runner(setup);
        const nlohmann::json& calls = CallList(document);
        for (size_t index = 0; index < calls.size(); ++index) {
            const Call call = ParseCall(calls[index], index);
            std::cout << ResultLine(index, call.op, runner.Run(call)).dump() << '\n';
        }
    } catch (const ScenarioError& error) {
        return Fail(error.what());
    }
    std::cout.flush();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "arphost: runs a JSON scenario against the arpeggiator filter and prints, per "
        "call, what the filter put in its output queue."};
    app.footer(kFormat);
    std::string scenarioPath;
    app.add_option("scenario", scenarioPath, "Scenario file, or - for standard input")->required();
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return app.exit(help);
    } catch (const CLI::ParseError& error) {
        app.exit(error);
        return kExitMalformed;
    }

    std::string text;
    if (!ReadAll(scenarioPath, text)) {
        return Fail("cannot read scenario '" + scenarioPath + "': " + std::strerror(errno));
    }
    return RunScenario(text);
}
