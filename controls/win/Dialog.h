// A modeless dialog window built from a dialog template in the resource module. The window
// object is attached while WM_INITDIALOG is handled, so every later message reaches
// WindowProc, and the dialog manager's own handling stays behind it as the default.
// [ui thread]
#pragma once

#include "controls/win/Window.h"

class CDialog : public CWindow {
public:
    explicit CDialog(UINT dialogTemplate) : templateId(dialogTemplate) {}

    // Creates the window from the template (runs OnInitDialog before it returns).
    bool Create(HWND parent);
    UINT GetTemplateId() const { return templateId; }

protected:
    // TRUE lets the system give the focus to the first control.
    virtual BOOL OnInitDialog() { return TRUE; }
    // TRUE when the command was handled; FALSE passes it to the dialog manager.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT templateId;
};
