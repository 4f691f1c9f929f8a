// The page's model over a filter object, for the COM property page: the filter's own parameter
// block under the filter's lock, its engine's chord text and held notes, the host's time
// converter. Gestures mean nothing to this host: every edit is live, with nothing to record.
// [ui thread] for the page's calls, as PageModel says.
#pragma once

#include "editor/PageModel.h"

class CArpeggiator;

class FilterPageModel final : public PageModel {
public:
    FilterPageModel() = default;
    FilterPageModel(const FilterPageModel&) = delete;
    FilterPageModel& operator=(const FilterPageModel&) = delete;
    ~FilterPageModel() { Rebind(nullptr, nullptr); }

    // Not owned: the host keeps the filter alive while it is bound. Null for none.
    void SetFilter(CArpeggiator* newFilter) { Rebind(newFilter, page); }

    ArpeggiatorParams Read() const override;
    void Edit(const std::function<void(ArpeggiatorParams&)>& edit) override;
    void View(const std::function<void(const ArpeggiatorParams&)>& view) const override;
    void BeginGesture() override {}
    void EndGesture() override {}
    void FlushHeld() override;
    IHostTimeConverter* TimeConverter() const override;
    std::wstring ChordName() const override;
    void Connect(IEditorPageLink* newPage) override { Rebind(filter, newPage); }

private:
    // The filter notifies the page only while both are bound here.
    void Rebind(CArpeggiator* newFilter, IEditorPageLink* newPage);

    CArpeggiator* filter = nullptr;
    IEditorPageLink* page = nullptr;
};
