// The in-place editor: a child edit window laid over a value field for typing an exact
// value, with its own message loop, so that EditModal returns only once the edit has ended.
// It edits only through a property value (CProperty), which formats the first text, filters
// the typed characters, steps the value and reads the final text back.
//
// The edit ends accepted on Tab, Enter, Up or Down, on Left at the start of the text and
// Right at its end, on F5 when the owner allows it, and when a click, a key, a close or a
// menu is about to reach another window (that message stays queued for it). Escape and
// losing the focus cancel. An accepted text the property refuses keeps the editor open with
// the whole text selected, unless another window's message ended the edit.
// [ui thread] throughout: the loop runs on the thread that owns the parent window.
#pragma once

#include <cstdint>
#include <string>

#include "controls/CellSpinCtrl.h"
#include "controls/PropEditCtrl.h"

class CNWControlSite;

// What the editor asks of its owner.
class ICellEditOwner {
public:
    // Whether F5 ends the edit as accepted, as Enter does.
    virtual bool AllowsRefreshKey() const = 0;

protected:
    ~ICellEditOwner() = default;
};

class CCellPropEditCtrl : public CPropEditCtrl {
public:
    // No length limit: the text is limited to kDefaultTextLimit characters.
    static constexpr uint32_t kNoLengthLimit = 0xFFFFFFFFu;
    static constexpr uint32_t kDefaultTextLimit = 128;

    // `owner` may be null; the property is not owned and must outlive the edit.
    CCellPropEditCtrl(ICellEditOwner* owner, CProperty* property, uint32_t lengthLimit);

    // Edits over `rect` (the parent's client coordinates) until the edit ends. `style` adds
    // to WS_CHILD | WS_CLIPSIBLINGS; `firstChar` (0: none) replaces the text when the property
    // accepts it; `spinOption` non-zero puts the spin control right of the field when the
    // property has limits to step within; `initialText` null or empty: the property's text;
    // `extra` selects nothing yet (0); `liveSite` non-null receives the typed text in its
    // captured control after every key release. 1 when a text was accepted and, with
    // validation on, read by the property; else 0.
    int EditModal(HWND parent, const RECT& rect, DWORD style, wchar_t firstChar, int spinOption,
                  HFONT font, UINT controlId, const wchar_t* initialText, int extra,
                  CNWControlSite* liveSite);

    // The key that ended the last edit (9, 13, 27, 37-40), 0 when none did.
    uint32_t GetLastKey() const { return lastKey; }
    // The text the last edit ended with.
    const std::wstring& GetEditedText() const { return text; }
    // Off: an accepted text is taken as it is, without asking the property.
    void SetValidate(bool on) { validate = on ? 1 : 0; }
    bool IsMultiLine() const { return multiLine != 0; }
    HWND GetSpinHwnd() const { return spin.GetSafeHwnd(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnStepped(wchar_t key) override;

private:
    // Setting up and taking down (CellPropEditCtrl.cpp).
    bool CreateEditWindow(const RECT& rect, DWORD style, UINT controlId);
    void AttachSpin(const RECT& rect, int spinOption);
    void SetInitialText(wchar_t firstChar, const wchar_t* initialText, HFONT font);
    // After the loop: true when the accepted text was refused and the edit goes on.
    bool KeepsOpen();
    void TearDown(const RECT& rect);

    // The loop (CellPropEditLoop.cpp).
    void RunLoop();
    bool EndsEdit(const MSG& message) const;
    void PassLiveText();

    // Keys and focus (CellPropEditKeys.cpp).
    bool HandleEndingKey(UINT key);
    void OnFocusLost();
    void End(bool accept, uint32_t key);

    ICellEditOwner* owner;
    uint32_t done = 0;
    uint32_t accepted = 0;
    uint32_t lastKey = 0;
    uint32_t validate = 1;
    uint32_t liveUpdate = 0;
    std::wstring text;
    uint32_t lengthLimit;
    uint32_t multiLine = 0;

    // State of one EditModal call.
    HWND parentWindow = nullptr;
    CNWControlSite* liveSite = nullptr;
    CCellSpinCtrl spin;
    bool endedByOtherWindow = false;
    bool windowGone = false;
    bool focusLostDuringLiveUpdate = false;
};
