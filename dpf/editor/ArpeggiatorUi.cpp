#include "ArpeggiatorUi.h"

#include "ArpeggiatorDpf.h"

START_NAMESPACE_DISTRHO

namespace {

constexpr uint kWidth = 670;
constexpr uint kHeight = 169;

const ChordMailbox* ChordsOf(void* plugin) {
    return plugin != nullptr ? &static_cast<ArpeggiatorDpf*>(plugin)->ChordNames() : nullptr;
}

}  // namespace

ArpeggiatorUi::ArpeggiatorUi()
    : UI(kWidth, kHeight), model(*this, ChordsOf(getPluginInstancePointer())) {
    page.SetModel(&model);
    // Only embedded: a host that offers no parent window gets no editor.
    if (isEmbed()) {
        const RECT rect{0, 0, static_cast<LONG>(kWidth), static_cast<LONG>(kHeight)};
        page.Create(reinterpret_cast<HWND>(getParentWindowHandle()), rect);
    }
}

ArpeggiatorUi::~ArpeggiatorUi() {
    page.Destroy();
    page.SetModel(nullptr);
}

uintptr_t ArpeggiatorUi::getNativeWindowHandle() const noexcept {
    return reinterpret_cast<uintptr_t>(page.GetSafeHwnd());
}

void ArpeggiatorUi::visibilityChanged(bool visible) { page.Show(visible ? SW_SHOW : SW_HIDE); }

UI* createUI() { return new ArpeggiatorUi(); }

END_NAMESPACE_DISTRHO
