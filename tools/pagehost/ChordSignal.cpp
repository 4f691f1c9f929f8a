#include "pagehost/ChordSignal.h"

#include <iostream>
#include <stdexcept>

ChordSignal::ChordSignal(const std::wstring& eventName, std::function<void()> playChord)
    : signal(CreateEventW(nullptr, TRUE, FALSE, eventName.c_str())),
      quit(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (!signal || !quit) throw std::runtime_error("the chord's signal could not be made");
    waiter = std::thread([this, play = std::move(playChord)] {
        const HANDLE events[] = {signal, quit};
        if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) return;
        // A chord the filter cannot hold (the window off, no such name) is reported here;
        // the page then simply shows no chord.
        try {
            play();
        } catch (const std::exception& error) {
            std::cerr << "pagehost: " << error.what() << std::endl;
        }
    });
}

ChordSignal::~ChordSignal() {
    SetEvent(quit);
    waiter.join();
    CloseHandle(quit);
    CloseHandle(signal);
}
