// An editor page link that is always ready and remembers what the engine told it.
#pragma once

#include <string>
#include <vector>

#include "engine/EditorPageLink.h"

class RecordingPage final : public IEditorPageLink {
public:
    bool IsReadyForChordText() override { return ready; }
    void PostChordNotification() override { ++notifications; }
    bool WindowExists() override { return ready; }
    void RefreshAllControls() override { ++refreshes; }

    bool ready = true;
    int notifications = 0;
    int refreshes = 0;
};
