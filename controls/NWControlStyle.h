// The appearance record of a control. A host builds one from the defaults, changes what it
// needs and hands it to every control through SetStyle, which copies only the fields whose
// bit is set in `fieldMask`.
#pragma once

#include <cstdint>

#include "controls/win/Win32.h"

struct NWControlStyle {
    // Two-bit fields of `options`, by their lowest bit.
    enum Option : unsigned {
        kShowName = 0,        // labels draw the control's name
        kShowValue = 2,       // labels draw the value text; sliders their value
        kHoverFrame = 4,      // hover is tracked and drawn
        kFocusFrame = 6,      // the focus display is drawn
        kTrackingTip = 8,     // a dragged slider shows its value in a tip
        kBoldText = 10,       // smooth slider text in bold
        kResendOnPress = 12,  // press re-sends the value, double-click the default
        kNoBackground = 14,   // the host paints the background; images go through the back-end
        kOption16 = 16,       // no use in the toolkit yet
        kWheelMode = 18,      // 0: the wheel is ignored
    };

    // Bits of `fieldMask`.
    enum Field : uint32_t {
        kColorFields = 0x3F,  // bits 0-5: the first six colours
        kTextAlignField = 1u << 12,
        kTextIndentField = 1u << 13,
        kMaxNameCharsField = 1u << 15,
        kSeventhColorField = 1u << 18,
    };

    // [ui thread] The defaults, with colours from the current system colour scheme.
    static NWControlStyle Defaults();

    uint32_t GetOption(Option field) const { return (options >> field) & 3u; }
    void SetOption(Option field, uint32_t value) {
        options = (options & ~(3u << field)) | ((value & 3u) << field);
    }
    // The signed 12-bit indent in the low bits of `textIndent`.
    int GetTextIndent() const;
    void SetTextIndent(int indent);
    // Also sets the derived wide limit (1.5 times, truncated).
    void SetMaxNameChars(int count);

    // Copies the fields that `source.fieldMask` selects. True when the name length limits
    // changed, so that a control must rebuild its short name.
    bool CopyMaskedFrom(const NWControlStyle& source);

    // Face, face, face, text, text, grey text, highlight (the system colours by default).
    COLORREF colors[7];
    uint32_t options;
    uint32_t textIndent;
    int32_t textAlign;  // 0 left, 1 centre, 2 right (DT_LEFT, DT_CENTER, DT_RIGHT)
    uint8_t byteOptions;
    int32_t maxNameChars;      // signed 12-bit
    int32_t maxNameCharsWide;  // 1.5 x maxNameChars
    uint32_t fieldMask;
};
