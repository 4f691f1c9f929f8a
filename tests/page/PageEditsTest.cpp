// Typed numbers, the drop-downs' menus and what their commands do: the number a value box
// takes and how a range box pushes the other end, the rate box that cannot be typed into in
// Notes mode, the menus' items and place, and the change of rate units with its conversions.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "support/PageFields.h"

namespace {

// Watches for a modal loop that the page runs (the in-place editor, a popup menu) with a
// thread timer, which such a loop dispatches; when it finds one it notes what it saw and ends
// it. A call that opens nothing returns before the timer ever fires.
class ModalWatch {
public:
    explicit ModalWatch(std::function<bool()> seeAndEnd) : check(std::move(seeAndEnd)) {
        active = this;
        timer = SetTimer(nullptr, 0, 30, &ModalWatch::Tick);
    }
    ~ModalWatch() {
        KillTimer(nullptr, timer);
        active = nullptr;
    }
    bool Fired() const { return fired; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        if (active != nullptr && !active->fired && active->check()) active->fired = true;
    }

    static inline ModalWatch* active = nullptr;
    std::function<bool()> check;
    UINT_PTR timer = 0;
    bool fired = false;
};

// An open in-place editor over the page is cancelled with Escape.
bool CancelEditor(HWND page) {
    HWND edit = FindWindowExW(page, nullptr, L"Edit", nullptr);
    if (edit == nullptr) return false;
    PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
}

struct SeenMenu {
    std::vector<std::wstring> texts;
    std::vector<UINT> ids;
    bool anyChecked = false;
    RECT rect = {};
};

// An open popup menu is read and closed without a choice.
bool ReadAndCloseMenu(SeenMenu& seen) {
    HWND window = FindWindowW(L"#32768", nullptr);
    if (window == nullptr || !IsWindowVisible(window)) return false;
    auto menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        seen.texts.push_back(text);
        seen.ids.push_back(GetMenuItemID(menu, i));
        seen.anyChecked |=
            (GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED) != 0;
    }
    GetWindowRect(window, &seen.rect);
    EndMenu();
    return true;
}

void Command(PageHarness& h, UINT id, WORD code = 0) {
    SendMessageW(h.Window(), WM_COMMAND, MAKEWPARAM(id, code), 0);
}

}  // namespace

namespace {

// A number confirmed in a box, and what the page writes.
struct TypedRow {
    const char* name;
    Fields before;
    const char* box;
    int32_t typed;
    Fields expected;
};
// clang-format off
const TypedRow kTypedNumbers[] = {
    {"rate in ticks", {{"rateUnits", 1}}, "rateBox", 500, {{"rateAmount", 500}}},
    {"legato", {}, "legatoBox", 10, {{"legato", 10}}},
    {"swing", {}, "swingBox", -100, {{"swing", -100}}},
    {"output high 5 with the bottom at 36: top 12, bottom 0", {}, "outputHighBox", 5, {{"arpBottom", 0}, {"arpSpan", 12}}},
    {"output high 100", {}, "outputHighBox", 100, {{"arpBottom", 36}, {"arpSpan", 64}}},
    {"output low 20 keeps the top", {}, "outputLowBox", 20, {{"arpBottom", 20}, {"arpSpan", 76}}},
    {"output low 120: bottom 115, top 127", {}, "outputLowBox", 120, {{"arpBottom", 115}, {"arpSpan", 12}}},
    {"output low 90 pushes the top of 96 to 102", {}, "outputLowBox", 90, {{"arpBottom", 90}, {"arpSpan", 12}}},
    {"chord low 127: bottom 126, span 1", {}, "chordLowBox", 127, {{"leftHandBottom", 126}, {"leftHandSpan", 1}}},
    {"chord high 0: top 1, bottom 0", {}, "chordHighBox", 0, {{"leftHandBottom", 0}, {"leftHandSpan", 1}}},
    {"chord high 10 pushes the bottom of 24 to 9", {}, "chordHighBox", 10, {{"leftHandBottom", 9}, {"leftHandSpan", 1}}},
};
// clang-format on

// Which controls take a typed number, and within which limits.
struct LimitsRow {
    const char* name;
    Fields before;
    const char* control;
    bool takes;
    int32_t min, max;
};
const LimitsRow kLimits[] = {
    {"rate in ms", {}, "rateBox", true, 1, 500},
    {"rate in Notes", {{"rateUnits", 0}}, "rateBox", false, 0, 0},
    {"legato", {}, "legatoBox", true, 10, 99},
    {"swing", {}, "swingBox", true, -100, 100},
    {"chord high", {}, "chordHighBox", true, 0, 127},
    {"the chord display", {}, "chordDisplay", false, 0, 0},
};

}  // namespace

TEST(PageTypedNumbers, ABoxTakesANumberAndARangeBoxPushesTheOtherEnd) {
    for (const TypedRow& row : kTypedNumbers) {
        SCOPED_TRACE(row.name);
        PageHarness h;
        SetFields(h.filter.Params(), row.before);
        ASSERT_TRUE(h.Open());
        h.probe.TypeNumber(h[row.box], row.typed);
        ExpectFields(h.filter.Params(), row.expected);
    }
}

TEST(PageTypedNumbers, EachBoxTakesNumbersWithinItsLimits) {
    for (const LimitsRow& row : kLimits) {
        SCOPED_TRACE(row.name);
        PageHarness h;
        SetFields(h.filter.Params(), row.before);
        int32_t min = 0, max = 0;
        EXPECT_EQ(h.probe.TakesNumber(h[row.control], min, max), row.takes);
        if (row.takes) {
            EXPECT_EQ(min, row.min);
            EXPECT_EQ(max, row.max);
        }
    }
}

// The action a double-click on a box asks for: the editor opens over the legato box (and is
// cancelled here with Escape, changing nothing), never over the rate box in Notes mode.
TEST(PageTypedNumbers, TheRateBoxInNotesModeOpensNoEditor) {
    PageHarness h;
    h.filter.Params().rateUnits = kRateNotes;
    ASSERT_TRUE(h.Open());
    {
        ModalWatch watch([&h] { return CancelEditor(h.Window()); });
        h.view.OnControlAction(h["rateBox"], 0);
        EXPECT_FALSE(watch.Fired()) << "an editor opened over the rate box";
    }
    {
        ModalWatch watch([&h] { return CancelEditor(h.Window()); });
        h.view.OnControlAction(h["legatoBox"], 0);
        EXPECT_TRUE(watch.Fired()) << "no editor over the legato box";
    }
    EXPECT_EQ(h.filter.Params().legato, 50) << "a cancelled edit changes nothing";
}

// Clicked as the mouse clicks: the drop-down opens its menu on release.
TEST(PageMenus, EachDropDownOffersItsItemsUnderItsLeftEdge) {
    struct Row {
        const char* dropDown;
        std::vector<std::wstring> texts;
        std::vector<UINT> ids;
    };
    // clang-format off
    const Row rows[] = {
        {"pathDropDown", {L"Up, Down", L"Down, Up", L"Up, Up", L"Down, Down"}, {32771, 32772, 32773, 32774}},
        {"unitsDropDown", {L"Notes", L"MIDI Ticks", L"Milliseconds"}, {32775, 32776, 32777}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.dropDown);
        PageHarness h;
        ASSERT_TRUE(h.Open());
        const ArpeggiatorParams before = h.filter.Params();
        SeenMenu seen;
        CNWControl* dropDown = h[row.dropDown];
        const RECT rect = dropDown->GetRect();
        const POINT inside = {rect.left + 5, rect.top + 5};
        {
            ModalWatch watch([&seen] { return ReadAndCloseMenu(seen); });
            dropDown->OnLButtonDown(0, inside);
            dropDown->OnLButtonUp(0, inside);
            ASSERT_TRUE(watch.Fired()) << "no menu";
        }
        EXPECT_EQ(seen.texts, row.texts);
        EXPECT_EQ(seen.ids, row.ids);
        EXPECT_FALSE(seen.anyChecked);
        EXPECT_EQ(seen.rect.left, PageHarness::kScreenOrigin.x + rect.left);
        EXPECT_EQ(seen.rect.top, PageHarness::kScreenOrigin.y + rect.bottom + 1);
        EXPECT_EQ(std::memcmp(&before, &h.filter.Params(), sizeof before), 0)
            << "closed without a choice, the menu changes nothing";
    }
}

TEST(PageMenus, APathCommandSetsThePathAndTheDropDownShowsIt) {
    const wchar_t* const names[] = {L"Up, Down", L"Down, Up", L"Up, Up", L"Down, Down"};
    PageHarness h;
    ASSERT_TRUE(h.Open());
    for (UINT id = 32774; id >= 32771; --id) {
        SCOPED_TRACE(id);
        Command(h, id);
        EXPECT_EQ(h.filter.Params().pathDirection, static_cast<int32_t>(id - 32771));
        EXPECT_EQ(h["pathDropDown"]->GetValueText(), names[id - 32771]);
    }
    Command(h, 32773, 1);  // an accelerator's code, not a menu's
    EXPECT_EQ(h.filter.Params().pathDirection, 0);
}

namespace {

// A change of units from the settings `before`, with a host of `ticksPerQuarter` at 120
// BPM (960: 480 ticks last 250 ms), or none; what the page stores and the rate box shows.
struct UnitsRow {
    const char* name;
    int32_t ticksPerQuarter;
    bool attached;
    Fields before;
    UINT command;
    Fields expected;
    const wchar_t* rateText;
};
// clang-format off
const UnitsRow kUnitChanges[] = {
    {"1/8 to ticks at 960", 960, true, {{"rateUnits", 0}, {"noteValue", 4}}, 32776, {{"rateUnits", 1}, {"rateAmount", 480}}, L"480"},
    {"1/8 to ticks at 1920, clamped", 1920, true, {{"rateUnits", 0}, {"noteValue", 4}}, 32776, {{"rateAmount", 500}}, L"500"},
    {"1/8 T to ticks at 960, rounded", 960, true, {{"rateUnits", 0}, {"noteValue", 5}}, 32776, {{"rateAmount", 317}}, L"317"},
    {"1/8 to ms", 960, true, {{"rateUnits", 0}, {"noteValue", 4}}, 32777, {{"rateUnits", 2}, {"rateAmount", 250}}, L"250"},
    {"480 ticks to ms", 960, true, {{"rateUnits", 1}, {"rateAmount", 480}}, 32777, {{"rateAmount", 250}}, L"250"},
    {"250 ms to ticks", 960, true, {{"rateUnits", 2}, {"rateAmount", 250}}, 32776, {{"rateAmount", 480}}, L"480"},
    {"ticks to Notes keeps the amount and the note value", 960, true, {{"rateUnits", 1}, {"rateAmount", 480}, {"noteValue", 6}}, 32775, {{"rateUnits", 0}, {"rateAmount", 480}, {"noteValue", 6}}, L"1/4"},
    {"ms to ms converts nothing", 960, true, {{"rateUnits", 2}, {"rateAmount", 100}}, 32777, {{"rateAmount", 100}}, L"100"},
    {"without a time converter only the unit changes", 960, false, {{"rateUnits", 0}, {"noteValue", 4}}, 32776, {{"rateUnits", 1}, {"rateAmount", 100}}, L"100"},
    {"noteValue 12 has no length: nothing converted", 960, true, {{"rateUnits", 0}, {"noteValue", 12}}, 32776, {{"rateUnits", 1}, {"rateAmount", 100}}, L"100"},
    {"regression: a new unit's number whose slider value is 0 is not shown as a note name", 960, false, {{"rateUnits", 0}, {"noteValue", 0}, {"rateAmount", 1}}, 32776, {{"rateAmount", 1}}, L"1"},
};
// clang-format on

}  // namespace

TEST(PageMenus, AChangeOfUnitsCarriesTheStepLengthOverWhereTheHostCanConvertIt) {
    for (const UnitsRow& row : kUnitChanges) {
        SCOPED_TRACE(row.name);
        PageHarness h(row.ticksPerQuarter);
        if (!row.attached) h.filter->DetachHost();
        SetFields(h.filter.Params(), row.before);
        ASSERT_TRUE(h.Open());
        Command(h, row.command);
        ExpectFields(h.filter.Params(), row.expected);
        EXPECT_EQ(h["rateBox"]->GetValueText(), row.rateText);
    }
}
