// The engine's only view of an open editor page. The page implements it in the Windows build;
// a test host may implement it natively. The engine calls it under the filter's lock.
#pragma once

#include <cstdint>

// wParam of the WM_COMMAND the engine posts to the page when a new chord text is ready.
inline constexpr uint32_t ChordNotifyCode = 0x80000000u;

class IEditorPageLink {
public:
    // The page's window exists and its dialog initialisation has finished.
    virtual bool IsReadyForChordText() = 0;
    // Posts ChordNotifyCode to the page's window; the page then copies the filter's chordName.
    virtual void PostChordNotification() = 0;
    virtual bool WindowExists() = 0;
    // Reloads every control from the parameter block; takes the filter's lock itself.
    virtual void RefreshAllControls() = 0;

protected:
    ~IEditorPageLink() = default;
};
