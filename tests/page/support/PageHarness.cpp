#include "support/PageHarness.h"

#include "guisupport/RealInput.h"
#include "host/MemoryStream.h"

PageHarness::PageHarness(int32_t ticksPerQuarter)
    : filter(ticksPerQuarter), page(new CArpeggiatorPropPage()), probe(*page), view(probe.Page()) {
    IUnknown* object = static_cast<IMfxEventFilter*>(filter.filter);
    page->SetObjects(1, &object);
}

PageHarness::~PageHarness() {
    if (Window() != nullptr) page->Deactivate();
    page->Release();
}

bool PageHarness::MakeParent() {
    const RECT frame = {kScreenOrigin.x, kScreenOrigin.y, kScreenOrigin.x + kPageRect.right,
                        kScreenOrigin.y + kPageRect.bottom};
    if (parent.IsWindow()) return true;
    // A tool window: Wine leaves it to no window manager, so it goes without waiting for one.
    if (!parent.CreateEx(WS_EX_TOOLWINDOW, nullptr, L"page test", WS_POPUP, frame, nullptr, 0)) {
        return false;
    }
    parent.ShowWindow(SW_SHOWNOACTIVATE);
    return true;
}

bool PageHarness::Open() {
    if (!MakeParent()) return false;
    if (page->Activate(parent.GetSafeHwnd(), &kPageRect, TRUE) != S_OK) return false;
    Paint();
    return true;
}

HRESULT PageHarness::Load(const ArpeggiatorParams& params) {
    IPersistStream* persist = nullptr;
    filter.filter->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist));
    MemoryStream stream({reinterpret_cast<const uint8_t*>(&params), sizeof params});
    const HRESULT hr = persist->Load(&stream);
    persist->Release();
    return hr;
}

void PageHarness::Paint() const {
    if (Window() != nullptr) UpdateWindow(Window());
    realinput::PumpPending();
}
