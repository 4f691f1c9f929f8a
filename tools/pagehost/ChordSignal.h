// --chord-on-signal: a thread of its own, as a host's live-input thread, waits for a named
// event that another process (a screen reader's test) sets, and then plays the chord's keys
// into the filter; the filter names the chord and tells the open page. The thread ends when
// the object goes, whether the signal came or not.
#pragma once

#include <functional>
#include <string>
#include <thread>

#include <windows.h>

class ChordSignal {
public:
    ChordSignal(const std::wstring& eventName, std::function<void()> playChord);
    ~ChordSignal();
    ChordSignal(const ChordSignal&) = delete;
    ChordSignal& operator=(const ChordSignal&) = delete;

private:
    HANDLE signal = nullptr;
    HANDLE quit = nullptr;
    std::thread waiter;
};
