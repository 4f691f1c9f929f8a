// The system's property frame around an object's pages, as a host opens its editors.
// [ui thread]
#pragma once

#include "platform/ComTypes.h"

// Asks `object` for its pages (ISpecifyPropertyPages) and shows them in the frame made by
// OleCreatePropertyFrame, with `object` as the one object they edit. Returns when the frame
// has closed: the frame's own status, or the failure of the page query.
HRESULT ShowPropertyFrame(IUnknown* object, const wchar_t* caption, HWND owner = nullptr);
