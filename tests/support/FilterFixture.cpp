#include "support/FilterFixture.h"

EventRecord Note(int32_t time, int key, int velocity, uint32_t duration) {
    EventRecord record{};
    record.time = static_cast<uint32_t>(time);
    record.kind = kEventKindNote;
    record.key = static_cast<uint8_t>(key);
    record.velocity = static_cast<uint8_t>(velocity);
    record.duration = duration;
    return record;
}

EventRecord NonNote(int32_t time, uint32_t kind, uint8_t marker) {
    EventRecord record{};
    record.time = static_cast<uint32_t>(time);
    record.kind = kind;
    record.key = marker;
    record.hostBytes4[0] = marker;
    return record;
}

ShortMessageRecord Message(uint8_t status, uint8_t data1, uint8_t data2) {
    return ShortMessageRecord{0, status, data1, data2, 0};
}

ShortMessageRecord On(int key, int velocity, int channel) {
    return Message(static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(key),
                   static_cast<uint8_t>(velocity));
}

ShortMessageRecord Off(int key, int channel) {
    return Message(static_cast<uint8_t>(0x80 | channel), static_cast<uint8_t>(key), 0);
}

void TickRate(ArpeggiatorParams& p, int32_t ticks) {
    p.rateUnits = kRateTicks;
    p.rateAmount = ticks;
    p.swing = 0;
}

FilterPtr NewFilter() {
    FilterPtr filter(new CArpeggiator);
    FilterAccess(*filter).StopClock();
    return filter;
}

std::vector<EventRecord> FilterHarness::Play(int32_t from, int32_t thru,
                                             const std::vector<EventRecord>& in) {
    return FilterWindow(filter, from, thru, in);
}

std::vector<ShortMessageRecord> FilterHarness::Live(const std::vector<ShortMessageRecord>& in) {
    return FilterLive(filter, in);
}

std::vector<int> Keys(const std::vector<EventRecord>& records) {
    std::vector<int> keys;
    for (const EventRecord& r : records) keys.push_back(r.key);
    return keys;
}

std::vector<int> Times(const std::vector<EventRecord>& records) {
    std::vector<int> times;
    for (const EventRecord& r : records) times.push_back(static_cast<int32_t>(r.time));
    return times;
}
