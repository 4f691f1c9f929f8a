// The editor page of one filter object: a COM property page that the host shows inside its own
// frame, a dialog window (template 102) and the toolkit site of the page's 19 windowless
// controls. Every edit goes straight into the bound filter's parameter block under the
// filter's lock; there is no apply step.
//
// The object is split over several files: the object and its COM faces (PropPageObject.cpp,
// PropPageCom.cpp), the window's messages (PropPageWindow.cpp), the controls' creation and
// layout (PropPageControls.cpp), values to and from the parameter block (PropPageValues.cpp,
// PropPageChanges.cpp), typed numbers, menus and units (PropPageEdits.cpp, PropPageMenus.cpp)
// and painting (PagePaint.cpp).
//
// [ui thread] throughout, except where an operation says otherwise: the host may count
// references from any thread, and the engine reaches the page only through `link`.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "controls/NWControlSite.h"
#include "controls/NWControlStyle.h"
#include "controls/win/Dialog.h"
#include "editor/HelpLink.h"
#include "engine/ArpeggiatorParams.h"
#include "engine/EditorPageLink.h"
#include "platform/AtomicCounter.h"

class CArpeggiator;
class CNWDropDownCtrl;
class CNWEditControl;
class CNWMinMaxSlider;
class CNWMultiBtn;
class CNWSliderCtrl;

class CArpeggiatorPropPage : public CDialog, public IPropertyPage, public CNWControlSite {
public:
    // Command ids of the two drop-downs' menu items.
    static constexpr UINT kFirstPathCommand = 32771;   // to 32774, pathDirection 0 to 3
    static constexpr UINT kFirstUnitsCommand = 32775;  // to 32777, rateUnits 0 to 2

    // Counts the page in liveObjectCount, loads the skin, makes the font and the 19 controls
    // and prepares help. The count starts at 1: the factory hands out that reference.
    CArpeggiatorPropPage();
    CArpeggiatorPropPage(const CArpeggiatorPropPage&) = delete;
    CArpeggiatorPropPage& operator=(const CArpeggiatorPropPage&) = delete;

    // IUnknown, on the IPropertyPage face. [any thread]
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IPropertyPage (PropPageCom.cpp)
    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT command) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR directory) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* message) override;

    // CNWControlSite
    void SetSiteName() override;
    void InvalidateHost() override;
    void ClientToScreen(POINT& point) const override;
    void ScreenToClient(POINT& point) const override;
    CWindow* GetHostWnd() const override;
    void LayoutControls() override;
    uint32_t GetBackgroundColor() const override { return 0xFFFFFFFF; }
    uint32_t GetForegroundColor() const override { return 0xFFFFFFFF; }
    void OnSiteHook() override {}
    void OnControlMenu(CNWControl* control, UINT flags, CMenu& menu) override;
    void OnControlAction(CNWControl* control, UINT keyFlags) override;
    void UpdateControl(CNWControl* control) override;
    void OnValueChanged(CNWControl* control) override;
    void GetValueText(CNWControl* control, std::wstring& text, int reason) override;
    void OnSiteLateHook() override {}
    // Keyboard and screen readers (PropPageKeys.cpp, PropPageAccess.cpp).
    bool OnControlKey(CNWControl* control, UINT key, UINT modifiers) override;
    bool WantsEnter(CNWControl* control) override;
    void GetAccessibleName(CNWControl* control, std::wstring& text) override;
    void GetAccessibleValue(CNWControl* control, std::wstring& text) override;
    long GetAccessibleRole(CNWControl* control) override;
    bool SetAccessibleValue(CNWControl* control, const std::wstring& text) override;

    // Reloads all 19 controls from the parameter block under the filter's lock. Also called
    // by persistence after a load while the window exists.
    void RefreshAllControls();
    // The drop-downs' menu commands (WM_COMMAND 32771 to 32777).
    void OnPathCommand(UINT id);
    void OnUnitsCommand(UINT id);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class PropPageProbe;  // the tests' view of the controls and the typed-number path

    // The engine's view of this page: it only forwards, so that the page keeps its three
    // bases. The engine calls it under the filter's lock, from the playback and live threads.
    class EngineLink final : public IEditorPageLink {
    public:
        explicit EngineLink(CArpeggiatorPropPage& owner) : page(owner) {}
        bool IsReadyForChordText() override;    // [any thread]
        void PostChordNotification() override;  // [any thread]
        bool WindowExists() override;           // [any thread]
        void RefreshAllControls() override { page.RefreshAllControls(); }

    private:
        CArpeggiatorPropPage& page;
    };

    // What the in-place editor edits for a value box: its number and the limits it may take.
    struct NumberEntry {
        int32_t current;
        int32_t min;
        int32_t max;
    };

    // Released through Release only.
    ~CArpeggiatorPropPage() override;

    // --- Object (PropPageObject.cpp)
    void LoadSkin();
    void CreateLabelFont();
    void InitHelp();
    SIZE SkinSize() const;
    void BindFilter(CArpeggiator* newFilter);

    // --- Controls (PropPageControls.cpp)
    NWControlStyle PageStyle() const;
    void CreateControls();
    CNWMultiBtn* AddButton(const NWControlStyle& style, uint32_t bitmapId);
    CNWSliderCtrl* AddSlider(const NWControlStyle& style, double origin);
    CNWMinMaxSlider* AddRangeSlider(const NWControlStyle& style);
    CNWEditControl* AddValueBox(const NWControlStyle& style);

    // --- Window (PropPageWindow.cpp)
    void OnLButtonDown(UINT message, UINT keyFlags, POINT point);
    void OnLButtonUp(UINT keyFlags, POINT point);
    void OnMouseMove(UINT keyFlags, POINT point);
    void OnDestroy();
    bool RouteCommand(WPARAM wParam);
    void ShowChordText();

    // --- Paint (PagePaint.cpp)
    void OnPaint();
    void OnPrintClient(HDC target);
    void PaintPage(CDC& target);
    void PaintSkin(CDC& memory, CDC& target);
    void PaintFrames(CDC& memory);
    void PaintLabels(CDC& memory);

    // --- Values (PropPageValues.cpp)
    ArpeggiatorParams Params() const;
    void GetRateRange(const ArpeggiatorParams& p, int32_t& value, int32_t& min, int32_t& max) const;
    void SetRateValue(int32_t n);
    void UpdateSwitch(CNWControl* control, int32_t setting);
    void UpdateRangeSlider(CNWMinMaxSlider* slider, int32_t bottom, int32_t span);
    std::wstring OptionText(UINT firstStringId, int32_t count, int32_t index) const;

    // --- Changes (PropPageChanges.cpp), each run while holding the filter's lock
    bool ApplySwitch(CNWControl* control, double x, ArpeggiatorParams& p);
    bool ApplyRate(CNWControl* control, double x);
    bool ApplyLegatoOrSwing(CNWControl* control, double x, ArpeggiatorParams& p);
    void ApplyRangeSlider(CNWMinMaxSlider* slider, ArpeggiatorParams& p);
    bool ApplyRangeBox(CNWControl* control, double x, ArpeggiatorParams& p);
    bool IsRangeBox(const CNWControl* control) const;
    void SetRangeEnd(ArpeggiatorParams& p, CNWControl* box, int32_t key);
    void PutRange(ArpeggiatorParams& p, CNWControl* source, bool lowMoved, int32_t lo, int32_t hi);

    // --- Typed numbers (PropPageEdits.cpp)
    bool NumberEntryFor(CNWControl* control, const ArpeggiatorParams& p, NumberEntry& entry) const;
    bool EditNumber(int32_t& n, CNWControl* control, int32_t min, int32_t max, int32_t current);
    void ApplyTypedNumber(CNWControl* control, int32_t n);

    // --- Keys and screen readers (PropPageKeys.cpp, PropPageAccess.cpp)
    bool StepEntryFor(CNWControl* control, const ArpeggiatorParams& p, NumberEntry& entry) const;
    void SetBoxNumber(CNWControl* control, int32_t n);
    CNWControl* BoxOf(CNWControl* control) const;

    // --- Menus and units (PropPageMenus.cpp)
    void ConvertRate(ArpeggiatorParams& p, int32_t oldUnits, int32_t newUnits, int32_t current);

    HelpLink helpLink;
    AtomicCounter refCount{1};
    CArpeggiator* filter = nullptr;  // not owned: the host keeps it alive while bound
    IPropertyPageSite* pageSite = nullptr;
    uint32_t isDirty = 0;
    HFONT labelFont = nullptr;
    HBITMAP skinBitmap = nullptr;

    // The controls, in member order, which is also their order in the site (drawing and tab
    // order). The site owns them; these only tell them apart.
    CNWMultiBtn* enableButton = nullptr;
    CNWMultiBtn* playThroughBox = nullptr;
    CNWMultiBtn* keepInRangeBox = nullptr;
    CNWMultiBtn* leftHandWindowBox = nullptr;
    CNWDropDownCtrl* unitsDropDown = nullptr;
    CNWDropDownCtrl* pathDropDown = nullptr;
    CNWSliderCtrl* rateSlider = nullptr;
    CNWSliderCtrl* legatoSlider = nullptr;
    CNWSliderCtrl* swingSlider = nullptr;
    CNWMinMaxSlider* outputRangeSlider = nullptr;
    CNWMinMaxSlider* chordRangeSlider = nullptr;
    CNWEditControl* rateBox = nullptr;
    CNWEditControl* legatoBox = nullptr;
    CNWEditControl* swingBox = nullptr;
    CNWEditControl* outputLowBox = nullptr;
    CNWEditControl* outputHighBox = nullptr;
    CNWEditControl* chordLowBox = nullptr;
    CNWEditControl* chordHighBox = nullptr;
    CNWEditControl* chordDisplay = nullptr;

    // Colours, 0x00BBGGRR.
    COLORREF panelColor = 0x004D1416;
    COLORREF frameColor = 0x00BC7076;
    COLORREF textColor = 0x00FCB8BA;
    COLORREF sliderColor4 = 0x00C07173;
    COLORREF sliderColor5 = 0x00D47B7D;

    // Written on the ui thread; `deactivating` and `initDone` are also read by the engine's
    // threads through `link`.
    std::atomic<uint32_t> deactivating{0};
    std::atomic<uint32_t> initDone{0};
    uint32_t shown = 0;

    EngineLink link{*this};
    // The window the engine posts chord notifications to: set once the dialog exists, cleared
    // when it goes. A copy the engine's threads may read without touching the window object.
    std::atomic<HWND> postTarget{nullptr};
};
