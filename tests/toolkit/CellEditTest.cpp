// The in-place editor driven by real keyboard and mouse input: typing, refusing, stepping,
// the keys that end it, clicks and closes outside it, and the messages for other windows that
// end its loop without being taken from the queue. Every run has a time limit (EditDriver).
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "controls/CellPropEditCtrl.h"
#include "controls/NWEditControl.h"
#include "controls/NWSharedDrawing.h"
#include "propvalues/PropInt.h"
#include "support/ButtonHost.h"
#include "support/EditDriver.h"
#include "guisupport/RealInput.h"

namespace {

using namespace steps;

// A window that counts one kind of message and swallows it (no close, no menu).
class Witness : public CWindow {
public:
    explicit Witness(UINT message) : watched(message) {
        CreateEx(0, nullptr, L"witness", WS_POPUP, {0, 0, 10, 10}, nullptr, 0);
    }
    int received = 0;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message != watched) return CWindow::WindowProc(message, wParam, lParam);
        ++received;
        return 0;
    }

private:
    UINT watched;
};

// The page's set-up: a value field at (40, 30)-(100, 50), so the spin's buttons are centred at
// (105, 35) "+", (105, 45) "-", (115, 35) "]" and (115, 45) "["; a control (id 11) under
// (170, 80) for the clicks outside.
struct Page {
    ButtonHost host;
    CNWEditControl* field = new CNWEditControl(host);
    TestControl* other = nullptr;

    Page() {
        host.AddControl(field, 1, 0);
        field->SetRect({40, 30, 100, 50});
        other = host.Add({150, 60, 200, 100});
        host.TakeLog();
    }
};

struct EditCase {
    const char* name = "";
    int32_t value = 100, minimum = 1, maximum = 500;
    std::vector<EditStep> steps = {};
    int result = 1;
    int32_t after = 100;  // the property's value afterwards
    uint32_t lastKey = VK_RETURN;
    const char* hostLog = "";  // found in the parent's log once the edit is over
    bool parentSurvives = true;
    bool ownerAllowsF5 = false;
};

// An owner that lets F5 accept, as Enter does (the page passes none).
struct RefreshOwner final : ICellEditOwner {
    bool AllowsRefreshKey() const override { return true; }
};

// The page's call: no owner, no length limit, style WS_BORDER | ES_AUTOHSCROLL, no first
// character, spin option 2, control id 1, the value as starting text, extra 0, no live site.
// (The options the page never passes are not played here.)
int EditAsThePage(Page& page, CCellPropEditCtrl& editor, const EditCase& row) {
    const std::wstring start = std::to_wstring(row.value);
    return editor.EditModal(page.host.GetSafeHwnd(), page.field->GetRect(),
                            WS_BORDER | ES_AUTOHSCROLL, 0, 2, CNWSharedDrawing::Get().normalFont, 1,
                            start.c_str(), 0, nullptr);
}

// One edit as the page opens it, played by real input; every expectation of the row.
void PlayOnScreen(const EditCase& row) {
    SCOPED_TRACE(row.name);
    Page page;
    HWND parent = page.host.GetSafeHwnd();
    ASSERT_TRUE(realinput::Activate(parent));
    CPropInt property(row.value, row.minimum, row.maximum);
    RefreshOwner owner;
    CCellPropEditCtrl editor(row.ownerAllowsF5 ? &owner : nullptr, &property,
                             CCellPropEditCtrl::kNoLengthLimit);
    EditDriver driver(parent, row.steps);
    const int result = driver.Run([&] { return EditAsThePage(page, editor, row); });
    EXPECT_EQ(driver.failure, "");
    EXPECT_EQ(result, row.result);
    EXPECT_EQ(property.GetValue(), row.after);
    EXPECT_EQ(editor.GetLastKey(), row.lastKey);
    EXPECT_FALSE(editor.IsWindow());
    EXPECT_TRUE(realinput::PumpUntil([&] {
        return page.host.log.find(row.hostLog) != std::string::npos &&
               IsWindow(parent) == row.parentSurvives;
    })) << page.host.log;
}

}  // namespace

// Every edit as the page opens it, played by real keys and clicks.
TEST(CellEdit, TypingSteppingEndingKeysAndClicksOutside) {
    // clang-format off
    const EditCase rows[] = {
        // What is typed is filtered, and only a number in range is accepted.
        {.name = "a number and Enter", .steps = {Keys(L"250{Enter}")}, .after = 250},
        {.name = "Escape changes nothing", .steps = {Keys(L"250{Esc}")}, .result = 0, .lastKey = VK_ESCAPE},
        {.name = "above the range: open and selected until a valid number", .steps = {Keys(L"900{Enter}"), AwaitAllText(L"900"), Keys(L"321{Enter}")}, .after = 321},
        {.name = "no number: open until a valid one", .steps = {Keys(L"{Back}{Enter}"), AwaitAllText(L""), Keys(L"42{Enter}")}, .after = 42},
        {.name = "letters never reach the field", .steps = {Keys(L"a5b{Enter}")}, .after = 5},
        {.name = "the minus key adds no sign to limits above zero", .steps = {Keys(L"{Minus}7{Enter}")}, .after = 7},
        {.name = "the minus key adds a sign to limits below zero", .value = 5, .minimum = -100, .maximum = 100, .steps = {Keys(L"{Minus}7{Enter}")}, .after = -7},
        {.name = "plus is never typed", .steps = {Keys(L"{Shift+Equals}7{Enter}")}, .after = 7},
        {.name = "Ctrl+Z undoes the typing", .steps = {Keys(L"5{Ctrl+Z}{Enter}")}},
        // Keys and the spin step within the limits.
        {.name = "] and [ step by ten up to the maximum", .value = 495, .steps = {Keys(L"]][{Enter}")}, .after = 490},
        {.name = "[ stops at the minimum", .value = 5, .steps = {Keys(L"[{Enter}")}, .after = 1},
        {.name = "the keypad's plus and minus step by one", .value = 500, .steps = {Keys(L"{Add}{Subtract}{Subtract}{Enter}")}, .after = 498},
        {.name = "a typed number is stepped", .steps = {Keys(L"42]{Enter}")}, .after = 52},
        {.name = "the spin steps within the limits and tells the parent", .value = 499, .steps = {Click({105, 35}), Click({105, 35}), Click({115, 45}), Keys(L"{Enter}")}, .after = 490, .hostLog = "vscroll 0, vscroll 0, vscroll 3"},
        // The keys that end the edit record themselves.
        {.name = "Up accepts", .steps = {Keys(L"77{Up}")}, .after = 77, .lastKey = VK_UP},
        {.name = "Down accepts", .steps = {Keys(L"78{Down}")}, .after = 78, .lastKey = VK_DOWN},
        {.name = "Left moves the caret, and at the start accepts", .value = 12, .steps = {Keys(L"{End}{Left}3{Home}{Left}")}, .after = 132, .lastKey = VK_LEFT},
        {.name = "Right at the end accepts", .steps = {Keys(L"{End}{Right}")}, .lastKey = VK_RIGHT},
        {.name = "Tab accepts", .steps = {Keys(L"8{Tab}")}, .after = 8, .lastKey = VK_TAB},
        {.name = "F5 does nothing without an owner", .steps = {Keys(L"33{F5}4{Enter}")}, .after = 334},
        {.name = "F5 accepts when the owner allows it", .steps = {Keys(L"33{F5}")}, .after = 33, .ownerAllowsF5 = true},
        // A click or a close outside ends the edit, and is not lost.
        {.name = "a click outside accepts and reaches the window under it", .steps = {Keys(L"250"), AwaitText(L"250"), Click({170, 80})}, .after = 250, .lastKey = 0, .hostLog = "down 11"},
        {.name = "Alt+F4 closes the parent", .steps = {Keys(L"250{Alt+F4}")}, .result = 0, .lastKey = 0, .parentSurvives = false},
        {.name = "a close posted to the parent ends the edit, then closes it", .steps = {Keys(L"250"), AwaitText(L"250"), PostClose()}, .after = 250, .lastKey = 0, .parentSurvives = false},
        // Regression: the loop waited for input after a sent close had already ended it.
        {.name = "a close sent to the parent inside the loop", .steps = {Keys(L"250"), AwaitText(L"250"), SendClose()}, .result = 0, .lastKey = 0, .parentSurvives = false},
    };
    // clang-format on
    for (const EditCase& row : rows) PlayOnScreen(row);
}

// A message for another window either ends the edit and stays queued for that window, or is
// dispatched to it while the edit goes on.
TEST(CellEditLoop, MessagesForOtherWindowsEndTheEditWithoutBeingTaken) {
    struct Row {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool ends;
    };
    const Row rows[] = {
        {"a key", WM_KEYDOWN, 'A', true},
        {"key 43", WM_KEYDOWN, 43, false},
        {"key 45", WM_KEYDOWN, 45, false},
        {"a character", WM_CHAR, 'A', false},
        {"a key release", WM_KEYUP, 'A', false},
        {"a system key", WM_SYSKEYDOWN, 'A', true},
        {"a system character", WM_SYSCHAR, 'A', true},
        {"a non-client click", WM_NCLBUTTONDOWN, HTCLIENT, true},
        {"a non-client middle double-click", WM_NCMBUTTONDBLCLK, HTCLIENT, true},
        {"a left click", WM_LBUTTONDOWN, 0, true},
        {"a right click", WM_RBUTTONDOWN, 0, true},
        {"a middle click", WM_MBUTTONDOWN, 0, true},
        {"a left release", WM_LBUTTONUP, 0, false},
        {"a mouse move", WM_MOUSEMOVE, 0, false},
        {"a close", WM_CLOSE, 0, true},
        {"the end of the session", WM_QUERYENDSESSION, 0, true},
        {"a destroy", WM_DESTROY, 0, true},
        {"a menu opening", WM_INITMENU, 0, true},
        {"a message of the application", WM_USER, 0, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Page page;
        ASSERT_TRUE(realinput::Activate(page.host.GetSafeHwnd()));
        Witness witness(row.message);
        CPropInt property(100, 1, 500);
        CCellPropEditCtrl editor(nullptr, &property, CCellPropEditCtrl::kNoLengthLimit);
        std::vector<EditStep> script = {Post(row.message, row.wParam)};
        if (!row.ends) script.push_back(Keys(L"7{Enter}"));
        EditDriver driver(page.host.GetSafeHwnd(), script, witness.GetSafeHwnd());
        const EditCase pageCall = {.name = row.name};
        const int result = driver.Run([&] { return EditAsThePage(page, editor, pageCall); });
        EXPECT_EQ(driver.failure, "");
        EXPECT_EQ(result, 1);
        EXPECT_EQ(property.GetValue(), row.ends ? 100 : 7);
        EXPECT_EQ(editor.GetLastKey(), row.ends ? 0u : VK_RETURN);
        EXPECT_EQ(witness.received, row.ends ? 0 : 1) << "during the edit";
        EXPECT_TRUE(realinput::PumpUntil([&] { return witness.received == 1; }))
            << "the message reached its window";
    }
}
