// The editor page of a filter painted into a picture, without a window anyone sees: the page
// is made through COM from the pages the filter names, activated in a window that is never
// shown, and asked to paint its client area into a memory bitmap (WM_PRINTCLIENT), through
// the same composition its WM_PAINT uses.
// [ui thread]: everything on the thread that made the renderer, which pumps its messages.
#pragma once

#include "engine/HostInterfaces.h"
#include "pagehost/RgbImage.h"

class PageRenderer {
public:
    // Throws std::runtime_error when the filter names no page or the page does not open.
    explicit PageRenderer(IUnknown* filter);
    ~PageRenderer();
    PageRenderer(const PageRenderer&) = delete;
    PageRenderer& operator=(const PageRenderer&) = delete;

    // Lets the page handle what waits in this thread's queue, such as the chord notification
    // that a filter call just posted.
    void Pump() const;
    // The page's client area as it paints now, the size the page asks for.
    RgbImage Render() const;
    HWND PageWindow() const;

private:
    class Site;

    // Gives back whatever the constructor got so far.
    void Close();

    Site* site;
    IPropertyPage* page = nullptr;
    HWND parent = nullptr;
    SIZE size = {0, 0};
};
