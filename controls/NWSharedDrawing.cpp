#include "controls/NWSharedDrawing.h"

#include "controls/NWAppInfo.h"

namespace {

// Fonts of the toolkit are laid out for 96 dots per inch, whatever the display says.
constexpr int kLayoutDpi = 96;

const CNWSharedDrawing* shared = nullptr;

HFONT MakeFont(int height, int weight, const std::wstring& face) {
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

}  // namespace

const CNWSharedDrawing& CNWSharedDrawing::Get() {
    if (!shared) {
        shared = new CNWSharedDrawing();
    }
    return *shared;
}

bool CNWSharedDrawing::Exists() { return shared != nullptr; }

CNWSharedDrawing::CNWSharedDrawing() : referenceTextSize{0, 0} {
    const INWAppInfo* app = GetNWAppInfo();
    const wchar_t* face = app ? app->GetControlFontFace() : nullptr;
    faceName = face && *face ? face : L"Tahoma";
    cellFont = MakeFont(MulDiv(8, kLayoutDpi, 80), FW_NORMAL, faceName);
    normalFont = MakeFont(-MulDiv(8, kLayoutDpi, 72), FW_NORMAL, faceName);
    boldFont = MakeFont(-MulDiv(8, kLayoutDpi, 72), FW_BOLD, faceName);
    largeFont = MakeFont(-MulDiv(10, kLayoutDpi, 72), FW_NORMAL, faceName);
    largeBoldFont = MakeFont(-MulDiv(10, kLayoutDpi, 72), FW_BOLD, faceName);
    redPen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    wideRedPen = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
    if (app && app->WantsReferenceTextSize()) {
        HDC screen = GetDC(nullptr);
        HGDIOBJ previous = SelectObject(screen, largeFont);
        GetTextExtentPoint32W(screen, L"Wh", 2, &referenceTextSize);
        SelectObject(screen, previous);
        ReleaseDC(nullptr, screen);
    }
}
