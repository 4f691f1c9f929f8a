#include "controls/NWSiteRegistry.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "controls/NWAccessibility.h"
#include "controls/NWControlSite.h"
#include "controls/NWSiteAccessible.h"

namespace {

// The object id with which UI Automation asks a window for its root provider.
constexpr LONG kUiaRootObjectId = -25;

struct HookEntry {
    WNDPROC previous;
    std::vector<CNWControlSite*> sites;
};

std::set<const CNWControlSite*>& LiveSites() {
    static std::set<const CNWControlSite*> sites;
    return sites;
}

std::map<HWND, HookEntry>& Hooks() {
    static std::map<HWND, HookEntry> hooks;
    return hooks;
}

// The entry's sites that are still registered, copied: a handler may change the entry.
std::vector<CNWControlSite*> LiveSitesOf(const HookEntry& entry) {
    std::vector<CNWControlSite*> sites;
    for (CNWControlSite* site : entry.sites) {
        if (CNWSiteRegistry::IsRegistered(site)) {
            sites.push_back(site);
        }
    }
    return sites;
}

// The messages the hook handles before the host window sees them.
bool IsHookedMessage(UINT message, LPARAM lParam) {
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        return header && header->code == TTN_GETDISPINFOW;
    }
    return message == WM_GETOBJECT || message == WM_DESTROY || message == WM_NCDESTROY ||
           message == WM_MOUSEWHEEL || message == nwaccessible::ActionMessage();
}

}  // namespace

void CNWSiteRegistry::Register(CNWControlSite* site) { LiveSites().insert(site); }

void CNWSiteRegistry::Unregister(CNWControlSite* site) {
    LiveSites().erase(site);
    for (auto& [window, entry] : Hooks()) {
        std::erase(entry.sites, site);
    }
}

bool CNWSiteRegistry::IsRegistered(const CNWControlSite* site) {
    return LiveSites().count(site) != 0;
}

void CNWSiteRegistry::HookWindow(HWND window, CNWControlSite* site) {
    auto found = Hooks().find(window);
    if (found != Hooks().end()) {
        if (std::find(found->second.sites.begin(), found->second.sites.end(), site) ==
            found->second.sites.end()) {
            found->second.sites.push_back(site);
        }
        return;
    }
    auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CNWSiteRegistry::HookProc)));
    Hooks()[window] = HookEntry{previous, {site}};
}

bool CNWSiteRegistry::IsHooked(HWND window) { return Hooks().count(window) != 0; }

bool CNWSiteRegistry::IsHookedFor(HWND window, const CNWControlSite* site) {
    auto found = Hooks().find(window);
    return found != Hooks().end() &&
           std::find(found->second.sites.begin(), found->second.sites.end(), site) !=
               found->second.sites.end();
}

CNWControlSite* CNWSiteRegistry::FirstSiteOf(HWND window) {
    auto found = Hooks().find(window);
    if (found == Hooks().end()) {
        return nullptr;
    }
    for (CNWControlSite* site : found->second.sites) {
        if (IsRegistered(site)) {
            return site;
        }
    }
    return nullptr;
}

LRESULT CALLBACK CNWSiteRegistry::HookProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    auto found = Hooks().find(window);
    if (found == Hooks().end()) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    const WNDPROC previous = found->second.previous;
    // Every other message passes straight on: the copy below allocates, and mouse moves and
    // paints must not (a slider drag sends both by the thousand).
    if (!IsHookedMessage(message, lParam)) {
        return CallWindowProcW(previous, window, message, wParam, lParam);
    }
    const std::vector<CNWControlSite*> sites = LiveSitesOf(found->second);
    switch (message) {
        case WM_GETOBJECT:
            // UI Automation's root only while its providers are switched on. They stay off:
            // screen readers reach the controls through the Active Accessibility object below
            // (NWSiteAccessible.h says why).
            if (CNWAccessibility::IsOn() && static_cast<LONG>(lParam) == kUiaRootObjectId &&
                !sites.empty()) {
                if (IRawElementProviderSimple* provider = sites.front()->GetSiteProvider()) {
                    return CNWAccessibility::ReturnProvider(window, wParam, lParam, provider);
                }
            }
            // Active Accessibility's client object, for sites with a keyboard.
            if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
                if (const LRESULT answer = nwaccessible::AnswerClientObject(window, wParam)) {
                    return answer;
                }
            }
            break;
        case WM_MOUSEWHEEL:
            // Windows sends the wheel to the window under the pointer or to the focus window;
            // either way it goes to the control under the pointer.
            for (CNWControlSite* site : sites) {
                if (site->RouteWheel(wParam, lParam)) {
                    return 0;
                }
            }
            break;
        case WM_NOTIFY: {
            // The site's tooltip asks its owner, the host window, for a control's text; the
            // host's own message handling never needs to know.
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            if (header && header->code == TTN_GETDISPINFOW) {
                for (CNWControlSite* site : sites) {
                    if (site->AnswerTooltipText(*reinterpret_cast<NMTTDISPINFOW*>(header))) {
                        return 0;
                    }
                }
            }
            break;
        }
        case WM_DESTROY:
            for (CNWControlSite* site : sites) {
                site->ReleaseHostWindow();
            }
            break;
        case WM_NCDESTROY:
            Hooks().erase(found);
            break;
        default:
            if (message == nwaccessible::ActionMessage() && !sites.empty()) {
                nwaccessible::RunAction(*sites.front(), wParam);
                return 0;
            }
            break;
    }
    return CallWindowProcW(previous, window, message, wParam, lParam);
}
