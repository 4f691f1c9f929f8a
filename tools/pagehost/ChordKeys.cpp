#include "pagehost/ChordKeys.h"

#include <stdexcept>

#include "chord/ChordRecognizer.h"

namespace {

constexpr int32_t kPitchClasses = 12;

// The chord's pitch classes stacked upwards from its bass, each on the next key above the
// one before.
std::vector<int32_t> CloseVoicing(int32_t root, uint32_t intervals, int32_t bassInterval,
                                  int32_t bottom) {
    const int32_t bassClass = (root + bassInterval) % kPitchClasses;
    int32_t key = bottom + ((bassClass - bottom % kPitchClasses) + kPitchClasses) % kPitchClasses;
    std::vector<int32_t> keys{key};
    for (int32_t step = 1; step < kPitchClasses; ++step) {
        if ((intervals >> ((bassInterval + step) % kPitchClasses) & 1u) == 0) continue;
        keys.push_back(keys.front() + step);
    }
    return keys;
}

bool Names(const std::vector<int32_t>& keys, const std::wstring& text) {
    CChordRecognizer recognizer;
    if (!recognizer.Recognize(keys.data(), static_cast<int32_t>(keys.size()))) return false;
    const ChordText named = recognizer.GetChordText();
    return text == std::wstring(named.text, named.length);
}

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

}  // namespace

std::vector<int32_t> KeysForChord(const std::wstring& text, int32_t bottom, int32_t span) {
    for (int32_t root = 0; root < ChordDictionary::kRootCount; ++root) {
        for (const ChordPattern& row : ChordDictionary::patterns) {
            for (int32_t bass = 0; bass < kPitchClasses; ++bass) {
                if ((row.intervalMask >> bass & 1u) == 0) continue;
                const std::vector<int32_t> keys =
                    CloseVoicing(root, row.intervalMask, bass, bottom);
                if (keys.back() >= bottom + span) continue;
                if (Names(keys, text)) return keys;
            }
        }
    }
    throw std::invalid_argument(
        "no chord named \"" + Narrow(text) + "\" can be played in the left-hand window (keys " +
        std::to_string(bottom) + " to " + std::to_string(bottom + span) + ")");
}
