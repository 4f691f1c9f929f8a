#include "controls/NWAccessibility.h"

#include <oleauto.h>

#include "controls/NWControl.h"
#include "controls/NWControlSite.h"

namespace {

INWProviderFactory* factory = nullptr;

// The automation core's entry points, loaded once; the library stays for the process.
struct AutomationCore {
    using ClientsAreListening = BOOL(WINAPI*)();
    using RaiseEvent = HRESULT(WINAPI*)(IRawElementProviderSimple*, EVENTID);
    using RaisePropertyChanged = HRESULT(WINAPI*)(IRawElementProviderSimple*, PROPERTYID, VARIANT,
                                                  VARIANT);
    using ReturnRaw = LRESULT(WINAPI*)(HWND, WPARAM, LPARAM, IRawElementProviderSimple*);

    ClientsAreListening clientsAreListening = nullptr;
    RaiseEvent raiseEvent = nullptr;
    RaisePropertyChanged raisePropertyChanged = nullptr;
    ReturnRaw returnRaw = nullptr;
};

template <typename Function>
Function Entry(HMODULE library, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

const AutomationCore* loadedCore = nullptr;

const AutomationCore& Core() {
    if (!loadedCore) {
        auto* core = new AutomationCore();
        if (HMODULE library =
                LoadLibraryExW(L"uiautomationcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32)) {
            core->clientsAreListening =
                Entry<AutomationCore::ClientsAreListening>(library, "UiaClientsAreListening");
            core->raiseEvent =
                Entry<AutomationCore::RaiseEvent>(library, "UiaRaiseAutomationEvent");
            core->raisePropertyChanged = Entry<AutomationCore::RaisePropertyChanged>(
                library, "UiaRaiseAutomationPropertyChangedEvent");
            core->returnRaw =
                Entry<AutomationCore::ReturnRaw>(library, "UiaReturnRawElementProvider");
        }
        loadedCore = core;
    }
    return *loadedCore;
}

constexpr PROPERTYID kValueValuePropertyId = 30045;
constexpr EVENTID kFocusChangedEventId = 20005;

}  // namespace

void CNWAccessibility::SwitchOn(INWProviderFactory* providers) { factory = providers; }

void CNWAccessibility::SwitchOff() { factory = nullptr; }

bool CNWAccessibility::IsOn() { return factory != nullptr; }

INWProviderFactory* CNWAccessibility::Factory() { return factory; }

bool CNWAccessibility::ClientsListening() {
    return IsOn() && Core().clientsAreListening && Core().clientsAreListening();
}

void CNWAccessibility::RaiseValueChanged(IRawElementProviderSimple* provider,
                                         const std::wstring& text) {
    if (!provider || !ClientsListening() || !Core().raisePropertyChanged) {
        return;
    }
    VARIANT before;
    VariantInit(&before);
    VARIANT after;
    VariantInit(&after);
    after.vt = VT_BSTR;
    after.bstrVal = SysAllocString(text.c_str());
    Core().raisePropertyChanged(provider, kValueValuePropertyId, before, after);
    VariantClear(&after);
}

void CNWAccessibility::RaiseFocusChanged(IRawElementProviderSimple* provider) {
    if (provider && ClientsListening() && Core().raiseEvent) {
        Core().raiseEvent(provider, kFocusChangedEventId);
    }
}

LRESULT CNWAccessibility::ReturnProvider(HWND window, WPARAM wParam, LPARAM lParam,
                                         IRawElementProviderSimple* provider) {
    return Core().returnRaw ? Core().returnRaw(window, wParam, lParam, provider) : 0;
}

void CNWAccessibility::ReleaseWindowProviders(HWND window) {
    if (loadedCore && loadedCore->returnRaw) {
        loadedCore->returnRaw(window, 0, 0, nullptr);
    }
}

void CNWAccessibility::NotifyControlEvent(DWORD event, const CNWControl& control) {
    const CNWControlSite& site = control.GetSite();
    if (!site.HasKeyboard()) {
        return;
    }
    // A focus event names the window that really has the focus (readers check), which hands
    // WM_GETOBJECT on to the host window; the other events name the host window itself.
    HWND keyboard = site.GetKeyboardHandle();
    HWND window = event == EVENT_OBJECT_FOCUS && keyboard ? keyboard : site.GetHostHandle();
    const long child = site.ChildIdOf(&control);
    if (window && child != 0) {
        NotifyWinEvent(event, window, OBJID_CLIENT, child);
    }
}
