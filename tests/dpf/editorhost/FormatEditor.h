// A format's editor as a host opens it in a window of its own (Windows only): the plug-in's
// editor embedded in `parent`, the host's idle while it is open, and the parameter gestures the
// editor made, as the host received them. [ui thread] throughout: the thread that made the
// parent window, which must also pump its messages.
#pragma once

#include <windows.h>

#include <cstdint>
#include <set>
#include <string>

// Begin, perform and end per parameter (the plug-in's own index), checked as they arrive: a
// value performed outside its parameter's begin..end, a second begin or an end without one is
// an error. The first error is kept.
class GestureLog {
public:
    void Begin(uint32_t index);
    void Perform(uint32_t index);
    void End(uint32_t index);
    // At the editor's close: a gesture still open is an error too.
    void Finish();

    const std::string& Error() const { return error; }
    uint32_t Count() const { return count; }

private:
    void Fail(const char* what, uint32_t index);

    std::set<uint32_t> open;
    std::string error;
    uint32_t count = 0;
};

class FormatEditor {
public:
    virtual ~FormatEditor() = default;
    // False when the plug-in offers no editor for a Win32 parent.
    virtual bool Open(HWND parent) = 0;
    // Closes and destroys the editor, then collects what it still had queued for the host.
    virtual void Close() = 0;
    // The host's periodic idle: timers the plug-in asked for, and a block for queued events.
    virtual void Idle() = 0;
    virtual GestureLog& Gestures() = 0;
};
