// The one table of host cases played through every DPF format, and the notes each case must give:
// the golden file host-cases.golden, which the native build proves against arphost (and rewrites
// with ARP_UPDATE_GOLDEN=1), so that the Windows build, which has no arphost, compares with it
// too.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <ostream>
#include <string>
#include <vector>

struct Timed {
    int64_t frame;
    std::array<uint8_t, 3> bytes;
    bool operator==(const Timed&) const = default;
};
inline void PrintTo(const Timed& t, std::ostream* os) {
    *os << "frame " << t.frame << ": " << std::hex << +t.bytes[0] << " " << +t.bytes[1] << " "
        << +t.bytes[2] << std::dec;
}

using Settings = std::map<std::string, int>;

struct HostCase {
    const char* name;
    Settings settings = {};
    std::vector<Timed> input = {};
    double bpm = 120.0;
    int changeBlock = -1;  // from this block on, `change` applies too
    Settings change = {};
    int stopBlock = -1;  // the transport stops at this block
    bool stateRoundTrip = false;
    int chordRoot = -1;  // the chord root output expected at the end
};
inline void PrintTo(const HostCase& c, std::ostream* os) { *os << c.name; }

inline constexpr int64_t kRate = 48000;
inline constexpr uint32_t kBlock = 256;
inline constexpr int64_t kTotal = 60000;

const std::vector<HostCase>& HostCaseTable();

// The notes of each case by its name, in the order the plug-in writes them.
using CaseNotes = std::map<std::string, std::vector<Timed>>;
CaseNotes ReadGolden();
void WriteGolden(const CaseNotes& notes);
