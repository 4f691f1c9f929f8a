#include "controls/NWControlStyle.h"

namespace {

int SignExtend12(uint32_t bits) {
    const auto low = static_cast<int>(bits & 0xFFFu);
    return low >= 0x800 ? low - 0x1000 : low;
}

// Field-mask bit to option field, for the option fields SetStyle copies one by one.
struct MaskedOption {
    unsigned maskBit;
    NWControlStyle::Option field;
};
constexpr MaskedOption kMaskedOptions[] = {
    {6, NWControlStyle::kShowName},      {7, NWControlStyle::kShowValue},
    {8, NWControlStyle::kHoverFrame},    {9, NWControlStyle::kFocusFrame},
    {10, NWControlStyle::kTrackingTip},  {11, NWControlStyle::kBoldText},
    {14, NWControlStyle::kNoBackground}, {16, NWControlStyle::kResendOnPress},
    {17, NWControlStyle::kOption16},     {19, NWControlStyle::kWheelMode},
};

}  // namespace

NWControlStyle NWControlStyle::Defaults() {
    NWControlStyle style = {};
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    style.colors[0] = face;
    style.colors[1] = face;
    style.colors[2] = face;
    style.colors[3] = text;
    style.colors[4] = text;
    style.colors[5] = GetSysColor(COLOR_GRAYTEXT);
    style.colors[6] = GetSysColor(COLOR_BTNHIGHLIGHT);
    style.options = (1u << kHoverFrame) | (1u << kTrackingTip) | (1u << kResendOnPress);
    style.textIndent = 0;
    style.textAlign = 0;
    style.byteOptions = 0x08;
    style.SetMaxNameChars(8);
    style.fieldMask = 0xFFFFFFFFu;
    return style;
}

int NWControlStyle::GetTextIndent() const { return SignExtend12(textIndent); }

void NWControlStyle::SetTextIndent(int indent) {
    textIndent = (textIndent & ~0xFFFu) | (static_cast<uint32_t>(indent) & 0xFFFu);
}

void NWControlStyle::SetMaxNameChars(int count) {
    maxNameChars = SignExtend12(static_cast<uint32_t>(count));
    maxNameCharsWide = maxNameChars * 3 / 2;
}

bool NWControlStyle::CopyMaskedFrom(const NWControlStyle& source) {
    const uint32_t mask = source.fieldMask;
    for (unsigned i = 0; i < 6; ++i) {
        if (mask & (1u << i)) {
            colors[i] = source.colors[i];
        }
    }
    if (mask & kSeventhColorField) {
        colors[6] = source.colors[6];
    }
    for (const MaskedOption& option : kMaskedOptions) {
        if (mask & (1u << option.maskBit)) {
            SetOption(option.field, source.GetOption(option.field));
        }
    }
    if (mask & kTextAlignField) {
        textAlign = source.textAlign;
    }
    if (mask & kTextIndentField) {
        textIndent = source.textIndent;
    }
    bool namesChanged = false;
    if (mask & kMaxNameCharsField) {
        namesChanged =
            maxNameChars != source.maxNameChars || maxNameCharsWide != source.maxNameCharsWide;
        maxNameChars = source.maxNameChars;
        maxNameCharsWide = source.maxNameCharsWide;
    }
    return namesChanged;
}
