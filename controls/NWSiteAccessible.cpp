#include "controls/NWSiteAccessible.h"

#include <algorithm>
#include <atomic>
#include <string>

#include "controls/NWControl.h"
#include "controls/NWControlSite.h"
#include "controls/NWDropDownCtrl.h"
#include "controls/NWEditControl.h"
#include "controls/NWMinMaxSlider.h"
#include "controls/NWSiteRegistry.h"
#include "controls/NWSliderCtrl.h"
#include "controls/NWToggleControl.h"

#include <oleauto.h>

namespace {

class SiteAccessible final : public IAccessible {
public:
    explicit SiteAccessible(HWND host) : window(host) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override {
        const ULONG left = --references;
        if (left == 0) delete this;
        return left;
    }

    // IDispatch: readers call IAccessible directly; late binding is not offered.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (parent == nullptr) return E_POINTER;
        return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (count == nullptr) return E_POINTER;
        CNWControlSite* site = Site();
        if (!site) return RPC_E_DISCONNECTED;
        *count = static_cast<long>(site->GetControls().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (object == nullptr) return E_POINTER;
        *object = nullptr;
        CNWControl* control = nullptr;
        const HRESULT found = Resolve(child, control);
        return FAILED(found) ? found : (control ? S_FALSE : E_INVALIDARG);
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return Text(child, name, [](CNWControlSite& site, CNWControl* control, std::wstring& text) {
            site.GetAccessibleName(control, text);
        });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return Text(child, value,
                    [](CNWControlSite& site, CNWControl* control, std::wstring& text) {
                        if (control) site.GetAccessibleValue(control, text);
                    });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
        return NoText(text);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return Number(child, role, [](CNWControlSite& site, CNWControl* control) {
            return control ? site.GetAccessibleRole(control) : ROLE_SYSTEM_CLIENT;
        });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return Number(child, state, [](CNWControlSite& site, CNWControl* control) {
            return control ? StateOf(site, *control) : long{STATE_SYSTEM_FOCUSABLE};
        });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return NoText(text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (topic) *topic = 0;
        return NoText(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override {
        return NoText(text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (focus == nullptr) return E_POINTER;
        VariantInit(focus);
        CNWControlSite* site = Site();
        if (!site) return RPC_E_DISCONNECTED;
        if (site->HasKeyboardFocus()) {
            const long child = site->ChildIdOf(site->GetCapturedControl());
            focus->vt = VT_I4;
            focus->lVal = child != 0 ? child : CHILDID_SELF;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection == nullptr) return E_POINTER;
        VariantInit(selection);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return Text(child, action, [](CNWControlSite&, CNWControl* control, std::wstring& text) {
            if (control) text = ActionName(*control);
        });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        CNWControl* control = nullptr;
        const HRESULT found = Resolve(child, control);
        if (FAILED(found)) return found;
        if (!control || (flags & SELFLAG_TAKEFOCUS) == 0) return E_INVALIDARG;
        Site()->TakeKeyboardFocus();
        Site()->SetKeyboardControl(control);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        CNWControl* control = nullptr;
        const HRESULT found = Resolve(child, control);
        if (FAILED(found)) return found;
        RECT rect = {};
        if (control) {
            rect = control->GetRect();
        } else {
            GetClientRect(window, &rect);
        }
        POINT corner = {rect.left, rect.top};
        ::ClientToScreen(window, &corner);
        *left = corner.x;
        *top = corner.y;
        *width = rect.right - rect.left;
        *height = rect.bottom - rect.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (end == nullptr) return E_POINTER;
        VariantInit(end);
        CNWControl* control = nullptr;
        const HRESULT found = Resolve(start, control);
        if (FAILED(found)) return found;
        const long count = static_cast<long>(Site()->GetControls().size());
        const long from = control ? Site()->ChildIdOf(control) : 0;
        long to = 0;
        if (direction == NAVDIR_FIRSTCHILD && !control) to = 1;
        if (direction == NAVDIR_LASTCHILD && !control) to = count;
        if ((direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) && control) to = from + 1;
        if ((direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) && control) to = from - 1;
        if (to < 1 || to > count) return S_FALSE;
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (hit == nullptr) return E_POINTER;
        VariantInit(hit);
        CNWControlSite* site = Site();
        if (!site) return RPC_E_DISCONNECTED;
        POINT point = {x, y};
        ::ScreenToClient(window, &point);
        RECT client = {};
        GetClientRect(window, &client);
        if (!PtInRect(&client, point)) return S_FALSE;
        hit->vt = VT_I4;
        hit->lVal = site->ChildIdOf(site->ControlFromPoint(point));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        CNWControl* control = nullptr;
        const HRESULT found = Resolve(child, control);
        if (FAILED(found)) return found;
        if (!control) return DISP_E_MEMBERNOTFOUND;
        Site()->PostAction(control);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    // A value the host refuses (out of its limits, not a number, a control without values)
    // answers E_INVALIDARG and changes nothing.
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
        CNWControl* control = nullptr;
        const HRESULT found = Resolve(child, control);
        if (FAILED(found)) return found;
        if (!control) return E_INVALIDARG;
        const std::wstring text = value ? std::wstring(value, SysStringLen(value)) : L"";
        return Site()->SetAccessibleValue(control, text) ? S_OK : E_INVALIDARG;
    }

private:
    ~SiteAccessible() = default;

    CNWControlSite* Site() const { return CNWSiteRegistry::FirstSiteOf(window); }

    // The child's control, null for the site itself (CHILDID_SELF).
    HRESULT Resolve(const VARIANT& child, CNWControl*& control) const {
        CNWControlSite* site = Site();
        if (!site) return RPC_E_DISCONNECTED;
        if (child.vt != VT_I4) return E_INVALIDARG;
        if (child.lVal == CHILDID_SELF) {
            control = nullptr;
            return S_OK;
        }
        control = site->ControlFromChildId(child.lVal);
        return control ? S_OK : E_INVALIDARG;
    }

    template <typename Fill>
    HRESULT Text(const VARIANT& child, BSTR* out, Fill fill) const {
        if (out == nullptr) return E_POINTER;
        *out = nullptr;
        CNWControl* control = nullptr;
        const HRESULT found = Resolve(child, control);
        if (FAILED(found)) return found;
        std::wstring text;
        fill(*Site(), control, text);
        if (text.empty()) return S_FALSE;
        *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
        return *out ? S_OK : E_OUTOFMEMORY;
    }

    template <typename Compute>
    HRESULT Number(const VARIANT& child, VARIANT* out, Compute compute) const {
        if (out == nullptr) return E_POINTER;
        VariantInit(out);
        CNWControl* control = nullptr;
        const HRESULT found = Resolve(child, control);
        if (FAILED(found)) return found;
        out->vt = VT_I4;
        out->lVal = compute(*Site(), control);
        return S_OK;
    }

    static HRESULT NoText(BSTR* out) {
        if (out) *out = nullptr;
        return DISP_E_MEMBERNOTFOUND;
    }

    static long StateOf(const CNWControlSite& site, CNWControl& control) {
        long state = 0;
        const auto& stops = site.GetTabControls();
        if (std::find(stops.begin(), stops.end(), &control) != stops.end()) {
            state |= STATE_SYSTEM_FOCUSABLE;
        }
        if (&control == site.GetCapturedControl() && site.HasKeyboardFocus()) {
            state |= STATE_SYSTEM_FOCUSED;
        }
        if (!control.IsEnabled()) state |= STATE_SYSTEM_UNAVAILABLE;
        if (!control.IsVisible()) state |= STATE_SYSTEM_INVISIBLE;
        if (dynamic_cast<CNWToggleControl*>(&control) &&
            control.GetValue() >= (control.GetMin() + control.GetMax()) * 0.5) {
            state |= STATE_SYSTEM_CHECKED | STATE_SYSTEM_PRESSED;
        }
        if (dynamic_cast<CNWDropDownCtrl*>(&control)) {
            state |= STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_COLLAPSED;
        }
        return state;
    }

    static std::wstring ActionName(CNWControl& control) {
        if (dynamic_cast<CNWToggleControl*>(&control)) return L"Toggle";
        if (dynamic_cast<CNWDropDownCtrl*>(&control)) return L"Open";
        if (dynamic_cast<CNWEditControl*>(&control)) return L"Edit";
        return L"";
    }

    HWND window;
    std::atomic<ULONG> references{1};
};

}  // namespace

long CNWControlSite::GetAccessibleRole(CNWControl* control) {
    if (dynamic_cast<CNWToggleControl*>(control)) return ROLE_SYSTEM_CHECKBUTTON;
    if (dynamic_cast<CNWDropDownCtrl*>(control)) return ROLE_SYSTEM_COMBOBOX;
    if (dynamic_cast<CNWSliderCtrl*>(control) || dynamic_cast<CNWMinMaxSlider*>(control)) {
        return ROLE_SYSTEM_SLIDER;
    }
    if (dynamic_cast<CNWEditControl*>(control)) return ROLE_SYSTEM_TEXT;
    return ROLE_SYSTEM_CLIENT;
}

namespace nwaccessible {

LRESULT AnswerClientObject(HWND window, WPARAM wParam) {
    CNWControlSite* site = CNWSiteRegistry::FirstSiteOf(window);
    if (!site || !site->HasKeyboard()) return 0;
    auto* object = new SiteAccessible(window);
    const LRESULT answer = LresultFromObject(__uuidof(IAccessible), wParam, object);
    object->Release();
    return answer;
}

UINT ActionMessage() {
    static const UINT message =
        RegisterWindowMessageW(L"UWM_UIPROVIDER_ACTION_-{77B159D4-0556-4237-8D9D-B3C2456A793B}");
    return message;
}

void RunAction(CNWControlSite& site, WPARAM childId) {
    if (CNWControl* control = site.ControlFromChildId(static_cast<long>(childId))) {
        control->DoAction(7);
    }
}

}  // namespace nwaccessible
