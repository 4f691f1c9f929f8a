#include "editor/FilterPageModel.h"

#include "engine/FilterAccess.h"

// The model is only handed to a page while it has a filter; `filter` is never null below.

ArpeggiatorParams FilterPageModel::Read() const { return FilterAccess(*filter).ReadParams(); }

void FilterPageModel::Edit(const std::function<void(ArpeggiatorParams&)>& edit) {
    FilterAccess(*filter).EditParams(edit);
}

void FilterPageModel::View(const std::function<void(const ArpeggiatorParams&)>& view) const {
    FilterAccess(*filter).ViewParams(view);
}

void FilterPageModel::FlushHeld() { FilterAccess(*filter).RequestFlushHeld(); }

IHostTimeConverter* FilterPageModel::TimeConverter() const {
    return FilterAccess(*filter).TimeConverter();
}

std::wstring FilterPageModel::ChordName() const {
    const ChordText chord = FilterAccess(*filter).CopyChordName();
    return std::wstring(chord.text, chord.length);
}

// A filter left behind first forgets the page, so that it notifies no page that has moved on.
void FilterPageModel::Rebind(CArpeggiator* newFilter, IEditorPageLink* newPage) {
    if (filter != nullptr && page != nullptr) FilterAccess(*filter).UnbindEditorPage(page);
    filter = newFilter;
    page = newPage;
    if (filter != nullptr && page != nullptr) FilterAccess(*filter).BindEditorPage(page);
}
