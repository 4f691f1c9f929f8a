// The fuzz targets reuse one filter and bring it to rest before every input (fuzz/FilterRest.h);
// a finding reproduces from its file alone only if the rest is the same whatever ran before.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <tuple>
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
auto NewFilterFields(const FilterHarness& f) {
    const ArpeggiatorState& s = f.State();
    const CChordRecognizer& chord = s.chordRecognizer;
    return std::tuple(s.timeConverter == nullptr, s.lookAheadMs, Table(s.keyEndTimes),
                      Table(s.windowKeyEndTimes), Table(s.pitchClassEndTimes), s.keyScan.reference,
                      s.soundingCount, s.chordMask, chord.GetRoot(), chord.GetChordIndex(),
                      chord.GetInversion(), chord.GetBassPitchClass(), s.liveBegun, s.liveChannel,
                      s.liveHeldCount, Table(s.liveHeld), Table(s.liveWindowKeys),
                      Table(s.livePitchClasses), s.liveNextTime, s.msClock.load(), s.flushHeld,
                      s.pending.Size(), s.editorPage, std::wstring(s.chordName.text));
}

void ExpectNewFilterFields(const FilterHarness& a, const FilterHarness& b) {
    const ArpeggiatorParams pa = a.Door().ReadParams();
    const ArpeggiatorParams pb = b.Door().ReadParams();
    EXPECT_EQ(std::memcmp(&pa, &pb, sizeof pa), 0);
    EXPECT_EQ(NewFilterFields(a), NewFilterFields(b));
}

// The fields that rest pins to values of its own: the chord roots and the cursors.
auto PinnedFields(const FilterHarness& f) {
    const ArpeggiatorState& s = f.State();
    return std::tuple(s.chordRoot, s.liveChordRoot, s.liveChordMask,
                      s.chordRecognizer.GetNoteMask(), Bytes(s.stepEvent), s.currentNote,
                      s.direction, s.stepIndex, s.nextStepTime, s.baseVelocity, s.stepLength,
                      s.liveCurrentNote, s.liveDirection, s.liveStepIndex, s.liveBaseVelocity,
                      s.liveStartTicks);
}

void ExpectSameRest(const FilterHarness& a, const FilterHarness& b) {
    ExpectNewFilterFields(a, b);
    EXPECT_EQ(PinnedFields(a), PinnedFields(b));
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
