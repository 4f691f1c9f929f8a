#include "arpeggiate/FilterSource.h"

#include <memory>
#include <vector>

#include "arpeggiate/native/ChordPageLink.h"
#include "engine/Arpeggiator.h"

struct FilterSource::Links {
    std::vector<std::unique_ptr<ChordPageLink>> pages;
};

FilterSource::FilterSource() : links(new Links) {}

FilterSource::~FilterSource() { delete links; }

IMfxEventFilter* FilterSource::Create(ChordWatch* chords) {
    auto* filter = new CArpeggiator;
    if (chords != nullptr) {
        links->pages.push_back(std::make_unique<ChordPageLink>(*filter, *chords));
    }
    return filter;
}

bool FilterSource::WatchesChords() { return true; }
