// A toggle button whose faces are frames of one bitmap strip from the shared bitmap cache.
// The state mask says which states have a frame of their own; the frames lie side by side in
// the order of the mask's bits, lowest first.
// [ui thread] throughout, like the host window.
#pragma once

#include <cstdint>

#include "controls/NWToggleControl.h"

class CNWMultiBtn : public CNWToggleControl {
public:
    // Bits of the state mask: the states that have a frame of their own.
    enum StateBit : uint32_t {
        kNormal = 0x001,
        kPressed = 0x002,
        kHover = 0x004,
        kOn = 0x008,
        kOnPressed = 0x010,
        kOnHover = 0x020,
        kOnDisabled = 0x040,
        kDisabled = 0x080,
        kMiddle = 0x100,  // three-state: the value 0.5 is a state of its own
        kMiddlePressed = 0x200,
        kMiddleHover = 0x400,
        kMiddleDisabled = 0x800,
    };
    static constexpr int kStateCount = 12;

    CNWMultiBtn(CNWControlSite& site, uint32_t stateMask, int32_t type);
    ~CNWMultiBtn() override;

    void Draw(CDC& dc) override;
    // Keeps the given top-left corner; the size is one frame, or, for a three-part button,
    // the given width at one frame's height.
    void SetRect(const RECT& newRect) override;

    // Appended operations.
    virtual void DrawFrame(CDC& dc, const RECT& target);
    virtual void DrawLabel(CDC& dc, const RECT& target);
    // Non-zero: the focus display is an outline in the style's seventh colour, else the base's.
    virtual void SetFocusFrameStyle(uint32_t frameStyle);

    // Takes a strip from the cache (loaded on first use) and cuts it into frames, unless
    // `frameSize` gives their size. Nothing happens when the id is the current one.
    void SetBitmap(uint32_t resourceId, uint32_t stateMask, uint16_t rows, uint16_t row,
                   const SIZE* frameSize = nullptr);
    // Draws the frame stretched to the rectangle's width: left cap, repeated middle, right cap.
    void SetThreePart(uint16_t leftCap, uint16_t rightCap);
    void SetTextMargins(uint16_t left, uint16_t top, uint16_t right, uint16_t bottom);
    void SetFrameBaseX(int32_t baseX) { frameBaseX = baseX; }

    // The state bit whose frame stands for the current value, mouse state and enabled state.
    uint32_t ChooseFrame() const;
    bool IsOn() const;
    // The strip's horizontal offset of a state's frame (0 for a state without a frame).
    int FrameOffset(uint32_t stateBit) const;
    uint32_t GetStateMask() const { return (drawOptions >> 8) & 0xFFFFu; }
    uint32_t GetBitmapId() const { return bitmapId; }
    int32_t GetFrameCount() const { return frameCount; }
    SIZE GetFrameSize() const { return {frameWidth, frameHeight}; }

private:
    // Fields of the low byte of `drawOptions`, by their lowest bit.
    enum DrawOption : unsigned { kThreePartOption = 2, kFocusStyleOption = 6 };

    bool Has(uint32_t stateBit) const { return (GetStateMask() & stateBit) != 0; }
    uint32_t DrawOptionField(DrawOption field) const { return (drawOptions >> field) & 3u; }
    void SetDrawOptionField(DrawOption field, uint32_t fieldValue);
    void SetStateMask(uint32_t mask);
    uint32_t ChooseEnabledFrame(bool on, bool middle) const;
    void CutFrames(const SIZE* frameSize);
    void DrawThreePart(CDC& dc, const RECT& target, int sourceX, int sourceY);
    void DrawFocusOutline(CDC& dc);

    int32_t frameCount = 0;
    uint16_t frameWidth = 1;
    uint16_t frameHeight = 1;
    uint16_t frameOffsets[kStateCount] = {};
    uint32_t bitmapId = 0;
    int32_t frameBaseX = 0;
    uint16_t rows = 1;
    uint16_t row = 0;
    // Bits 8-23: the state mask. Low byte: bit 0 (set), bits 2-3 three-part drawing, bits 4-5
    // (reserved: every strip comes from the shared cache), bits 6-7 the focus frame style.
    uint32_t drawOptions = 1;
    uint16_t leftCapWidth = 0;
    uint16_t rightCapWidth = 0;
    // Text margins.
    uint16_t marginLeft = 0;
    uint16_t marginTop = 0;
    uint16_t marginRight = 0;
    uint16_t marginBottom = 0;
};
