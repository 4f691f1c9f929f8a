// The link to the plug-in's HTML Help file. HTML Help is reached at run time through the help
// control library, so that a system without it (or without the file) simply gets no help.
// [ui thread]
#pragma once

#include <string>

#include "controls/win/Win32.h"

class HelpLink {
public:
    HelpLink() = default;
    HelpLink(const HelpLink&) = delete;
    HelpLink& operator=(const HelpLink&) = delete;

    // A `name` without "\" or "/" is a file in the module's folder; otherwise it is the path.
    // Initialises HTML Help; true when it handed out a cookie. An empty name fails and leaves
    // the link empty.
    bool Init(HMODULE module, HWND owner, const std::wstring& name);
    // Shows the file with the HTML Help command for `command` (1 contents, 2 index, 3 search,
    // 8 context, 10 and 12 the two popups; any other code the default topic). E_INVALIDARG
    // without a cookie or a path, E_FAIL when no help window came up.
    HRESULT Open(UINT command);
    // Uninitialises HTML Help when it was initialised.
    void Close();

    const std::wstring& GetPath() const { return path; }
    DWORD_PTR GetCookie() const { return cookie; }

    // The help folder the installer records for all of the company's plug-ins, or an empty
    // string when the key or the value is missing.
    static std::wstring InstallDirectory();

private:
    std::wstring path;
    HWND owner = nullptr;
    DWORD_PTR cookie = 0;
};
