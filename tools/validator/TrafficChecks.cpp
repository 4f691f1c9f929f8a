// Random and extreme settings under random playback and live traffic.
#include "validator/Checks.h"
#include "validator/ComFilter.h"
#include "validator/RandomBlocks.h"

void CheckTraffic(Report& report) {
    RandomBlocks blocks(3);
    long calls = 0;
    long notes = 0;
    long bad = 0;
    for (int round = 0; round < 200; ++round) {
        ComFilter filter(static_cast<uint32_t>(blocks.Between(0, 600)));
        filter.LoadParams(round % 2 == 0 ? blocks.Extreme() : blocks.Valid());
        int32_t from = blocks.Between(0, 5000);
        for (int call = 0; call < 40; ++call) {
            if (call % 3 == 2) {
                for (const ShortMessageRecord& m :
                     filter.Live(blocks.Messages(blocks.Between(0, 6)))) {
                    ++notes;
                    if (round % 2 == 0 && (m.data1 > 127 || m.data2 > 127)) ++bad;
                }
            } else {
                const int32_t thru = from + blocks.Between(0, 400);
                for (const EventRecord& r :
                     filter.Play(from, thru, blocks.Notes(from, blocks.Between(0, 8)))) {
                    if (r.kind != kEventKindNote) continue;
                    ++notes;
                    if (round % 2 == 0 && (r.key > 127 || r.velocity > 127 || r.duration < 1))
                        ++bad;
                }
                from = thru + 1;
            }
            ++calls;
        }
    }
    report.Check("random and extreme settings under traffic", bad == 0,
                 Format("%ld calls, %ld notes out, %ld out of range", calls, notes, bad));
}
