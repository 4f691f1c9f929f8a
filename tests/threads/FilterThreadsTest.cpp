// One filter driven from four threads at once, as a host drives it: playback windows, live
// batches and ticks, the editor writing parameters and reading the chord name under the
// filter's lock, and the millisecond clock's own timer. Its real check is ThreadSanitizer's
// (the native-tsan preset), which must report nothing; what the calls return is checked
// alone elsewhere (FuzzEngine's every-call checks). Iteration counts are fixed; nothing here
// waits on wall time, so what the clock does meanwhile only varies the output, not the checks.
#include <gtest/gtest.h>

#include <thread>

#include "support/FilterFixture.h"
#include "support/RecordingPage.h"

TEST(FilterThreads, PlaybackLiveEditorAndClockShareOneFilter) {
    FilterHarness h(960, 500000, 40);
    CArpeggiator& filter = *h.filter;
    FilterAccess door = h.Door();
    RecordingPage page;  // open: takes every chord text, as a page whose window exists does
    door.BindEditorPage(&page);
    h.Params().leftHandWindowOn = 1;
    door.StartClock();  // the fixture stops it; here it runs throughout

    std::thread playback([&] {
        EventQueue input;
        EventQueue output;
        for (int32_t window = 0; window < 1500; ++window) {
            const int32_t from = window * 120;
            input.records = {Note(from, 30 + window % 12, 80, 480),  // left-hand window
                             Note(from + 10, 60 + window % 7, 100, 240),
                             Note(from + 70, 64, 90, 60), NonNote(from + 5, 3, 7)};
            output.records.clear();
            filter.FilterEvents(from, from + 119, &input, &output);
        }
    });
    std::thread live([&] {
        MessageQueue input;
        MessageQueue output;
        for (int call = 0; call < 4000; ++call) {
            const auto key = static_cast<uint8_t>(48 + call % 30);
            switch (call % 4) {
                case 0:
                    input.records = {Message(0x90, key, 100), Message(0xB0, 1, 64)};
                    break;
                case 2:
                    input.records = {Message(0x80, key, 0)};
                    break;
                default:
                    input.records.clear();
                    break;  // a tick
            }
            output.records.clear();
            filter.FilterLiveInput(&input, &output);
        }
    });
    std::thread editor([&] {
        ChordText shown{};
        for (int edit = 0; edit < 3000; ++edit) {
            door.EditParams([&](ArpeggiatorParams& p) {
                p.rateUnits = edit % 3;
                p.rateAmount = 20 + edit % 200;
                p.swing = edit % 201 - 100;
                p.pathDirection = edit % 4;
                p.leftHandWindowOn = (edit / 50) % 2;
                if (p.playOriginals != 0 && edit % 7 == 0) door.RequestFlushHeld();
                p.playOriginals = (edit / 7) % 2;
                shown = door.CopyChordName();
            });
        }
        (void)shown;
    });
    playback.join();
    live.join();
    editor.join();

    EXPECT_LE(h.State().pending.Size(), h.State().pending.Capacity());
    EXPECT_EQ(h.live.beginCount, 1);
    EXPECT_EQ(h.State().timerRunning, 1u);
    door.UnbindEditorPage(&page);
}
