// Between the page and its model: which model it shows, the gestures around the user's edits,
// and the link through which the model's engine reaches the page.
#include "editor/ArpeggiatorPage.h"

// A page given another model first leaves the one it had, so that no model keeps notifying a
// page that has moved on (or gone), and ends a gesture the old model heard begin.
void ArpeggiatorPage::SetModel(PageModel* newModel) {
    if (gestureModel != nullptr && gestureModel == model) {
        gestureModel->EndGesture();
        gestureModel = nullptr;
    }
    if (model != nullptr) model->Connect(nullptr);
    model = newModel;
    if (model == nullptr) return;
    model->Connect(&link);
    if (initDone != 0) RefreshAllControls();
}

void ArpeggiatorPage::BeginGesture() {
    if (gestureDepth++ != 0) return;
    gestureModel = model;
    if (gestureModel != nullptr) gestureModel->BeginGesture();
}

void ArpeggiatorPage::EndGesture() {
    if (gestureDepth == 0 || --gestureDepth != 0) return;
    if (gestureModel != nullptr) gestureModel->EndGesture();
    gestureModel = nullptr;
}

void ArpeggiatorPage::EditModel(const std::function<void(ArpeggiatorParams&)>& edit) {
    if (model == nullptr) return;
    Gesture gesture(*this);
    model->Edit(edit);
}

// [any thread] Under the model's lock, from the engine.
bool ArpeggiatorPage::EngineLink::IsReadyForChordText() {
    return page.postTarget.load() != nullptr && page.initDone.load() != 0 &&
           page.deactivating.load() == 0;
}

// [any thread] Asynchronous: the page copies the latest chord text when it gets the message.
void ArpeggiatorPage::EngineLink::PostChordNotification() {
    if (HWND window = page.postTarget.load()) {
        PostMessageW(window, WM_COMMAND, ChordNotifyCode, 0);
    }
}

// [any thread]
bool ArpeggiatorPage::EngineLink::WindowExists() { return page.postTarget.load() != nullptr; }
