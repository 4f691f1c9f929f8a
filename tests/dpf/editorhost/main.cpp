// editorhost: the VST3 or CLAP plug-in's editor in a window of a host's own, as a host shows
// it (Windows only, under Wine in the tests).
//
//   editorhost --format vst3|clap --cycle N
//       opens and closes the editor N times after one warm-up, pumping messages in between,
//       and fails when the process's GDI or USER objects or its windows grew.
//   editorhost --format vst3|clap [--set FIELD=VALUE]...
//       sets the settings through the format's parameters, opens the editor, prints where the
//       page and the host's OK button lie on the screen ("page L T R B", "ok L T R B") and
//       "shown", as pagehost does for the e2e driver; after OK, every setting read back
//       through the parameters as FIELD=VALUE. Fails when the editor's gestures were wrong.
//
// Exit codes: 0 done, 1 failed, 2 a bad command line.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "FormatHost.h"
#include "ParameterTable.h"
#include "Ports.h"
#include "guisupport/RealInput.h"

namespace {

constexpr int kPageWidth = 670;
constexpr int kPageHeight = 169;
constexpr int kButtonStrip = 40;
constexpr int kOkId = 1;
constexpr UINT_PTR kIdleTimer = 1;

struct Options {
    std::string format;
    int cycles = 0;
    std::vector<std::pair<uint32_t, int32_t>> settings;
};

bool Parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--format" && hasValue) {
            options.format = argv[++i];
        } else if (arg == "--cycle" && hasValue) {
            options.cycles = std::atoi(argv[++i]);
        } else if (arg == "--set" && hasValue) {
            const std::string set = argv[++i];
            const size_t equals = set.find('=');
            const auto ports = ControlPorts();
            uint32_t index = 0;
            while (index < ports.size() && ports[index].symbol != set.substr(0, equals)) ++index;
            if (equals == std::string::npos || index == ports.size()) return false;
            options.settings.emplace_back(index, std::atoi(set.c_str() + equals + 1));
        } else if (arg != "--report-windows" && arg != "--print") {
            // pagehost's reporting switches: this program always reports.
            return false;
        }
    }
    return options.format == "vst3" || options.format == "clap";
}

FormatEditor* idleEditor = nullptr;

LRESULT CALLBACK HostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (idleEditor != nullptr) idleEditor->Idle();
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kOkId) PostQuitMessage(0);
            return 0;
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

// The host's window: the editor's area on top, the OK button below it.
HWND MakeHostWindow(HWND& ok) {
    const WNDCLASSW windowClass{0,
                                HostProc,
                                0,
                                0,
                                GetModuleHandleW(nullptr),
                                nullptr,
                                LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)),
                                reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                                nullptr,
                                L"ArpEditorHost"};
    RegisterClassW(&windowClass);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, kPageWidth, kPageHeight + kButtonStrip};
    AdjustWindowRect(&frame, style, FALSE);
    HWND window = CreateWindowW(L"ArpEditorHost", L"editorhost", style | WS_VISIBLE, 40, 40,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
    ok = CreateWindowW(L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, kPageWidth - 90,
                       kPageHeight + 8, 80, 24, window,
                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(kOkId)),
                       GetModuleHandleW(nullptr), nullptr);
    return window;
}

void PrintRect(const char* name, HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%s %ld %ld %ld %ld\n", name, rect.left, rect.top, rect.right, rect.bottom);
}

// The editor's window: the host window's child that is not the OK button.
HWND PageOf(HWND window, HWND ok) {
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (child != ok) return child;
    }
    return nullptr;
}

// --- Cycles

struct Resources {
    size_t gdi;
    DWORD user;  // Wine's GetGuiResources answers 0: there the windows stand in
    size_t windows;
};

Resources Measure() {
    return {LiveGdiObjects(), GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS),
            ProcessWindows()};
}

// False when the editor did not open or made no window.
bool OpenAndClose(FormatEditor& editor, HWND window, HWND ok) {
    if (!editor.Open(window)) return false;
    realinput::PumpPending();
    if (PageOf(window, ok) == nullptr) return false;
    editor.Idle();
    realinput::PumpPending();
    editor.Close();
    realinput::PumpPending();
    return true;
}

int Cycle(FormatEditor& editor, HWND window, HWND ok, int cycles) {
    if (!OpenAndClose(editor, window, ok)) return std::fputs("no editor\n", stderr), 1;
    const Resources before = Measure();
    for (int i = 0; i < cycles; ++i) {
        if (!OpenAndClose(editor, window, ok)) return std::fputs("no editor\n", stderr), 1;
    }
    const Resources after = Measure();
    std::printf("before gdi=%zu user=%lu windows=%zu\nafter gdi=%zu user=%lu windows=%zu\n",
                before.gdi, before.user, before.windows, after.gdi, after.user, after.windows);
    if (after.gdi > before.gdi || after.user > before.user || after.windows > before.windows) {
        std::fprintf(stderr, "%d opens of the editor leaked\n", cycles);
        return 1;
    }
    return 0;
}

// --- The e2e driver's session

int Session(FormatHost& host, HWND window, HWND ok) {
    FormatEditor& editor = host.Editor();
    if (!editor.Open(window)) return std::fputs("no editor\n", stderr), 1;
    realinput::PumpPending();
    const HWND page = PageOf(window, ok);
    if (page == nullptr) return std::fputs("the editor made no window\n", stderr), 1;
    UpdateWindow(window);
    PrintRect("page", page);
    PrintRect("ok", ok);
    std::puts("shown");
    std::fflush(stdout);
    idleEditor = &editor;
    SetTimer(window, kIdleTimer, 16, nullptr);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    KillTimer(window, kIdleTimer);
    idleEditor = nullptr;
    editor.Close();
    const auto ports = ControlPorts();
    for (uint32_t index = 0; index < ports.size(); ++index) {
        const auto setting = dpfparams::SettingFromValue(
            index, static_cast<float>(host.Parameter(dpfparams::ParameterOf(index))));
        std::printf("%.*s=%d\n", static_cast<int>(ports[index].symbol.size()),
                    ports[index].symbol.data(), setting);
    }
    std::printf("gestures %u\n", editor.Gestures().Count());
    if (!editor.Gestures().Error().empty()) {
        std::fprintf(stderr, "gestures: %s\n", editor.Gestures().Error().c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        std::fputs("usage: editorhost --format vst3|clap [--cycle N | --set FIELD=VALUE...]\n",
                   stderr);
        return 2;
    }
    const std::unique_ptr<FormatHost> host =
        options.format == "vst3" ? LoadVst3(48000.0, 512) : LoadClap(48000.0, 512);
    if (!host->Loaded()) return std::fputs("the plug-in did not load\n", stderr), 1;
    for (const auto& [index, setting] : options.settings)
        host->SetParameter(dpfparams::ParameterOf(index),
                           dpfparams::ValueFromSetting(index, setting));
    std::vector<BlockMidi> ignored;
    host->Run(1, {false, 120.0, 0}, {}, ignored);

    HWND ok = nullptr;
    const HWND window = MakeHostWindow(ok);
    const int result = options.cycles > 0 ? Cycle(host->Editor(), window, ok, options.cycles)
                                          : Session(*host, window, ok);
    DestroyWindow(window);
    return result;
}
