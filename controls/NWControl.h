// The abstract windowless control: a rectangle in the host window's client area, a value and
// a style, and no window of its own. It reports to its site by direct virtual calls with its
// own address first; the owner tells controls apart by that address.
// [ui thread] throughout, like the host window.
#pragma once

#include <cstdint>
#include <string>

#include "controls/NWControlStyle.h"
#include "controls/WElement.h"
#include "controls/win/Win32.h"

#include <uiautomationcore.h>

class CDC;
class CNWControlSite;
class IBaseGraphicWrap;

class CNWControl : public CWElement {
public:
    // Two-bit fields of `flags`, by their lowest bit.
    enum FlagField : unsigned {
        kStateField = 0,            // GetState / SetState
        kMouseField = 2,            // 1: pressed and tracking
        kVisibleField = 4,          // non-zero: visible
        kAuxField6 = 6,             // a getter only
        kFocusField = 8,            // focus display: set while the control is the captured one
        kHoverField = 10,           // the pointer is over the control
        kEnabledField = 16,         // non-zero: enabled
        kAppendPlusField = 20,      // value fields append "+" to their value text
        kCornerMarkField = 22,      // the corner mark overlay
        kAuxField24 = 24,           // a getter only
        kNoNotifyDblClkField = 28,  // 0: a double-click notifies the owner
        kAbbreviateField = 30,      // the short name is abbreviated
    };
    static constexpr uint32_t kInitialFlags = 0x50010050;
    // The modifier keys held with a key, as OnKeyDown receives them.
    enum KeyModifier : UINT { kShiftKey = 1, kControlKey = 2, kAltKey = 4 };

    explicit CNWControl(CNWControlSite& site);
    ~CNWControl() override;

    // Virtual operations, in their fixed order: subclasses append theirs behind these.

    virtual void Draw(CDC& dc);
    virtual void DrawEx(IBaseGraphicWrap& context);
    virtual void SetFocusState(bool focused, bool redraw);
    virtual void RequestUpdate();
    virtual RECT GetRect() const { return rect; }
    virtual void SetRect(const RECT& newRect);
    virtual SIZE GetSize() const;
    virtual POINT GetTopLeft() const { return {rect.left, rect.top}; }
    virtual uint32_t GetState() const { return GetFlag(kStateField); }
    virtual void SetState(uint32_t state) { SetFlag(kStateField, state); }
    virtual uint32_t GetEnabledState() const { return GetFlag(kEnabledField); }
    virtual void SetStyle(const NWControlStyle& source);
    virtual bool HitTest(POINT point) const;
    virtual uint32_t GetMouseState() const { return GetFlag(kMouseField); }
    virtual void CancelTracking();
    virtual void OnLButtonDown(UINT keyFlags, POINT point);
    virtual void OnLButtonUp(UINT keyFlags, POINT point);
    virtual void OnRButtonDown(UINT keyFlags, POINT point);
    virtual void OnRButtonUp(UINT keyFlags, POINT point);
    virtual void OnLButtonDblClk(UINT keyFlags, POINT point);
    virtual void OnMouseMove(UINT keyFlags, POINT point);
    // 1 when the wheel moved the value; 0 when the control ignores the wheel or is disabled.
    virtual int OnMouseWheel(UINT keyFlags, int delta);
    virtual uint32_t GetWheelMode() const;
    // 1 when handled; actions 1-6 set min/max or step by line/page, 8 offers a menu.
    virtual int DoAction(int action);
    virtual void OnMouseEnter();
    virtual void OnMouseLeave();
    virtual int BeginChange();
    virtual int EndChange();
    virtual void SetName(const std::wstring& text);
    virtual void SetValueText(const std::wstring& text);
    virtual double GetValue() const { return value; }
    // Clamps into the range; notifies the owner when `notify` (or notifyAlways) is set and the
    // value changed. 0 when a notified change is refused because the control is disabled.
    virtual int SetValue(double newValue, int notify = 1, int redraw = 1);
    virtual void SetRange(double minimum, double maximum);
    virtual void SetQuantSteps(int32_t steps) { quantSteps = steps; }
    virtual void SetMarkSize(int32_t width, int32_t height);
    virtual bool IsId(int32_t otherId) const { return id == otherId; }
    virtual void SetSeparator(const std::wstring& text) { separator = text; }
    // Made on first request while accessibility is on; null otherwise.
    virtual IRawElementProviderSimple* GetAccessibleProvider();
    virtual void SetNotifyAlways(bool always) { notifyAlways = always ? 1 : 0; }
    virtual void SetEndEllipsis(bool ellipsis) { endEllipsis = ellipsis ? 1 : 0; }
    virtual double GetLineStep() const { return (maxValue - minValue) / lineSteps; }
    virtual double GetPageStep() const { return (maxValue - minValue) / pageSteps; }
    virtual double DisplayToValue(double display) const { return display; }
    virtual double ValueToDisplay(double shown) const { return shown; }
    // The value tip at the control's bottom-left corner while it is dragged.
    virtual void ShowTrackingTip();
    virtual void UpdateTrackingTip();
    virtual void HideTrackingTip();
    virtual RECT GetInvalidRect() const { return rect; }
    virtual void SetWheelMode(uint32_t mode);
    // Called after every move, so that a control can place its parts.
    virtual void Layout() {}
    // Called by the site once the control is in its lists.
    virtual void OnAddedToSite() {}
    // The text the site's tooltip shows: "name = value", or whichever of the two exists.
    virtual void GetTooltipText(std::wstring& text) const;
    // The overlay of flag bits 22-23: a red corner mark of markWidth by markHeight.
    virtual void DrawOverlay(CDC& dc, POINT origin);
    // The focus display: a dotted frame inside the rectangle while the style asks for it.
    virtual void DrawFocus(CDC& dc);
    // A key for the control while it has the keyboard focus (the site routes it): 1 when the
    // control used it. The base steps the value: Right/Up and Left/Down by the line step,
    // Page Up/Down by the page step, Home/End to the limits (DoAction 4, 3, 6, 5, 1, 2).
    virtual int OnKeyDown(UINT key, UINT modifiers);
    // Whether Enter is one of the control's keys; the host's frame takes it otherwise.
    virtual bool UsesEnter() const { return false; }

    // Plain accessors.
    CNWControlSite& GetSite() const { return site; }
    int32_t GetId() const { return id; }
    const NWControlStyle& GetStyle() const { return *style; }
    uint32_t GetFlags() const { return flags; }
    uint32_t GetFlag(FlagField field) const { return (flags >> field) & 3u; }
    bool IsVisible() const { return GetFlag(kVisibleField) != 0; }
    bool IsEnabled() const { return GetFlag(kEnabledField) != 0; }
    bool IsPressed() const { return GetFlag(kMouseField) == 1; }
    bool HasFocusDisplay() const { return GetFlag(kFocusField) != 0; }
    bool IsHovered() const { return GetFlag(kHoverField) != 0; }
    uint32_t GetAuxField6() const { return GetFlag(kAuxField6); }
    uint32_t GetAuxField24() const { return GetFlag(kAuxField24); }
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);
    void SetAbbreviateName(bool abbreviate);
    void SetNoNotifyOnDoubleClick(bool noNotify) { SetFlag(kNoNotifyDblClkField, noNotify); }
    void SetAppendPlus(bool append) { SetFlag(kAppendPlusField, append); }
    void SetCornerMark(uint32_t mark) { SetFlag(kCornerMarkField, mark); }
    const std::wstring& GetName() const { return name; }
    const std::wstring& GetShortName() const { return shortName; }
    const std::wstring& GetValueText() const { return valueText; }
    // A further text for subclasses (a unit, a hint); the base never shows it.
    const std::wstring& GetExtraText() const { return extraText; }
    void SetExtraText(const std::wstring& text) { extraText = text; }
    const std::wstring& GetSeparator() const { return separator; }
    double GetDefaultValue() const { return defaultValue; }
    void SetDefaultValue(double newDefault) { defaultValue = newDefault; }
    double GetRequestedValue() const { return requestedValue; }
    double GetMin() const { return minValue; }
    double GetMax() const { return maxValue; }
    uint32_t GetChangeDepth() const { return changeDepth; }
    uint32_t GetLastChangeTick() const { return lastChangeTick; }
    POINT GetPressPoint() const { return pressPoint; }
    POINT GetLastPoint() const { return lastPoint; }
    bool GetNotifyAlways() const { return notifyAlways != 0; }
    bool GetEndEllipsis() const { return endEllipsis != 0; }
    int32_t GetMarkWidth() const { return markWidth; }
    int32_t GetMarkHeight() const { return markHeight; }

    // Controls alive in the process.
    static size_t LiveCount();

protected:
    void SetFlag(FlagField field, uint32_t fieldValue) {
        flags = (flags & ~(3u << field)) | ((fieldValue & 3u) << field);
    }
    double Clamp(double candidate) const;
    void RebuildShortName();
    // Asks the site to redraw the control when it is visible.
    void Redraw();
    void OfferMenu(UINT keyFlags);

    CNWControlSite& site;
    int32_t id;
    NWControlStyle* style;
    RECT rect = {0, 0, 0, 0};
    POINT pressPoint = {0, 0};
    POINT lastPoint = {0, 0};
    double value = -1.0;
    double defaultValue = 0.5;
    double requestedValue = -1.0;
    double minValue = 0.0;
    double maxValue = 1.0;
    double lineSteps = 127.0;
    double pageSteps = 30.0;
    int32_t quantSteps = 0;
    std::wstring name;
    std::wstring shortName;
    std::wstring extraText;
    std::wstring valueText;
    std::wstring separator = L" = ";
    uint32_t lastChangeTick = 0;
    uint32_t changeDepth = 0;
    IRawElementProviderSimple* accessibleProvider = nullptr;
    uint32_t flags = kInitialFlags;
    uint8_t notifyAlways = 0;
    uint8_t endEllipsis = 1;
    int32_t markWidth = 5;
    int32_t markHeight = 4;
    double wheelStep = 0.05;
    double wheelFineStep = 0.00295;

private:
    // The record `style` points at; wheelMode lives in its option bits 18-19.
    NWControlStyle ownStyle;
};
