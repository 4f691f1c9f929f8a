// An editor page link that is always ready and remembers what the engine told it. The counts
// are atomic: playback and live input may notify from two threads at once.
#pragma once

#include <atomic>

#include "engine/EditorPageLink.h"

class RecordingPage final : public IEditorPageLink {
public:
    bool IsReadyForChordText() override { return ready; }
    void PostChordNotification() override { ++notifications; }
    bool WindowExists() override { return ready; }
    void RefreshAllControls() override { ++refreshes; }

    bool ready = true;
    std::atomic<int> notifications{0};
    std::atomic<int> refreshes{0};
};
