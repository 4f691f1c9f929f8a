#include "arpeggiate/SongPlayback.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "arpeggiate/HresultText.h"

namespace {

// Progress is reported every this many windows: often enough for a bar that moves smoothly,
// rarely enough to cost nothing.
constexpr int64_t kProgressEvery = 256;

}  // namespace

SongPlayback::SongPlayback(IHostTimeConverter* converter, int32_t ticks)
    : windowTicks(std::max(ticks, 2)), host(converter, &aux, &live) {}

SongPlayback::~SongPlayback() {
    for (const auto& lane : lanes) {
        lane->filter->DetachHost();
        lane->filter->Release();
    }
}

void SongPlayback::AddTrack(IMfxEventFilter* filter, std::span<const EventRecord> input,
                            ChordWatch* chords) {
    auto lane = std::make_unique<Lane>();
    lane->filter = filter;
    lane->input = input;
    lane->chords = chords;
    lanes.push_back(std::move(lane));
    // The filter releases the host reference it is handed, whatever it answers.
    host.AddRef();
    const HRESULT hr = filter->AttachHost(&host);
    if (FAILED(hr)) {
        throw std::runtime_error("the filter refused the host (" + HresultText(hr) + ")");
    }
}

void SongPlayback::Play(int32_t songEnd, const std::function<void(double)>& progress) {
    for (const auto& lane : lanes) lane->filter->PlaybackStarted(0, &transport);

    const int64_t windowCount = int64_t{std::max(songEnd, 0)} / windowTicks + 1;
    for (int64_t index = 0; index < windowCount; ++index) {
        const auto from = static_cast<int32_t>(index * windowTicks);
        const auto thru =
            static_cast<int32_t>(std::min<int64_t>(int64_t{from} + windowTicks - 1, INT32_MAX));
        for (const auto& lane : lanes) {
            auto first = lane->input.begin() + static_cast<std::ptrdiff_t>(lane->next);
            auto last = std::find_if(first, lane->input.end(), [thru](const EventRecord& r) {
                return static_cast<int32_t>(r.time) > thru;
            });
            window.records.assign(first, last);
            lane->next += static_cast<size_t>(last - first);
            if (lane->chords != nullptr) lane->chords->windowStart = from;
            lane->filter->FilterEvents(from, thru, &window, &lane->output);
        }
        if (progress && index % kProgressEvery == 0) {
            progress(static_cast<double>(index) / static_cast<double>(windowCount));
        }
    }

    for (const auto& lane : lanes) lane->filter->PlaybackStopped(songEnd, &transport);
    if (progress) progress(1.0);
}

std::span<const EventRecord> SongPlayback::Output(size_t track) const {
    return lanes.at(track)->output.records;
}
