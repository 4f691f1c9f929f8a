#include "controls/win/Window.h"

#include "controls/win/ResourceModule.h"

#include <unordered_map>

namespace {

// Window handle to object. UI thread only; the toolkit has one user-interface thread.
std::unordered_map<HWND, CWindow*>& Objects() {
    static std::unordered_map<HWND, CWindow*> objects;
    return objects;
}

}  // namespace

CWindow::~CWindow() {
    if (IsWindow()) {
        ::DestroyWindow(hwnd);
    }
    Detach();
}

CWindow* CWindow::FromHandle(HWND window) {
    auto found = Objects().find(window);
    return found == Objects().end() ? nullptr : found->second;
}

const wchar_t* CWindow::OwnClassName() {
    static const wchar_t* name = [] {
        WNDCLASSEXW windowClass = {};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &CWindow::StaticProc;
        windowClass.hInstance = CResourceModule::Get();
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.lpszClassName = L"ArpToolkitWindow";
        RegisterClassExW(&windowClass);
        return windowClass.lpszClassName;
    }();
    return name;
}

bool CWindow::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                       const RECT& rect, HWND parent, UINT_PTR idOrMenu) {
    if (hwnd) {
        return false;
    }
    const bool ownClass = className == nullptr;
    HWND created = CreateWindowExW(
        exStyle, ownClass ? OwnClassName() : className, title, style, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(idOrMenu),
        CResourceModule::Get(), ownClass ? this : nullptr);
    if (!created) {
        return false;
    }
    return ownClass ? true : Subclass(created);
}

bool CWindow::Subclass(HWND window) {
    if (hwnd || !window || FromHandle(window)) {
        return false;
    }
    auto previousProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindow::StaticProc)));
    Attach(window, previousProc);
    return true;
}

bool CWindow::DestroyWindow() { return hwnd && ::DestroyWindow(hwnd); }

bool CWindow::MoveWindow(const RECT& rect, bool repaint) {
    return ::MoveWindow(hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                        repaint) != 0;
}

RECT CWindow::GetClientRect() const {
    RECT rect = {};
    ::GetClientRect(hwnd, &rect);
    return rect;
}

LRESULT CWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Default(message, wParam, lParam);
}

LRESULT CWindow::Default(UINT message, WPARAM wParam, LPARAM lParam) {
    return previous ? CallWindowProcW(previous, hwnd, message, wParam, lParam)
                    : DefWindowProcW(hwnd, message, wParam, lParam);
}

void CWindow::Attach(HWND window, WNDPROC previousProc) {
    hwnd = window;
    previous = previousProc;
    Objects()[window] = this;
}

void CWindow::Detach() {
    if (hwnd) {
        Objects().erase(hwnd);
    }
    hwnd = nullptr;
    previous = nullptr;
}

LRESULT CALLBACK CWindow::StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CWindow* object = FromHandle(window);
    if (!object && message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        object = static_cast<CWindow*>(create->lpCreateParams);
        if (object) {
            object->Attach(window, nullptr);
        }
    }
    if (!object) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const LRESULT result = object->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        object->Detach();
        object->PostNcDestroy();
    }
    return result;
}
