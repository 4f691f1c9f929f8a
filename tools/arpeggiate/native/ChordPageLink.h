// Stands in for an editor page that is always open: it takes every chord name the filter
// announces and hands it to the tool's watch, as a page would show it.
#pragma once

#include "arpeggiate/ChordWatch.h"
#include "engine/FilterAccess.h"
#include "engine/EditorPageLink.h"

class ChordPageLink final : public IEditorPageLink {
public:
    // The link holds a reference, so that it can unbind itself whenever the tool lets go of
    // the filter and the link in either order.
    ChordPageLink(CArpeggiator& owner, ChordWatch& target)
        : object(owner), filter(owner), watch(target) {
        object.AddRef();
        filter.BindEditorPage(this);
    }
    ~ChordPageLink() {
        filter.UnbindEditorPage(this);
        object.Release();
    }
    ChordPageLink(const ChordPageLink&) = delete;
    ChordPageLink& operator=(const ChordPageLink&) = delete;

    bool IsReadyForChordText() override { return true; }
    // Called under the filter's lock, right after it set chordName.
    void PostChordNotification() override {
        char text[ChordText::kUtf8Capacity];
        const size_t length = filter.CopyChordName().ToUtf8(text, sizeof text);
        watch.Announce(std::string_view(text, length));
    }
    // No window: loading settings has no controls to refresh.
    bool WindowExists() override { return false; }
    void RefreshAllControls() override {}

private:
    CArpeggiator& object;
    FilterAccess filter;
    ChordWatch& watch;
};
