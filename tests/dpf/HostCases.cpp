#include "HostCases.h"

#include <fstream>
#include <sstream>

namespace {

std::vector<Timed> Chord(std::initializer_list<int> keys, int64_t on, int64_t off) {
    std::vector<Timed> notes;
    for (int key : keys) notes.push_back({on, {0x90, static_cast<uint8_t>(key), 100}});
    for (int key : keys) {
        if (off < kTotal) notes.push_back({off, {0x80, static_cast<uint8_t>(key), 0}});
    }
    return notes;
}

const Settings kSixteenths = {{"rateUnits", 0}, {"noteValue", 2}, {"pathDirection", 2}};
const std::vector<Timed> kChord = Chord({60, 64, 67}, 1003, 50000);
// G 7 in the left hand, then a right-hand key while it sounds.
const std::vector<Timed> kLeftHand = [] {
    auto notes = Chord({31, 35, 38, 41}, 1003, 50000);
    notes.insert(notes.begin() + 4, {2222, {0x90, 72, 90}});
    return notes;
}();

}  // namespace

const std::vector<HostCase>& HostCaseTable() {
    // clang-format off
    static const std::vector<HostCase> cases = {
        {.name = "HeldChordWithDefaults", .input = kChord},
        {.name = "Sixteenths120", .settings = kSixteenths, .input = kChord},
        {.name = "Sixteenths150", .settings = kSixteenths, .input = kChord, .bpm = 150.0},
        {.name = "LeftHandChord", .settings = {{"leftHandWindowOn", 1}}, .input = kLeftHand, .chordRoot = 8},
        {.name = "ControlChangeAtRunTime", .input = kChord, .changeBlock = 100, .change = {{"pathDirection", 2}, {"rateAmount", 60}}},
        {.name = "StateRoundTrip", .settings = {{"swing", 30}, {"rateAmount", 90}, {"legato", 70}, {"pathDirection", 1}}, .input = kChord, .stateRoundTrip = true},
        {.name = "Bypass", .settings = {{"enabled", 0}}, .input = Chord({60, 64, 67}, 1003, 30000)},
        {.name = "TransportStopWithNotesHeld", .input = Chord({60, 64, 67}, 1003, kTotal), .stopBlock = 120},
    };
    // clang-format on
    return cases;
}

// One line per message: case, frame, status in hex, key, velocity; '#' starts a comment line.
CaseNotes ReadGolden() {
    CaseNotes notes;
    std::ifstream file(ARP_DPF_GOLDEN);
    for (std::string line; std::getline(file, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string name;
        Timed note{};
        unsigned status = 0, key = 0, velocity = 0;
        fields >> name >> note.frame >> std::hex >> status >> std::dec >> key >> velocity;
        note.bytes = {static_cast<uint8_t>(status), static_cast<uint8_t>(key),
                      static_cast<uint8_t>(velocity)};
        notes[name].push_back(note);
    }
    return notes;
}

void WriteGolden(const CaseNotes& notes) {
    std::ofstream file(ARP_DPF_GOLDEN);
    file << "# The notes each host case of HostCases.cpp gives through every DPF format: case, "
            "frame,\n# status (hex), key, velocity. The native arp_dpf_tests proves them against "
            "arphost\n# and rewrites this file when run with ARP_UPDATE_GOLDEN=1.\n";
    for (const HostCase& c : HostCaseTable()) {
        for (const Timed& t : notes.at(c.name)) {
            file << c.name << ' ' << t.frame << ' ' << std::hex << +t.bytes[0] << std::dec << ' '
                 << +t.bytes[1] << ' ' << +t.bytes[2] << '\n';
        }
    }
}
