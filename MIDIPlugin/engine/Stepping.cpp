// The rules that turn held keys into arpeggio steps, shared by the playback and live paths.
// Every rule runs inside a filter call, under lock, and reads params afresh.
//
// The parameter block comes from a stored project and is not validated on load, so each rule
// below also says what it does with values the editor never stores. For the values it does
// store the results are exactly those of the plain rule.
#include <algorithm>

#include "engine/Arpeggiator.h"
#include "engine/TimeMath.h"

using timemath::AddSaturating;
using timemath::PitchClass;
using timemath::Saturate;
using timemath::TruncateToInt32;

namespace {

// Multiples of a quarter note, by noteValue. The triplets are 0.66 of the straight value.
constexpr double kNoteValueFactors[] = {0.125, 0.0825, 0.25, 0.165, 0.5, 0.33,
                                        1.0,   0.66,   2.0,  1.32,  4.0};
constexpr int32_t kLastNoteValue = 10;

// Velocity scale by the interval of a key above the chord root.
constexpr double kAccent[midi::kPitchClassCount] = {1.0, 0.7, 0.8, 0.7, 0.9, 0.8,
                                                    0.7, 0.9, 0.7, 0.8, 0.7, 0.8};

using midi::kHighestKey;
using midi::kLowestKey;

// Moves a key by whole octaves into 0..127. Keys folded into a valid range are already there.
int32_t FoldIntoKeyRange(int64_t key) {
    if (key > kHighestKey) key -= 12 * ((key - kHighestKey + 11) / 12);
    if (key < kLowestKey) key += 12 * ((kLowestKey - key + 11) / 12);
    return static_cast<int32_t>(key);
}

}  // namespace

int32_t CArpeggiator::StepLengthAt(int32_t tickTime) {
    int64_t length;
    if (params->rateUnits == kRateTicks) {
        length = params->rateAmount;
    } else if (timeConverter == nullptr) {
        // Note and millisecond rates need the host's tempo; a detached filter falls back to
        // reading rateAmount as ticks rather than dividing by an unknown tempo.
        length = params->rateAmount;
    } else if (params->rateUnits == kRateMilliseconds) {
        const int32_t ms = timeConverter->TicksToMs(tickTime);
        const int32_t later = AddSaturating(ms, params->rateAmount);
        length = int64_t{timeConverter->MsToTicks(later)} - timeConverter->MsToTicks(ms);
    } else {
        // A noteValue outside the menu takes the nearest entry of the menu.
        const int32_t index = std::clamp(params->noteValue, 0, kLastNoteValue);
        length =
            TruncateToInt32(double(timeConverter->GetTicksPerQuarter()) * kNoteValueFactors[index]);
    }
    return length <= 1 ? 1 : Saturate(length);
}

int32_t CArpeggiator::SwungTime(int32_t index, int32_t length, int32_t time) const {
    if (index % 2 == 0 || index < 0) return time;
    // Single precision on purpose: the grid of swung steps is defined by it. A swing outside
    // -100..100 can push the sum past the 32-bit range; it is pinned there.
    const float shifted = static_cast<float>(time) + (static_cast<float>(params->swing) / 100.0f) *
                                                         static_cast<float>(length - 1);
    return TruncateToInt32(shifted);
}

int32_t CArpeggiator::RawSoundingLength(int32_t index, int32_t length, int32_t time) const {
    const int32_t on = SwungTime(index, length, time);
    const int32_t next =
        SwungTime(timemath::IncrementWrapping(index), length, AddSaturating(time, length));
    const float product =
        static_cast<float>(int64_t{next} - on) * static_cast<float>(params->legato);
    return TruncateToInt32(static_cast<double>(product) * 0.01);
}

uint8_t CArpeggiator::AccentVelocity(int32_t key, int32_t base, int32_t root) const {
    const int32_t interval = PitchClass(int64_t{key} - root);
    const int32_t velocity = TruncateToInt32(double(base) * kAccent[interval]);
    return static_cast<uint8_t>(std::clamp(velocity, 0, 127));
}

void CArpeggiator::StartArpeggio(int32_t key, int32_t velocity, int32_t& cursorKey,
                                 int32_t& cursorDirection, int32_t& cursorStepIndex,
                                 int32_t& cursorBaseVelocity) {
    // Record and message bytes reach 255; the arpeggio's velocities stay MIDI velocities.
    cursorBaseVelocity = std::clamp(velocity, 0, 127);
    cursorStepIndex = 0;
    int64_t cur = key;
    if (inRange != 0) {
        const int64_t bottom = params->arpBottom;
        const int64_t top = bottom + params->arpSpan;
        if (cur < bottom) cur += 12 * ((bottom - cur + 11) / 12);
        if (cur > top) cur -= 12 * ((cur - top + 11) / 12);
    }
    cursorKey = FoldIntoKeyRange(cur);
    const int32_t path = params->pathDirection;
    cursorDirection = (path == kPathUpDown || path == kPathUpUp) ? +1 : -1;
}

int32_t CArpeggiator::NextKey(int32_t cur, int32_t& cursorDirection, int32_t reference,
                              const int32_t* pitchClassTable, const int32_t* keyTable) const {
    if (inRange == 0 && windowOn == 0) {
        return NextKeyByKey(cur, cursorDirection, reference, keyTable);
    }
    return NextKeyByPitchClass(cur, cursorDirection, reference, pitchClassTable);
}

// Turns at keys 1 and 127, never landing on key 0 from the walk itself.
int32_t CArpeggiator::NextKeyByKey(int32_t cur, int32_t& cursorDirection, int32_t reference,
                                   const int32_t* keyTable) const {
    const int32_t path = params->pathDirection;
    const int32_t start = cur;
    int32_t d = cursorDirection;
    // One full cycle of either walk visits every key from 1 to 127.
    for (int iteration = 0; iteration < 2 * midi::kKeyCount + 2; ++iteration) {
        // "<= 1" and ">= 127" rather than equality: a walk that starts on key 0 turns there
        // instead of stepping below the table.
        if (cur >= kHighestKey) {
            if (path == kPathUpUp) {
                cur = 1;
            } else {
                d = -1;
            }
        } else if (cur <= 1) {
            if (path == kPathDownDown) {
                cur = kHighestKey;
            } else {
                d = +1;
            }
        }
        // A direction left over from another path (changed mid-arpeggio) could carry a wrap
        // past the edge; the walk stays on the edge key instead.
        cur = std::clamp(cur + d, kLowestKey, kHighestKey);
        if (timemath::IsActive(keyTable[cur], reference)) {
            cursorDirection = d;
            return cur;
        }
    }
    // No key from 1 to 127 is active (key 0 alone is held): the arpeggio repeats its key.
    cursorDirection = d;
    return start;
}

// Visits every key of the range whose pitch class is active, in every octave of the range.
int32_t CArpeggiator::NextKeyByPitchClass(int32_t cur, int32_t& cursorDirection, int32_t reference,
                                          const int32_t* pitchClassTable) const {
    int32_t bottom = kLowestKey;
    int32_t top = kHighestKey;
    if (inRange != 0) {
        // A stored range outside the keyboard, or with a span of 0 or less, is narrowed to the
        // keys it shares with 0..127 (at least its bottom key).
        bottom = std::clamp(params->arpBottom, kLowestKey, kHighestKey);
        top = static_cast<int32_t>(std::clamp<int64_t>(
            std::min<int64_t>(int64_t{params->arpBottom} + params->arpSpan, kHighestKey), bottom,
            kHighestKey));
    }
    const bool anyActive =
        std::any_of(pitchClassTable, pitchClassTable + midi::kPitchClassCount,
                    [reference](int32_t entry) { return timemath::IsActive(entry, reference); });
    if (!anyActive || top == bottom) return bottom;

    const int32_t path = params->pathDirection;
    int32_t d = cursorDirection;
    cur = std::clamp(cur, bottom, top);
    // Two passes over the range find any active pitch class that the range holds.
    const int32_t limit = 2 * (top - bottom + 1) + 2;
    for (int32_t iteration = 0; iteration < limit; ++iteration) {
        if (cur == top) {
            if (path == kPathUpUp) {
                cur = bottom;
            } else {
                d = -1;
            }
        } else if (cur == bottom) {
            if (path == kPathDownDown) {
                cur = top;
            } else {
                d = +1;
            }
        }
        cur = std::clamp(cur + d, bottom, top);
        // cur lies in bottom..top, within 0..127: the unsigned remainder is the same, cheaper.
        if (timemath::IsActive(
                pitchClassTable[static_cast<uint32_t>(cur) % uint32_t{midi::kPitchClassCount}],
                reference)) {
            cursorDirection = d;
            return cur;
        }
    }
    // A range narrower than an octave may hold none of the active pitch classes: it then
    // plays its bottom key, as when no pitch class is active at all.
    cursorDirection = d;
    return bottom;
}

bool CArpeggiator::InWindow(int32_t key) const {
    if (windowOn == 0) return false;
    const int64_t bottom = params->leftHandBottom;
    return bottom <= key && key <= bottom + params->leftHandSpan;
}

void CArpeggiator::RecognizeWindowChord(const int32_t* windowTable, int32_t reference,
                                        uint32_t& mask, int32_t& root) {
    // The scan stops one key below the window's top key; a bottom below 0 starts at key 0.
    const int64_t end =
        std::min<int64_t>(int64_t{params->leftHandBottom} + params->leftHandSpan, midi::kKeyCount);
    int32_t count = 0;
    for (int64_t key = std::max(params->leftHandBottom, 0); key < end; ++key) {
        if (timemath::IsActive(windowTable[key], reference))
            chordKeyList[count++] = static_cast<int32_t>(key);
    }
    if (chordRecognizer.Recognize(chordKeyList, count)) {
        mask = chordRecognizer.GetChordMask();
        root = chordRecognizer.GetRoot();
        NotifyPage(chordRecognizer.GetChordText());
    } else {
        mask = 1;
    }
}

void CArpeggiator::FillPitchClasses(int32_t* pitchClassTable, uint32_t mask, int32_t activeValue) {
    const int32_t root = chordRecognizer.GetRoot();
    for (int32_t i = 0; i < midi::kPitchClassCount; ++i) {
        pitchClassTable[PitchClass(int64_t{root} + i)] =
            ((mask >> i) & 1u) != 0 ? activeValue : kNotSounding;
    }
}

void CArpeggiator::NotifyPage(const ChordText& name) {
    if (editorPage == nullptr || !editorPage->IsReadyForChordText()) return;
    chordName = name;
    editorPage->PostChordNotification();
}
