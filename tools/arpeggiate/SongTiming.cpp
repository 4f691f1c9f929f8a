#include "arpeggiate/SongTiming.h"

#include <algorithm>

std::vector<TempoChange> CollectTempoChanges(const midi::File& file) {
    std::vector<TempoChange> changes;
    for (const midi::Track& track : file.tracks) {
        for (const midi::Event& event : track.events) {
            if (event.type != midi::EventType::Meta || event.data1 != midi::kMetaTempo ||
                event.payload.size() != 3) {
                continue;
            }
            const int32_t us = event.payload[0] << 16 | event.payload[1] << 8 | event.payload[2];
            changes.push_back({static_cast<int32_t>(event.tick), us});
        }
    }
    std::stable_sort(changes.begin(), changes.end(),
                     [](const TempoChange& a, const TempoChange& b) { return a.tick < b.tick; });
    return changes;
}

BarGrid::BarGrid(const midi::File& file) {
    const int64_t quarter = file.ticksPerQuarter;
    struct Raw {
        int64_t tick;
        int64_t numerator;
        int64_t denominatorPower;
    };
    std::vector<Raw> raw;
    for (const midi::Track& track : file.tracks) {
        for (const midi::Event& event : track.events) {
            if (event.type == midi::EventType::Meta && event.data1 == midi::kMetaTimeSignature &&
                event.payload.size() >= 2 && event.payload[0] > 0 && event.payload[1] <= 6) {
                raw.push_back({event.tick, event.payload[0], event.payload[1]});
            }
        }
    }
    std::stable_sort(raw.begin(), raw.end(),
                     [](const Raw& a, const Raw& b) { return a.tick < b.tick; });

    signatures.push_back({0, 1, 4, quarter});
    for (const Raw& change : raw) {
        // A signature takes effect at the next bar line when a writer put it mid-bar.
        const Signature& last = signatures.back();
        const int64_t barTicks = last.beatsPerBar * last.beatTicks;
        const int64_t bars = (change.tick - last.tick + barTicks - 1) / barTicks;
        const int64_t beatTicks = std::max<int64_t>(1, quarter * 4 >> change.denominatorPower);
        Signature next{last.tick + bars * barTicks, last.firstBar + bars, change.numerator,
                       beatTicks};
        if (next.tick == last.tick) {
            signatures.back() = next;
        } else {
            signatures.push_back(next);
        }
    }
}

const BarGrid::Signature& BarGrid::SignatureAt(int64_t tick) const {
    auto after = std::upper_bound(signatures.begin(), signatures.end(), tick,
                                  [](int64_t t, const Signature& s) { return t < s.tick; });
    return after == signatures.begin() ? signatures.front() : *(after - 1);
}

BarGrid::Position BarGrid::At(int64_t tick) const {
    const Signature& signature = SignatureAt(tick);
    const int64_t since = std::max<int64_t>(0, tick - signature.tick);
    const int64_t barTicks = signature.beatsPerBar * signature.beatTicks;
    const int64_t inBar = since % barTicks;
    return {signature.firstBar + since / barTicks, inBar / signature.beatTicks + 1,
            inBar % signature.beatTicks};
}

std::string BarGrid::Format(int64_t tick) const {
    const Position position = At(tick);
    std::string text = std::to_string(position.bar) + ":" + std::to_string(position.beat);
    if (position.ticks != 0) text += ":" + std::to_string(position.ticks);
    return text;
}

int64_t BarGrid::BeatTicksAt(int64_t tick) const { return SignatureAt(tick).beatTicks; }

int64_t BarGrid::BarStart(int64_t bar) const {
    auto after = std::upper_bound(signatures.begin(), signatures.end(), bar,
                                  [](int64_t b, const Signature& s) { return b < s.firstBar; });
    const Signature& signature = after == signatures.begin() ? signatures.front() : *(after - 1);
    const int64_t bars = std::max<int64_t>(0, bar - signature.firstBar);
    return signature.tick + bars * signature.beatsPerBar * signature.beatTicks;
}

uint32_t SongEndTick(const midi::File& file) {
    uint32_t end = 0;
    for (const midi::Track& track : file.tracks) end = std::max(end, track.endTick);
    return end;
}

int64_t SongBars(const BarGrid& grid, uint32_t endTick) {
    const BarGrid::Position end = grid.At(endTick);
    return end.bar - (end.beat == 1 && end.ticks == 0 ? 1 : 0);
}
