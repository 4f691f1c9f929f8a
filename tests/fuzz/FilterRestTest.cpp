// The fuzz targets reuse one filter and bring it to rest before every input (fuzz/FilterRest.h);
// a finding reproduces from its file alone only if the rest is the same whatever ran before.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "fuzz/FilterRest.h"
#include "host/EditorSettings.h"
#include "support/FilterFixture.h"
#include "support/RecordingPage.h"
#include "support/TestRandom.h"

namespace {

template <size_t N>
std::vector<int32_t> Table(const int32_t (&table)[N]) {
    return std::vector<int32_t>(table, table + N);
}

std::vector<uint8_t> Bytes(const EventRecord& record) {
    const auto* bytes = reinterpret_cast<const uint8_t*>(&record);
    return std::vector<uint8_t>(bytes, bytes + sizeof record);
}

// The fields that rest puts back where construction leaves them.
void ExpectNewFilterFields(const FilterHarness& a, const FilterHarness& b) {
    const ArpeggiatorState& x = a.State();
    const ArpeggiatorState& y = b.State();
    const ArpeggiatorParams pa = a.Door().ReadParams();
    const ArpeggiatorParams pb = b.Door().ReadParams();
    EXPECT_EQ(std::memcmp(&pa, &pb, sizeof pa), 0);
    EXPECT_EQ(x.timeConverter == nullptr, y.timeConverter == nullptr);
    EXPECT_EQ(x.lookAheadMs, y.lookAheadMs);
    EXPECT_EQ(Table(x.keyEndTimes), Table(y.keyEndTimes));
    EXPECT_EQ(Table(x.windowKeyEndTimes), Table(y.windowKeyEndTimes));
    EXPECT_EQ(Table(x.pitchClassEndTimes), Table(y.pitchClassEndTimes));
    EXPECT_EQ(x.keyScan.reference, y.keyScan.reference);
    EXPECT_EQ(x.soundingCount, y.soundingCount);
    EXPECT_EQ(x.chordMask, y.chordMask);
    EXPECT_EQ(x.chordRecognizer.GetRoot(), y.chordRecognizer.GetRoot());
    EXPECT_EQ(x.chordRecognizer.GetChordIndex(), y.chordRecognizer.GetChordIndex());
    EXPECT_EQ(x.chordRecognizer.GetInversion(), y.chordRecognizer.GetInversion());
    EXPECT_EQ(x.chordRecognizer.GetBassPitchClass(), y.chordRecognizer.GetBassPitchClass());
    EXPECT_EQ(x.liveBegun, y.liveBegun);
    EXPECT_EQ(x.liveChannel, y.liveChannel);
    EXPECT_EQ(x.liveHeldCount, y.liveHeldCount);
    EXPECT_EQ(Table(x.liveHeld), Table(y.liveHeld));
    EXPECT_EQ(Table(x.liveWindowKeys), Table(y.liveWindowKeys));
    EXPECT_EQ(Table(x.livePitchClasses), Table(y.livePitchClasses));
    EXPECT_EQ(x.liveNextTime, y.liveNextTime);
    EXPECT_EQ(x.msClock.load(), y.msClock.load());
    EXPECT_EQ(x.flushHeld, y.flushHeld);
    EXPECT_EQ(x.pending.Size(), y.pending.Size());
    EXPECT_EQ(x.editorPage, y.editorPage);
    EXPECT_EQ(std::wstring(x.chordName.text), std::wstring(y.chordName.text));
}

// The fields that rest pins to values of its own: the chord roots and the cursors.
void ExpectSameRest(const FilterHarness& a, const FilterHarness& b) {
    ExpectNewFilterFields(a, b);
    const ArpeggiatorState& x = a.State();
    const ArpeggiatorState& y = b.State();
    EXPECT_EQ(x.chordRoot, y.chordRoot);
    EXPECT_EQ(x.liveChordRoot, y.liveChordRoot);
    EXPECT_EQ(x.liveChordMask, y.liveChordMask);
    EXPECT_EQ(x.chordRecognizer.GetNoteMask(), y.chordRecognizer.GetNoteMask());
    EXPECT_EQ(Bytes(x.stepEvent), Bytes(y.stepEvent));
    EXPECT_EQ((std::vector<int32_t>{x.currentNote, x.direction, x.stepIndex, x.nextStepTime,
                                    x.baseVelocity, x.stepLength}),
              (std::vector<int32_t>{y.currentNote, y.direction, y.stepIndex, y.nextStepTime,
                                    y.baseVelocity, y.stepLength}));
    EXPECT_EQ((std::vector<int32_t>{x.liveCurrentNote, x.liveDirection, x.liveStepIndex,
                                    x.liveBaseVelocity, x.liveStartTicks}),
              (std::vector<int32_t>{y.liveCurrentNote, y.liveDirection, y.liveStepIndex,
                                    y.liveBaseVelocity, y.liveStartTicks}));
}

// Random host calls with editor-range blocks and now and then a wild field, seeded.
void RandomHistory(FilterHarness& f, uint32_t seed) {
    TestRandom random(seed);
    auto between = [&random](int32_t low, int32_t high) { return random.Between(low, high); };
    for (int call = 0; call < 200; ++call) {
        switch (between(0, 6)) {
            case 0:
                DrawEditorSettings(f.Params(), random.engine);
                f.Params().leftHandWindowOn = between(0, 2) == 0 ? 0 : 1;
                break;
            case 1: {
                const int32_t from = between(-50, 3000);
                f.Play(from, from + between(0, 400),
                       {Note(from + between(0, 300), between(0, 255), between(0, 127),
                             static_cast<uint32_t>(between(0, 900)))});
                break;
            }
            case 2:
                f.Live({On(between(0, 127), between(0, 127), between(0, 15)),
                        Off(between(0, 127), between(0, 15))});
                break;
            case 3:
                f.AdvanceClock(static_cast<uint32_t>(between(0, 200)));
                f.Tick();
                break;
            case 4:
                f.Door().RequestFlushHeld();
                break;
            case 5:
                f->PlaybackLooped(0, 0, nullptr);
                break;
            default:
                f->DetachHost();
                if (between(0, 1) == 0) f.Attach();
                break;
        }
    }
}

struct History {
    const char* name;
    std::function<void(FilterHarness&)> run;
};

// What the random histories below do not reach: a long look-ahead, a page, a wild block.
const History kHistories[] = {
    {"nothing: a new filter", [](FilterHarness&) {}},
    {"steps pending far ahead, on a slow tempo, detached",
     [](FilterHarness& f) {
         f.live.lookAheadMs = 5000;
         f->DetachHost();
         f.Attach();
         f.Live({On(60), On(64)});
         f.AdvanceClock(77);
         f.Tick();
         f->DetachHost();
     }},
    {"a page bound that was handed a chord's name",
     [](FilterHarness& f) {
         static RecordingPage page;
         f.Door().BindEditorPage(&page);
         f.Params().leftHandWindowOn = 1;
         f.Live({On(31), On(35), On(38)});
     }},
    {"bypassed with a wild block",
     [](FilterHarness& f) {
         f.Params().enabled = 0;
         f.Params().arpSpan = -5;
         f.Live({On(61)});
     }},
};

}  // namespace

TEST(FilterRest, IsTheSameWhateverRanBefore) {
    FilterHarness reference;
    BringToRest(reference);
    FilterHarness reused;
    for (const History& row : kHistories) {
        SCOPED_TRACE(row.name);
        row.run(reused);
        BringToRest(reused);
        ExpectSameRest(reused, reference);
    }
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(testing::Message() << "random history, seed " << seed);
        RandomHistory(reused, seed);
        BringToRest(reused);
        ExpectSameRest(reused, reference);
    }
}

// Only the chord roots (and the cursors, which each start overwrites) differ from a new
// filter's: a new filter holds -1, "no chord yet", which no operation brings back.
TEST(FilterRest, DiffersFromANewFilterOnlyInTheChordRootsAndCursors) {
    FilterHarness fresh;
    fresh->DetachHost();
    FilterHarness rested;
    BringToRest(rested);
    ExpectNewFilterFields(rested, fresh);
    EXPECT_EQ(fresh.State().chordRoot, -1);
    EXPECT_EQ(fresh.State().liveChordRoot, -1);
    EXPECT_EQ(rested.State().chordRoot, 0);
    EXPECT_EQ(rested.State().liveChordRoot, 0);
}
