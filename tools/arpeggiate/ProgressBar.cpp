#include "arpeggiate/ProgressBar.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

constexpr auto kQuietMoment = std::chrono::milliseconds(300);
constexpr auto kRedrawEvery = std::chrono::milliseconds(100);
constexpr int kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(bool wanted)
    : enabled(wanted && isatty(fileno(stderr)) != 0), started(Clock::now()) {}

ProgressBar::~ProgressBar() {
    if (drawn) std::fprintf(stderr, "\r%*s\r", kBarWidth + 16, "");
}

void ProgressBar::Show(double fraction) {
    if (!enabled) return;
    const auto now = Clock::now();
    if (now - started < kQuietMoment || (drawn && now - lastDrawn < kRedrawEvery)) return;
    lastDrawn = now;
    drawn = true;
    const double done = std::clamp(fraction, 0.0, 1.0);
    const int filled = static_cast<int>(done * kBarWidth);
    const std::string bar = std::string(static_cast<size_t>(filled), '#') +
                            std::string(static_cast<size_t>(kBarWidth - filled), '.');
    std::fprintf(stderr, "\rarpeggiating [%s] %3d%%", bar.c_str(), static_cast<int>(done * 100));
    std::fflush(stderr);
}
