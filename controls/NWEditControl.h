// A value field: shows its value text (and, when the style asks, its name) over the host's
// background. It does not edit by itself: a double-click, or a press when `actOnPress` is
// set, asks the owner to act (OnControlAction), and the owner opens the in-place editor.
// [ui thread] throughout, like the host window.
#pragma once

#include <cstdint>
#include <string>

#include "controls/NWControl.h"

class CNWEditControl : public CNWControl {
public:
    explicit CNWEditControl(CNWControlSite& site);

    void Draw(CDC& dc) override;
    void OnLButtonDown(UINT keyFlags, POINT point) override;
    void OnLButtonDblClk(UINT keyFlags, POINT point) override;
    // 1-6 not handled; 7 asks the owner to act; 8 and beyond as the base.
    int DoAction(int action) override;
    // Enter or F2 ask the owner to act (it opens its editor); other keys as the base.
    int OnKeyDown(UINT key, UINT modifiers) override;
    bool UsesEnter() const override { return true; }

    // Appended operations.
    // Four colours an owner may keep with the field and read back; drawing uses the style's.
    virtual void SetColors(uint32_t first, uint32_t second, uint32_t third, uint32_t fourth);
    // Non-zero asks for drawing through a graphics back-end. The toolkit has no back-end that
    // draws yet, so the field falls back to GDI, as it would when a back-end fails.
    virtual void SetOption(uint32_t option) { backEndOption = option; }

    void SetActOnPress(bool act) { actOnPress = act ? 1 : 0; }
    // Set: the text is broken into lines that fit the field and centred as a block, for a
    // field that shows longer texts (the page's recognised chord); clear (the default): one
    // line, vertically centred, cut with an ellipsis when `endEllipsis` is set.
    void SetWordWrap(bool wrap) { wordWrap = wrap ? 1 : 0; }
    bool GetWordWrap() const { return wordWrap != 0; }
    // The text Draw shows: the short name, then the value text (with "+" when the flag asks),
    // joined by the separator, each as the style's options select.
    std::wstring GetDisplayText() const;
    uint32_t GetColor(int index) const { return colors[index & 3]; }
    uint32_t GetOption() const { return backEndOption; }

private:
    void DrawWrapped(CDC& dc, RECT box);

    uint32_t colors[4] = {0, 0, 0, 0};
    uint32_t backEndOption = 0;
    int32_t actOnPress = 0;
    uint8_t wordWrap = 0;
};
