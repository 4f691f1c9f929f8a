// All the editor page knows of the settings it shows: a parameter block behind the model's own
// lock, the few things the page asks of the engine, and a page to notify. A container that
// shows the page implements it: the COM property page over a filter object (FilterPageModel),
// or a plug-in wrapper over its parameters. The page never sees which.
//
// [ui thread] for every call the page makes, unless one says otherwise. The model notifies the
// page through the IEditorPageLink the page hands to Connect, under the model's lock, from any
// thread: the page posts chord notifications to its own window and refreshes synchronously.
#pragma once

#include <functional>
#include <string>

#include "engine/ArpeggiatorParams.h"
#include "engine/EditorPageLink.h"

struct IHostTimeConverter;

class PageModel {
public:
    // A copy of the block. [takes lock]
    virtual ArpeggiatorParams Read() const = 0;
    // Runs `edit` on the block while holding the lock, so that a change (a range and both of
    // its ends, say) is seen whole. The lock is recursive: `edit` may call any operation here.
    virtual void Edit(const std::function<void(ArpeggiatorParams&)>& edit) = 0;
    // The same for a reader that wants the block to stay as it is across several reads.
    virtual void View(const std::function<void(const ArpeggiatorParams&)>& view) const = 0;

    // Every user edit runs between these (a drag from press to release, a typed number, a menu
    // pick, a key step), never nested: a host records it as one automation gesture.
    virtual void BeginGesture() = 0;
    virtual void EndGesture() = 0;

    // Pass-through was switched off: the notes it let through are to be silenced. Called
    // inside Edit.
    virtual void FlushHeld() = 0;
    // The host's tempo map for converting the rate between units, or null. Called inside Edit.
    virtual IHostTimeConverter* TimeConverter() const = 0;
    // The text of the chord last recognised, after a chord notification.
    virtual std::wstring ChordName() const = 0;

    // The page to notify from now on, null for none.
    virtual void Connect(IEditorPageLink* page) = 0;

protected:
    ~PageModel() = default;
};
