// The editor page: a dialog window (template 102, 670 x 169) that a container places as a child
// of any parent window, and the toolkit site of the page's 19 windowless controls. It knows the
// settings only through a PageModel; every edit goes straight into the model's block under the
// model's lock, as one gesture, and there is no apply step. Containers: the COM property page
// (ArpeggiatorPropPage.h) and plug-in wrappers; the page knows none of them.
//
// The class is split over several files: the object, its window's life and its model
// (PageObject.cpp), the window's messages (PageWindow.cpp), the controls' creation and layout
// (PageControls.cpp), values to and from the parameter block (PageValues.cpp,
// PageChanges.cpp), typed numbers, keys, menus and units (PageEdits.cpp, PageKeys.cpp,
// PageMenus.cpp), screen readers (PageAccess.cpp) and painting (PagePaint.cpp).
//
// [ui thread] throughout, except where an operation says otherwise: the engine reaches the
// page only through `link`.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "controls/NWControlSite.h"
#include "controls/NWControlStyle.h"
#include "controls/win/Dialog.h"
#include "editor/HelpLink.h"
#include "editor/PageModel.h"

class CNWDropDownCtrl;
class CNWEditControl;
class CNWMinMaxSlider;
class CNWMultiBtn;
class CNWSliderCtrl;

class ArpeggiatorPage : public CDialog, public CNWControlSite {
public:
    // Command ids of the two drop-downs' menu items.
    static constexpr UINT kFirstPathCommand = 32771;   // to 32774, pathDirection 0 to 3
    static constexpr UINT kFirstUnitsCommand = 32775;  // to 32777, rateUnits 0 to 2

    // Loads the skin, makes the font and the 19 controls and prepares help; no window yet.
    // [any thread]: the window is made later, on the thread that will own it.
    ArpeggiatorPage();
    ~ArpeggiatorPage() override;
    ArpeggiatorPage(const ArpeggiatorPage&) = delete;
    ArpeggiatorPage& operator=(const ArpeggiatorPage&) = delete;

    // The settings shown and edited, null for none (the page then shows the defaults and edits
    // nothing). Not owned: it outlives its time here. An open window shows the new model's
    // block at once.
    void SetModel(PageModel* newModel);

    // Makes the window as a child of `parent` at `rect`, shown; false when a window exists
    // already or it could not be made. Destroy takes it away again (false without one); the
    // page may be created again after.
    bool Create(HWND parent, const RECT& rect);
    bool Destroy();
    // ShowWindow's commands; the page reacts to commands and notifications once shown.
    void Show(int command);
    void Move(const RECT& rect);
    // The skin's size, which is the page's.
    SIZE Size();
    // Opens the help file's default topic.
    void OpenHelp();

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
    // Keyboard and screen readers (PageKeys.cpp, PageAccess.cpp).
    bool OnControlKey(CNWControl* control, UINT key, UINT modifiers) override;
    bool WantsEnter(CNWControl* control) override;
    void GetAccessibleName(CNWControl* control, std::wstring& text) override;
    void GetAccessibleValue(CNWControl* control, std::wstring& text) override;
    long GetAccessibleRole(CNWControl* control) override;
    bool SetAccessibleValue(CNWControl* control, const std::wstring& text) override;

    // Reloads all 19 controls from the block under the model's lock. [takes lock]
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

    // The engine's view of this page: it only forwards, so that the page keeps its two bases.
    // The model calls it under its lock, from any thread.
    class EngineLink final : public IEditorPageLink {
    public:
        explicit EngineLink(ArpeggiatorPage& owner) : page(owner) {}
        bool IsReadyForChordText() override;    // [any thread]
        void PostChordNotification() override;  // [any thread]
        bool WindowExists() override;           // [any thread]
        void RefreshAllControls() override { page.RefreshAllControls(); }

    private:
        ArpeggiatorPage& page;
    };

    // One user edit: the model hears one begin and one end however the page's own brackets
    // nest (a drag's edits, a key step inside a drag).
    class Gesture {
    public:
        explicit Gesture(ArpeggiatorPage& owner) : page(owner) { page.BeginGesture(); }
        ~Gesture() { page.EndGesture(); }
        Gesture(const Gesture&) = delete;
        Gesture& operator=(const Gesture&) = delete;

    private:
        ArpeggiatorPage& page;
    };

    // What the in-place editor edits for a value box: its number and the limits it may take.
    struct NumberEntry {
        int32_t current;
        int32_t min;
        int32_t max;
    };

    // --- Object (PageObject.cpp)
    void LoadSkin();
    void CreateLabelFont();
    void InitHelp();
    void BeginGesture();
    void EndGesture();
    // Runs `edit` under the model's lock as one gesture; nothing without a model. [takes lock]
    void EditModel(const std::function<void(ArpeggiatorParams&)>& edit);

    // --- Controls (PageControls.cpp)
    NWControlStyle PageStyle() const;
    void CreateControls();
    CNWMultiBtn* AddButton(const NWControlStyle& style, uint32_t bitmapId);
    CNWSliderCtrl* AddSlider(const NWControlStyle& style, double origin);
    CNWMinMaxSlider* AddRangeSlider(const NWControlStyle& style);
    CNWEditControl* AddValueBox(const NWControlStyle& style);

    // --- Window (PageWindow.cpp)
    void OnLButtonDown(UINT message, UINT keyFlags, POINT point);
    void OnLButtonUp(UINT keyFlags, POINT point);
    void OnMouseMove(UINT keyFlags, POINT point);
    void EndDrag();
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

    // --- Values (PageValues.cpp)
    ArpeggiatorParams Params() const;
    void GetRateRange(const ArpeggiatorParams& p, int32_t& value, int32_t& min, int32_t& max) const;
    void SetRateValue(int32_t n);
    void UpdateSwitch(CNWControl* control, int32_t setting);
    void UpdateRangeSlider(CNWMinMaxSlider* slider, int32_t bottom, int32_t span);
    std::wstring OptionText(UINT firstStringId, int32_t count, int32_t index) const;

    // --- Changes (PageChanges.cpp), each run while holding the model's lock
    bool ApplySwitch(CNWControl* control, double x, ArpeggiatorParams& p);
    bool ApplyRate(CNWControl* control, double x);
    bool ApplyLegatoOrSwing(CNWControl* control, double x, ArpeggiatorParams& p);
    void ApplyRangeSlider(CNWMinMaxSlider* slider, ArpeggiatorParams& p);
    bool ApplyRangeBox(CNWControl* control, double x, ArpeggiatorParams& p);
    bool IsRangeBox(const CNWControl* control) const;
    void SetRangeEnd(ArpeggiatorParams& p, CNWControl* box, int32_t key);
    void PutRange(ArpeggiatorParams& p, CNWControl* source, bool lowMoved, int32_t lo, int32_t hi);

    // --- Typed numbers (PageEdits.cpp)
    bool NumberEntryFor(CNWControl* control, const ArpeggiatorParams& p, NumberEntry& entry) const;
    bool EditNumber(int32_t& n, CNWControl* control, int32_t min, int32_t max, int32_t current);
    void ApplyTypedNumber(CNWControl* control, int32_t n);

    // --- Keys and screen readers (PageKeys.cpp, PageAccess.cpp)
    bool StepEntryFor(CNWControl* control, const ArpeggiatorParams& p, NumberEntry& entry) const;
    void SetBoxNumber(CNWControl* control, int32_t n);
    CNWControl* BoxOf(CNWControl* control) const;

    // --- Menus and units (PageMenus.cpp)
    void ConvertRate(ArpeggiatorParams& p, int32_t oldUnits, int32_t newUnits, int32_t current);

    HelpLink helpLink;
    PageModel* model = nullptr;  // not owned
    HFONT labelFont = nullptr;
    HBITMAP skinBitmap = nullptr;
    // Open gestures: the page's own brackets nest, the model's do not. `gestureModel` is the
    // model that heard the begin, so that a model changed meanwhile hears no stray end.
    uint32_t gestureDepth = 0;
    PageModel* gestureModel = nullptr;
    bool dragging = false;  // a press on a control opened a gesture that its release ends

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
