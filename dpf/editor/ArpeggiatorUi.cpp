#include "ArpeggiatorUi.h"

#include "ArpeggiatorDpf.h"

START_NAMESPACE_DISTRHO

namespace {

constexpr uint kWidth = 670;
constexpr uint kHeight = 169;

std::optional<ParameterPageModel::PluginView> ViewOf(void* instance) {
    if (instance == nullptr) return std::nullopt;
    const auto& plugin = *static_cast<const ArpeggiatorDpf*>(instance);
    return ParameterPageModel::PluginView{plugin.ChordNames(), plugin.HostTempo()};
}

}  // namespace

ArpeggiatorUi::ArpeggiatorUi()
    : UI(kWidth, kHeight),
      plugin(ViewOf(getPluginInstancePointer())),
      model(*this, plugin ? &*plugin : nullptr) {
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
