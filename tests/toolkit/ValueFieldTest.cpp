// Value fields: the text they show, their drawing, and when they ask the owner to act (which
// on the page opens the in-place editor).
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "controls/AbbreviateName.h"
#include "controls/NWEditControl.h"
#include "support/ButtonHost.h"

namespace {

CNWEditControl* AddField(ButtonHost& host, RECT rect = {10, 10, 60, 30}) {
    auto* field = new CNWEditControl(host);
    host.AddControl(field, 1, 0);
    field->SetRect(rect);
    host.TakeLog();
    return field;
}

NWControlStyle Showing(bool name, bool value) {
    NWControlStyle style = NWControlStyle::Defaults();
    style.SetOption(NWControlStyle::kShowName, name);
    style.SetOption(NWControlStyle::kShowValue, value);
    return style;
}

}  // namespace

TEST(ValueFieldText, NameValueAndPlusAsTheStyleAndFlagsSay) {
    struct Row {
        const char* name;
        bool showName, showValue, plus;
        std::wstring controlName, expected;
    };
    const std::wstring longName = L"Velocity Accent";
    const Row rows[] = {
        {"the value (as on the page)", false, true, false, L"Rate", L"100"},
        {"the value with its plus", false, true, true, L"Rate", L"100+"},
        {"the name", true, false, true, L"Rate", L"Rate"},
        {"name and value", true, true, false, L"Rate", L"Rate = 100"},
        {"a long name abbreviated", true, false, false, longName, AbbreviateName(longName, 8)},
        {"nothing", false, false, true, L"Rate", L""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        CNWEditControl* field = AddField(host);
        field->SetStyle(Showing(row.showName, row.showValue));
        field->SetName(row.controlName);
        field->SetValueText(L"100");
        field->SetAppendPlus(row.plus);
        EXPECT_EQ(field->GetDisplayText(), row.expected);
    }
    EXPECT_NE(AbbreviateName(longName, 8), longName) << "the row above shows a real abbreviation";
}

TEST(ValueFieldDrawing, BackgroundAndTextColoursAndTheEllipsis) {
    constexpr COLORREF kCanvas = RGB(1, 2, 3), kFace = RGB(10, 20, 30);
    constexpr COLORREF kText = RGB(250, 250, 0), kGrey = RGB(128, 128, 128);
    struct Row {
        const char* name;
        bool noBackground, enabled;
        COLORREF background, text;
    };
    const Row rows[] = {
        {"filled", false, true, kFace, kText},
        {"over the host's background", true, true, kCanvas, kText},
        {"disabled", false, false, kFace, kGrey},
    };
    auto render = [&](const Row& row, const std::wstring& text, bool ellipsis) {
        ButtonHost host(false);
        CNWEditControl* field = AddField(host);
        NWControlStyle style = Showing(false, true);
        style.colors[0] = kFace;
        style.colors[3] = kText;
        style.colors[5] = kGrey;
        style.SetOption(NWControlStyle::kNoBackground, row.noBackground);
        field->SetStyle(style);
        field->SetEnabled(row.enabled);
        field->SetEndEllipsis(ellipsis);
        field->SetValueText(text);
        auto canvas = std::make_unique<PixelCanvas>(80, 40, kCanvas);
        host.DrawControls(canvas->Dc());
        return canvas;
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto canvas = render(row, L"888", true);
        EXPECT_EQ(canvas->At(11, 11), row.background);
        EXPECT_EQ(canvas->At(5, 5), kCanvas) << "outside";
        size_t textPixels = 0;
        for (int y = 10; y < 30; ++y) {
            for (int x = 10; x < 60; ++x) textPixels += canvas->At(x, y) == row.text;
        }
        EXPECT_GT(textPixels, 10u);
    }
    const std::wstring tooLong(30, L'W');
    EXPECT_NE(render(rows[0], tooLong, true)->Pixels(), render(rows[0], tooLong, false)->Pixels())
        << "the end ellipsis changes what a text too long for the field shows";
}

TEST(ValueFieldActions, TheOwnerIsAskedOnDoubleClickPressWhenAskedAndAction7) {
    struct Row {
        const char* name;
        bool actOnPress, enabled;
        const char* input;  // "press", "dblclk" or an action number
        int handled;
        const char* log;
    };
    const Row rows[] = {
        {"a press", false, true, "press", 1, "begin 10"},
        {"a press acting on press", true, true, "press", 1, "begin 10, action 10 keys 1"},
        {"a double-click", false, true, "dblclk", 1, "begin 10, action 10 keys 1"},
        {"action 7", false, true, "7", 1, "action 10 keys 0"},
        {"action 3 is not handled", false, true, "3", 0, ""},
        {"action 8 offers the menu", false, true, "8", 1, "menu 10 flags 0 items 4"},
        {"disabled", false, false, "7", 0, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ButtonHost host(false);
        host.trackMenus = false;
        CNWEditControl* field = AddField(host);
        field->SetActOnPress(row.actOnPress);
        field->SetEnabled(row.enabled);
        int handled = 1;
        const std::string input = row.input;
        if (input == "press") field->OnLButtonDown(MK_LBUTTON, {20, 20});
        if (input == "dblclk") field->OnLButtonDblClk(MK_LBUTTON, {20, 20});
        if (isdigit(input[0])) handled = field->DoAction(std::stoi(input));
        EXPECT_EQ(handled, row.handled);
        EXPECT_EQ(host.TakeLog(), row.log);
        EXPECT_EQ(field->GetValue(), 0.0) << "a value field's clicks never change its value";
    }
}

// A text wider than the field: one cut line without wrapping, every word on its own lines
// with it, the block centred between the field's top and bottom.
TEST(ValueFieldDrawing, AWrappingFieldBreaksALongTextIntoCentredLines) {
    constexpr COLORREF kCanvas = RGB(0, 0, 0), kText = RGB(255, 255, 255);
    const RECT rect = {10, 10, 60, 90};
    auto inkRows = [&](bool wrap) {
        ButtonHost host(false);
        CNWEditControl* field = AddField(host, rect);
        NWControlStyle style = Showing(false, true);
        style.colors[3] = kText;
        style.SetOption(NWControlStyle::kNoBackground, 1);
        field->SetStyle(style);
        field->SetWordWrap(wrap);
        field->SetValueText(L"G 7 1st inversion");
        PixelCanvas canvas(80, 100, kCanvas);
        host.DrawControls(canvas.Dc());
        const std::vector<uint32_t> pixels = canvas.Pixels();  // 0xAARRGGBB; the canvas is black
        std::vector<int> rows;
        for (int y = 0; y < canvas.height; ++y) {
            bool ink = false;
            for (int x = 0; x < canvas.width && !ink; ++x) {
                ink = (pixels[static_cast<size_t>(y * canvas.width + x)] & 0xFFFFFF) != 0;
            }
            if (ink) rows.push_back(y);
        }
        return rows;
    };
    const std::vector<int> oneLine = inkRows(false);
    const std::vector<int> wrapped = inkRows(true);
    ASSERT_FALSE(oneLine.empty());
    ASSERT_FALSE(wrapped.empty());
    const int lineHeight = oneLine.back() - oneLine.front() + 1;
    EXPECT_GT(wrapped.back() - wrapped.front() + 1, lineHeight + lineHeight / 2) << "two lines";
    const int above = wrapped.front() - rect.top, below = rect.bottom - 1 - wrapped.back();
    EXPECT_LE(std::abs(above - below), lineHeight / 2 + 2) << "centred as a block";
    EXPECT_GE(wrapped.front(), rect.top);
    EXPECT_LT(wrapped.back(), rect.bottom);
}
