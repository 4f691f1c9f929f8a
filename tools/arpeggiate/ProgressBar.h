// A progress bar on stderr for runs long enough to wonder about. It draws nothing unless
// stderr is a terminal, and nothing during the first moment, so quick runs and redirected
// output stay clean.
#pragma once

#include <chrono>

class ProgressBar {
public:
    explicit ProgressBar(bool wanted);
    // Clears the bar's line if it drew one.
    ~ProgressBar();
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Show(double fraction);

private:
    using Clock = std::chrono::steady_clock;
    bool enabled;
    bool drawn = false;
    Clock::time_point started;
    Clock::time_point lastDrawn;
};
