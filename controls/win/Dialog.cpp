#include "controls/win/Dialog.h"

#include "controls/win/ResourceModule.h"

bool CDialog::Create(HWND parent) {
    if (GetSafeHwnd()) {
        return false;
    }
    return CreateDialogParamW(CResourceModule::Get(), MAKEINTRESOURCEW(templateId), parent,
                              &CDialog::DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

BOOL CDialog::OnCommand(WPARAM, LPARAM) { return FALSE; }

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && OnCommand(wParam, lParam)) {
        return 0;
    }
    return Default(message, wParam, lParam);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_INITDIALOG) {
        return FALSE;
    }
    auto* dialog = reinterpret_cast<CDialog*>(lParam);
    if (!dialog || !dialog->Subclass(window)) {
        return TRUE;
    }
    return dialog->OnInitDialog();
}
