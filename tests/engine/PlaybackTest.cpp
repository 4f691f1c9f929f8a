// Playback windows: chunking, the start and join rules, transport resets. The worked example,
// bypass, forwarding order, empty windows and zero durations are arphost's golden scenarios
// (tests/arphost/scenarios/playback_*).
#include <gtest/gtest.h>

#include <limits>

#include "support/FilterFixture.h"
#include "support/RecordingPage.h"

TEST(FilterEvents, VelocityZeroNeverStartsOrFeeds) {
    FilterHarness h;
    TickRate(h.Params(), 10);
    EXPECT_TRUE(h.Play(0, 100, {Note(0, 60, 0, 50)}).empty());
    EXPECT_EQ(h.State().keyEndTimes[60], -1);
    EXPECT_EQ(h.State().windowKeyEndTimes[60], 50);
}

// The window 0..250 is cut into 0..100, 101..201 and 202..250. A note at 201 still belongs to
// the chunk in which the first note sounded, so it joins that arpeggio instead of starting one;
// a note at 202 comes after a chunk in which nothing sounded and starts a new one.
TEST(FilterEvents, ChunksOfAtMost101TicksDecideStartAndJoin) {
    struct Case {
        int32_t secondTime;
        std::vector<int> times;
    };
    const Case cases[] = {{201, {50}}, {202, {50, 202}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.secondTime);
        FilterHarness h;
        TickRate(h.Params(), 1000);
        auto out = h.Play(0, 250, {Note(50, 60, 100, 50), Note(c.secondTime, 64, 100, 10)});
        EXPECT_EQ(Times(out), c.times);
    }
}

TEST(FilterEvents, ArpeggioRunsOnAcrossWindowsUntilItsKeysEnd) {
    FilterHarness h;
    TickRate(h.Params(), 100);
    std::vector<int> times;
    const std::vector<EventRecord> song = {Note(0, 60, 100, 350)};
    for (int32_t from = 0; from < 1000; from += 64) {
        for (const EventRecord& r : h.Play(from, from + 63, song)) {
            times.push_back(static_cast<int32_t>(r.time));
        }
    }
    EXPECT_EQ(times, (std::vector<int>{0, 100, 200, 300}));
}

TEST(FilterEvents, WindowStartingAtZeroResetsHeldKeys) {
    FilterHarness h;
    TickRate(h.Params(), 100);
    h.Play(0, 100, {Note(0, 60, 100, 1000)});
    EXPECT_EQ(h.State().keyEndTimes[60], 1000);
    EXPECT_TRUE(h.Play(0, 100, {}).empty()) << "a new pass from tick 0 forgets the held key";
    EXPECT_EQ(h.State().keyEndTimes[60], -1);
}

TEST(FilterEvents, QueueFailuresSkipRecordsButNeverStopTheCall) {
    FilterHarness h;
    TickRate(h.Params(), 100);
    EventQueue input;
    EventQueue output;
    input.records = {NonNote(0, 5, 1), Note(0, 60, 100, 50)};
    input.failGetCount = true;
    EXPECT_EQ(h.filter->FilterEvents(0, 100, &input, &output), S_OK);
    EXPECT_TRUE(output.records.empty());

    input.failGetCount = false;
    input.failGetAtIndex = 0;
    EXPECT_EQ(h.filter->FilterEvents(1000, 1100, &input, &output), S_OK);
    EXPECT_TRUE(output.records.empty()) << "the failed non-note is skipped; the note is elsewhere";
    EXPECT_EQ(h.filter->FilterEvents(0, 100, nullptr, &output), E_POINTER);
    EXPECT_EQ(h.filter->FilterEvents(0, 100, &input, nullptr), E_POINTER);
    // A window from after its end (from = thru is arphost's playback_from_equals_thru).
    EXPECT_TRUE(h.Play(60, 10, {Note(50, 60, 100, 10)}).empty());
}

TEST(Transport, PageThatIsNotReadyKeepsTheOldChordText) {
    FilterHarness h;
    RecordingPage page;
    page.ready = false;
    h.Door().BindEditorPage(&page);
    h.Params().leftHandWindowOn = 1;
    h.Play(10, 100, {Note(10, 36, 100, 500), Note(10, 72, 100, 500)});
    EXPECT_EQ(page.notifications, 0);
    EXPECT_EQ(h.State().chordName.length, 0u);
}

TEST(Transport, PlaybackStartedRestartsTheClockAndDropsPendingMessages) {
    FilterHarness h(960, 500000, 100);
    h.SetClock(5000);
    h.Params().playOriginals = 1;
    h.Live({Message(0x90, 60, 100)});
    h.Tick();
    ASSERT_FALSE(h.State().pending.Empty());
    EventQueue queue;
    EXPECT_EQ(h.filter->PlaybackStarted(0, &queue), S_OK);
    EXPECT_EQ(h.Door().Clock(), 0u);
    EXPECT_TRUE(h.State().pending.Empty());
    EXPECT_TRUE(queue.records.empty());
}

TEST(FilterEvents, WholeSongRangeInOneWindowReturns) {
    FilterHarness h;
    TickRate(h.Params(), 100);
    const int32_t lowest = std::numeric_limits<int32_t>::min();
    const int32_t highest = std::numeric_limits<int32_t>::max();
    auto out = h.Play(lowest, highest,
                      {Note(lowest + 5, 60, 100, 50), Note(1000000, 64, 100, 150),
                       Note(highest - 220, 67, 100, 1000)});
    // The odd step near the top is swung in single precision, which has 128-tick steps up
    // there; no step is played on the range's last tick itself.
    EXPECT_EQ(Times(out), (std::vector<int>{lowest + 5, 1000000, 1000100, highest - 220,
                                            highest - 127, highest - 20}));
}

// Regression: a count-in before tick 0 woke every key, since "not sounding" is -1.
TEST(FilterEvents, NotesBeforeTickZeroArpeggiateOnlyTheirOwnKeys) {
    FilterHarness h;
    TickRate(h.Params(), 100);
    h.Params().keepInRange = 0;
    auto out = h.Play(-960, -1, {Note(-900, 60, 100, 350), Note(-900, 64, 100, 350)});
    EXPECT_EQ(Keys(out), (std::vector<int>{60, 64, 64, 60}));
    EXPECT_EQ(Times(out), (std::vector<int>{-900, -800, -700, -600}));
}

// Regression: a chunk starting within 20 ticks of the song range's first tick subtracted the
// window keys' grace below the range (a signed overflow, which wrapped the reference to the
// range's end and so dropped every window key). The reference there is 0, as before tick 20.
TEST(FilterEvents, WindowChordAtTheSongRangeStartIsNamed) {
    FilterHarness h;
    TickRate(h.Params(), 100);
    h.Params().leftHandWindowOn = 1;  // keys 24 to 48
    const int32_t lowest = std::numeric_limits<int32_t>::min();
    const uint32_t toTick100 = 0x80000000u + 100;  // from the range's first tick to tick 100
    h.Play(lowest, lowest + 100,
           {Note(lowest, 26, 80, toTick100), Note(lowest, 29, 80, toTick100),
            Note(lowest, 33, 80, toTick100)});
    EXPECT_EQ(h.State().chordRoot, 2) << "D minor";
}
