// The real pointer and keyboard, the waits that go with them, and the input device a slider
// is told of.
#include "guisupport/RealInput.h"

#include <utility>
#include <vector>

namespace realinput {
namespace {

struct NamedKey {
    const wchar_t* name;
    WORD key;
};
constexpr NamedKey kNamedKeys[] = {
    {L"Enter", VK_RETURN},
    {L"Esc", VK_ESCAPE},
    {L"Tab", VK_TAB},
    {L"Up", VK_UP},
    {L"Down", VK_DOWN},
    {L"Left", VK_LEFT},
    {L"Right", VK_RIGHT},
    {L"Home", VK_HOME},
    {L"End", VK_END},
    {L"Back", VK_BACK},
    {L"Add", VK_ADD},
    {L"F4", VK_F4},
    {L"F5", VK_F5},
    {L"Subtract", VK_SUBTRACT},
    {L"Minus", VK_OEM_MINUS},
    {L"Equals", VK_OEM_PLUS},
    {L"Z", 'Z'},
};
constexpr NamedKey kModifiers[] = {
    {L"Shift+", VK_SHIFT}, {L"Ctrl+", VK_CONTROL}, {L"Alt+", VK_MENU}};

INPUT KeyInput(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Modifiers down, the key down and up, modifiers up.
void Chord(const std::vector<WORD>& modifiers, WORD key) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(KeyInput(modifier, false));
    inputs.push_back(KeyInput(key, false));
    inputs.push_back(KeyInput(key, true));
    for (auto it = modifiers.rbegin(); it != modifiers.rend(); ++it) {
        inputs.push_back(KeyInput(*it, true));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void NamedChord(std::wstring name) {
    std::vector<WORD> modifiers;
    for (bool found = true; found;) {
        found = false;
        for (const NamedKey& modifier : kModifiers) {
            if (name.rfind(modifier.name, 0) == 0) {
                modifiers.push_back(modifier.key);
                name.erase(0, wcslen(modifier.name));
                found = true;
            }
        }
    }
    for (const NamedKey& named : kNamedKeys) {
        if (name == named.name) Chord(modifiers, named.key);
    }
}

void Character(wchar_t ch) {
    const SHORT scan = VkKeyScanW(ch);
    std::vector<WORD> modifiers;
    if (scan & 0x100) modifiers.push_back(VK_SHIFT);
    Chord(modifiers, static_cast<WORD>(scan & 0xFF));
}

}  // namespace

void Keys(const std::wstring& keys) {
    for (size_t at = 0; at < keys.size(); ++at) {
        if (keys[at] != L'{') {
            Character(keys[at]);
            continue;
        }
        const size_t close = keys.find(L'}', at);
        NamedChord(keys.substr(at + 1, close - at - 1));
        at = close;
    }
}

// Absolute coordinates are 1/65536 of the screen; rounding up lands on the pixel itself
// under Windows' and Wine's truncating conversion back.
void SendMove(POINT screen, DWORD buttons) {
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (screen.x * 65536 + width - 1) / width;
    input.mi.dy = (screen.y * 65536 + height - 1) / height;
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    SendInput(1, &input, sizeof(input));
}

void Click(POINT screen) {
    MoveTo(screen);
    Press(screen);
    Release(screen);
}

POINT CursorPos() {
    POINT cursor = {};
    GetCursorPos(&cursor);
    return cursor;
}

bool IsAt(POINT screen) {
    const POINT cursor = CursorPos();
    return cursor.x == screen.x && cursor.y == screen.y;
}

void PumpPending() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool WaitUntil(const std::function<bool()>& done, DWORD limitMs) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > limitMs) return false;
        Sleep(5);
    }
    return true;
}

bool Activate(HWND window) {
    SetForegroundWindow(window);
    return PumpUntil([window] { return GetForegroundWindow() == window; }, 2000);
}

}  // namespace realinput

namespace {

INPUT_MESSAGE_DEVICE_TYPE reportedDevice = IMDT_UNAVAILABLE;

BOOL WINAPI ReportDevice(INPUT_MESSAGE_SOURCE* source) {
    source->deviceType = reportedDevice;
    source->originId = IMO_HARDWARE;
    return TRUE;
}

}  // namespace

InputSourceOverride::InputSourceOverride(INPUT_MESSAGE_DEVICE_TYPE device, bool present) {
    reportedDevice = device;
    CNWInputSource::ReplaceQuery(present ? ReportDevice : nullptr);
}
