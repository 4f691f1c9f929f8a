// The page object in the test's own process: how it is bound to its filter, what a chord the
// engine recognises does to the open page (and what it must not do before the page is ready
// or once it is going), settings loaded while the page is open, and a page activated again.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "editor/PageTexts.h"
#include "guisupport/PixelCanvas.h"
#include "guisupport/RealInput.h"
#include "resources/ResourceIds.h"
#include "support/PageFields.h"

namespace {

// Keys 36, 40 and 43 (C, E, G) in the default left-hand window (24 to 48), started by 72.
void PlayChord(FilterHarness& filter) {
    filter.Params().leftHandWindowOn = 1;
    filter.Play(10, 100,
                {Note(10, 36, 100, 500), Note(10, 40, 100, 500), Note(10, 43, 100, 500),
                 Note(10, 72, 100, 500)});
}

std::wstring ChordOf(const FilterHarness& filter) {
    const ChordText& chord = filter.State().chordName;
    return std::wstring(chord.text, chord.length);
}

// The chord display's pixels as the screen shows them.
std::vector<uint32_t> DisplayPixels(PageHarness& h) {
    const RECT display = h["chordDisplay"]->GetRect();
    PixelCanvas canvas(700, 200, 0);
    h.Paint();
    canvas.CopyWindow(h.Window());
    std::vector<uint32_t> all = canvas.Pixels();
    std::vector<uint32_t> inside;
    for (LONG y = display.top; y < display.bottom; ++y) {
        for (LONG x = display.left; x < display.right; ++x) inside.push_back(all[y * 700 + x]);
    }
    return inside;
}

COLORREF PixelAt(HWND window, int x, int y) {
    PixelCanvas canvas(700, 200, 0);
    canvas.CopyWindow(window);
    return canvas.At(x, y);
}

}  // namespace

TEST(ChordNotification, AChordRecognisedOnAnotherThreadAppearsInTheDisplay) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    const std::vector<uint32_t> before = DisplayPixels(h);
    std::thread playback([&h] { PlayChord(h.filter); });
    playback.join();
    const std::wstring chord = ChordOf(h.filter);
    ASSERT_FALSE(chord.empty()) << "the engine named no chord";
    ASSERT_TRUE(realinput::PumpUntil([&] { return h["chordDisplay"]->GetValueText() == chord; }))
        << "the notification never reached the display";
    EXPECT_NE(DisplayPixels(h), before) << "the display's pixels did not change";
}

TEST(ChordNotification, NothingChangesBeforeThePageIsShown) {
    PageHarness h;
    PlayChord(h.filter);  // bound, no window yet
    EXPECT_TRUE(ChordOf(h.filter).empty()) << "the engine must not hand text to a closed page";

    ASSERT_TRUE(h.MakeParent());
    ASSERT_TRUE(h.view.CDialog::Create(h.Parent())) << "the window, initialised but not shown";
    PlayChord(h.filter);
    ASSERT_FALSE(ChordOf(h.filter).empty()) << "an initialised page is told";
    SendMessageW(h.Window(), WM_COMMAND, ChordNotifyCode, 0);
    realinput::PumpPending();
    EXPECT_EQ(h["chordDisplay"]->GetValueText(), L"") << "not shown yet";
}

TEST(ChordNotification, ANotificationPostedJustBeforeDeactivateChangesNothing) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    PlayChord(h.filter);  // posts; the message waits in the queue
    ASSERT_FALSE(ChordOf(h.filter).empty());
    ASSERT_EQ(h.Close(), S_OK);
    realinput::PumpPending();
    EXPECT_EQ(h.probe.Deactivating(), 1u);
    ASSERT_TRUE(h.Open());
    realinput::PumpPending();
    EXPECT_EQ(h["chordDisplay"]->GetValueText(), L"");
}

TEST(PageBinding, DestroyingABoundPageClearsTheFiltersLinkAndRebindingLeavesTheFirstFilter) {
    FilterHarness first;
    FilterHarness second;
    auto* page = new CArpeggiatorPropPage();
    IUnknown* objects[] = {static_cast<IMfxEventFilter*>(first.filter)};
    ASSERT_EQ(page->SetObjects(1, objects), S_OK);
    EXPECT_NE(first.State().editorPage, nullptr);
    EXPECT_EQ(page->SetObjects(0, nullptr), E_FAIL);
    EXPECT_NE(first.State().editorPage, nullptr) << "a refused call leaves the page bound";

    objects[0] = static_cast<IMfxEventFilter*>(second.filter);
    ASSERT_EQ(page->SetObjects(1, objects), S_OK);
    EXPECT_EQ(first.State().editorPage, nullptr) << "the first filter would notify a stranger";
    EXPECT_NE(second.State().editorPage, nullptr);

    EXPECT_EQ(page->Release(), 0u);
    EXPECT_EQ(second.State().editorPage, nullptr);
    PlayChord(second);
    EXPECT_TRUE(ChordOf(second).empty()) << "no page, no chord text";
}

// Settings loaded through IPersistStream while the page is open show at once: the texts here,
// every control's value after any load in the property test.
TEST(PageRefresh, SettingsLoadedWhileOpenShowAtOnceOnEveryControl) {
    PageHarness h;
    ASSERT_TRUE(h.Open());
    ArpeggiatorParams loaded = DefaultArpeggiatorParams();
    // clang-format off
    SetFields(loaded, {{"leftHandBottom", 30}, {"leftHandSpan", 17}, {"arpBottom", 40}, {"arpSpan", 50},
                       {"swing", -35}, {"rateUnits", kRateTicks}, {"pathDirection", kPathDownDown},
                       {"rateAmount", 240}, {"legato", 72}});
    // clang-format on
    ASSERT_EQ(h.Load(loaded), S_OK);
    const std::pair<const char*, const wchar_t*> rows[] = {
        {"unitsDropDown", L"MIDI Ticks"},
        {"pathDropDown", L"Down, Down"},
        {"rateBox", L"240"},
        {"legatoBox", L"72%"},
        {"swingBox", L"-35%"},
        {"outputLowBox", L"40 (E3)"},
        {"outputHighBox", L"90 (F#7)"},
        {"chordLowBox", L"30 (F#2)"},
        {"chordHighBox", L"47 (B3)"},
    };
    for (const auto& [control, text] : rows) EXPECT_EQ(h[control]->GetValueText(), text) << control;
}

// Deactivate deletes the skin with the window: a page activated again loads it again, reports
// the skin's size and paints its panel.
TEST(PageReactivation, APageActivatedAgainHasItsSkinAndItsSize) {
    PageHarness h;
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("activation " + std::to_string(round));
        ASSERT_TRUE(h.Open());
        EXPECT_TRUE(h.probe.HasSkin());
        EXPECT_EQ(PixelAt(h.Window(), 300, 150), RGB(22, 20, 77)) << "the panel";
        ASSERT_EQ(h.Close(), S_OK);
        EXPECT_FALSE(h.probe.HasSkin()) << "the window took the skin with it";
        PROPPAGEINFO info = {};
        ASSERT_EQ(h.page->GetPageInfo(&info), S_OK);
        CoTaskMemFree(info.pszTitle);
        EXPECT_EQ(info.size.cx, 670);
        EXPECT_EQ(info.size.cy, 169);
    }
}

// The title buffer holds 128 characters: a longer text is cut to 127 and its terminator.
TEST(PageTitle, ATitleLongerThanItsBufferIsCutNotOverrun) {
    EXPECT_EQ(pagetext::Load(IDS_PAGE_TITLE, 8), L"Arpeggi");
    EXPECT_EQ(pagetext::Load(9999), L"") << "a missing string";
}
