#include "controls/NWMultiBtn.h"

#include <algorithm>
#include <bitset>

#include "controls/AutoDCRestorer.h"
#include "controls/BitmapCache.h"
#include "controls/NWControlSite.h"
#include "controls/NWSharedDrawing.h"
#include "controls/win/DC.h"

CNWMultiBtn::CNWMultiBtn(CNWControlSite& owner, uint32_t stateMask, int32_t type)
    : CNWToggleControl(owner, type) {
    value = 0.0;
    rect = {0, 0, 1, 1};
    SetStateMask(stateMask);
}

CNWMultiBtn::~CNWMultiBtn() {
    if (bitmapId != 0 && CBitmapCache::HasInstance()) {
        CBitmapCache::Instance().Release(bitmapId);
    }
}

void CNWMultiBtn::SetStateMask(uint32_t mask) {
    drawOptions = (drawOptions & ~0x00FFFF00u) | ((mask & 0xFFFFu) << 8);
}

void CNWMultiBtn::SetDrawOptionField(DrawOption field, uint32_t fieldValue) {
    drawOptions = (drawOptions & ~(3u << field)) | ((fieldValue & 3u) << field);
}

void CNWMultiBtn::SetBitmap(uint32_t resourceId, uint32_t stateMask, uint16_t rowCount,
                            uint16_t rowIndex, const SIZE* frameSize) {
    if (resourceId == bitmapId) {
        return;
    }
    CBitmapCache& cache = CBitmapCache::Instance();
    if (bitmapId != 0) {
        cache.Release(bitmapId);
    }
    bitmapId = resourceId;
    SetStateMask(stateMask);
    rows = rowCount;
    row = rowIndex;
    // A strip that cannot be loaded leaves the id in place: the button then draws nothing.
    cache.AddRef(resourceId, 0);
    CutFrames(frameSize);
    SetRect(rect);
}

// Frames are as wide as the strip divided by the number of states with a frame, and as high
// as the strip divided by its rows; each present state's offset adds up the frames before it.
void CNWMultiBtn::CutFrames(const SIZE* frameSize) {
    const uint32_t mask = GetStateMask() & ((1u << kStateCount) - 1);
    frameCount = static_cast<int32_t>(std::bitset<kStateCount>(mask).count());
    const SIZE strip = CBitmapCache::Instance().GetSize(bitmapId);
    if (frameSize) {
        frameWidth = static_cast<uint16_t>(std::max<LONG>(frameSize->cx, 1));
        frameHeight = static_cast<uint16_t>(std::max<LONG>(frameSize->cy, 1));
    } else {
        frameWidth = static_cast<uint16_t>(std::max<LONG>(strip.cx / std::max(frameCount, 1), 1));
        frameHeight = static_cast<uint16_t>(std::max<LONG>(strip.cy / std::max<LONG>(rows, 1), 1));
    }
    uint16_t offset = 0;
    for (int bit = 0; bit < kStateCount; ++bit) {
        frameOffsets[bit] = 0;
        if (mask & (1u << bit)) {
            frameOffsets[bit] = offset;
            offset = static_cast<uint16_t>(offset + frameWidth);
        }
    }
}

void CNWMultiBtn::SetRect(const RECT& newRect) {
    const bool stretched = DrawOptionField(kThreePartOption) != 0;
    const LONG width = stretched ? newRect.right - newRect.left : frameWidth;
    CNWControl::SetRect(
        {newRect.left, newRect.top, newRect.left + width, newRect.top + frameHeight});
}

void CNWMultiBtn::SetThreePart(uint16_t leftCap, uint16_t rightCap) {
    leftCapWidth = leftCap;
    rightCapWidth = rightCap;
    SetDrawOptionField(kThreePartOption, 1);
    Redraw();
}

void CNWMultiBtn::SetTextMargins(uint16_t left, uint16_t top, uint16_t right, uint16_t bottom) {
    marginLeft = left;
    marginTop = top;
    marginRight = right;
    marginBottom = bottom;
    Redraw();
}

void CNWMultiBtn::SetFocusFrameStyle(uint32_t frameStyle) {
    SetDrawOptionField(kFocusStyleOption, frameStyle);
    Redraw();
}

int CNWMultiBtn::FrameOffset(uint32_t stateBit) const {
    for (int bit = 0; bit < kStateCount; ++bit) {
        if (stateBit == (1u << bit)) {
            return frameOffsets[bit];
        }
    }
    return 0;
}

// A three-state mask makes 0.5 a state of its own; without it 0.5 already counts as on.
bool CNWMultiBtn::IsOn() const { return Has(kMiddle) ? value > 0.5 : value >= 0.5; }

uint32_t CNWMultiBtn::ChooseFrame() const {
    const bool on = IsOn();
    const bool middle = Has(kMiddle) && value == 0.5;
    if (IsEnabled() || !Has(kDisabled)) {
        return ChooseEnabledFrame(on, middle);
    }
    if (on) {
        return Has(kOnDisabled) ? kOnDisabled : (Has(kOn) ? kOn : kNormal);
    }
    if (middle) {
        return Has(kMiddleDisabled) ? kMiddleDisabled : kMiddle;
    }
    return kDisabled;
}

uint32_t CNWMultiBtn::ChooseEnabledFrame(bool on, bool middle) const {
    const bool pressed = IsPressed();
    const bool hover = IsHovered();
    if (on && pressed && Has(kOnPressed)) return kOnPressed;
    if (on && hover && Has(kOnHover)) return kOnHover;
    if (middle && pressed && Has(kMiddlePressed)) return kMiddlePressed;
    if (middle && hover && Has(kMiddleHover)) return kMiddleHover;
    if (!(middle && hover)) {
        if (on && Has(kOn)) return kOn;
        if (pressed && Has(kPressed)) return kPressed;
        if (hover && Has(kHover)) return kHover;
    }
    return middle ? kMiddle : kNormal;
}

void CNWMultiBtn::Draw(CDC& dc) {
    if (!IsVisible() || bitmapId == 0 || !dc.RectVisible(rect)) {
        return;
    }
    DrawFrame(dc, rect);
    DrawLabel(dc, rect);
    DrawOverlay(dc, GetTopLeft());
    if (DrawOptionField(kFocusStyleOption) != 0) {
        DrawFocusOutline(dc);
    } else {
        DrawFocus(dc);
    }
}

void CNWMultiBtn::DrawFocusOutline(CDC& dc) {
    if (!HasFocusDisplay() || style->GetOption(NWControlStyle::kFocusFrame) == 0) {
        return;
    }
    const RECT outline = {rect.left + 2, rect.top + 2, rect.right - 3, rect.bottom - 4};
    HBRUSH brush = CreateSolidBrush(style->colors[6]);
    FrameRect(dc.GetSafeHdc(), &outline, brush);
    DeleteObject(brush);
}

void CNWMultiBtn::DrawFrame(CDC& dc, const RECT& target) {
    const int sourceX = frameBaseX + FrameOffset(ChooseFrame());
    const int sourceY = row * frameHeight;
    if (DrawOptionField(kThreePartOption) != 0) {
        DrawThreePart(dc, target, sourceX, sourceY);
        return;
    }
    CBitmapCache::Instance().Draw(bitmapId, dc, target.left, target.top, frameWidth, frameHeight,
                                  sourceX, sourceY, 0);
}

// Caps wider than the target are cut, so that the right cap never lands left of the left one.
void CNWMultiBtn::DrawThreePart(CDC& dc, const RECT& target, int sourceX, int sourceY) {
    CBitmapCache& cache = CBitmapCache::Instance();
    const int width = target.right - target.left;
    const int left = std::min<int>(leftCapWidth, width);
    const int right = std::min<int>(rightCapWidth, width - left);
    const int middleSource = frameWidth - leftCapWidth - rightCapWidth;
    cache.Draw(bitmapId, dc, target.left, target.top, left, frameHeight, sourceX, sourceY, 0);
    if (middleSource > 0) {
        for (int x = target.left + left; x < target.right - right; x += middleSource) {
            const int piece = std::min(middleSource, static_cast<int>(target.right - right - x));
            cache.Draw(bitmapId, dc, x, target.top, piece, frameHeight, sourceX + leftCapWidth,
                       sourceY, 0);
        }
    }
    cache.Draw(bitmapId, dc, target.right - right, target.top, right, frameHeight,
               sourceX + frameWidth - right, sourceY, 0);
}

void CNWMultiBtn::DrawLabel(CDC& dc, const RECT& target) {
    const bool showName = style->GetOption(NWControlStyle::kShowName) != 0;
    if (!showName && style->GetOption(NWControlStyle::kShowValue) == 0) {
        return;
    }
    COLORREF color = style->colors[3];
    if (IsHovered() || IsOn()) {
        color = style->colors[4];
    } else if (!IsEnabled()) {
        color = style->colors[5];
    }
    RECT text = target;
    const int indent = style->GetTextIndent();
    if (style->textAlign == 0) text.left += indent;
    if (style->textAlign == 2) text.right -= indent;
    text = {text.left + marginLeft, text.top + marginTop, text.right - marginRight,
            text.bottom - marginBottom};
    CAutoDCRestorer restore(
        dc, CAutoDCRestorer::kTextColor | CAutoDCRestorer::kBkMode | CAutoDCRestorer::kFont);
    dc.SetTextColor(color);
    dc.SetBkMode(TRANSPARENT);
    dc.SelectObject(CNWSharedDrawing::Get().normalFont);
    dc.DrawText(showName ? shortName : valueText, text,
                static_cast<UINT>(style->textAlign) | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}
