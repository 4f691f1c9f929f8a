#include "paint/ChordOnPage.h"

#include <gtest/gtest.h>

#include <vector>

#include "MidiConstants.h"
#include "guisupport/RealInput.h"
#include "pagehost/ChordKeys.h"

namespace {

constexpr uint8_t kVelocity = 100;

std::vector<ShortMessageRecord> Keys(PageHarness& h, const std::wstring& chord, uint8_t status,
                                     uint8_t velocity) {
    const ArpeggiatorParams& params = h.filter.Params();
    std::vector<ShortMessageRecord> messages;
    for (int32_t key : KeysForChord(chord, params.leftHandBottom, params.leftHandSpan)) {
        messages.push_back(Message(status, static_cast<uint8_t>(key), velocity));
    }
    return messages;
}

}  // namespace

bool ShowChord(PageHarness& h, const std::wstring& chord) {
    if (h.filter.Params().leftHandWindowOn == 0) {
        ArpeggiatorParams params = h.filter.Params();
        params.leftHandWindowOn = 1;
        EXPECT_EQ(h.Load(params), S_OK);
    }
    h.filter.Live(Keys(h, chord, midi::kNoteOn, kVelocity));
    const bool shown = realinput::PumpUntil([&] {
        return h["chordDisplay"]->GetValueText() == chord &&
               !GetUpdateRect(h.Window(), nullptr, FALSE);
    });
    EXPECT_TRUE(shown) << "the display never showed the chord";
    return shown;
}

void ReleaseChord(PageHarness& h, const std::wstring& chord) {
    h.filter.Live(Keys(h, chord, midi::kNoteOff, 0));
}
