#include <new>

#include "EditorPage.h"
#include "editor/ArpeggiatorPropPage.h"

// The page's controls are allocated by its constructor; an exception must not cross into the
// host.
IUnknown* NewEditorPage() {
    try {
        return static_cast<IPropertyPage*>(new CArpeggiatorPropPage());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
