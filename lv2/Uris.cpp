#include "Uris.h"

#include <lv2/log/log.h>
#include <lv2/midi/midi.h>
#include <lv2/patch/patch.h>
#include <lv2/time/time.h>

namespace {
LV2_URID Map(LV2_URID_Map* map, const char* uri) { return map->map(map->handle, uri); }
}  // namespace

Uris::Uris(LV2_URID_Map* map)
    : atomBlank(Map(map, LV2_ATOM__Blank)),
      atomObject(Map(map, LV2_ATOM__Object)),
      atomSequence(Map(map, LV2_ATOM__Sequence)),
      atomString(Map(map, LV2_ATOM__String)),
      atomUrid(Map(map, LV2_ATOM__URID)),
      atomFloat(Map(map, LV2_ATOM__Float)),
      atomDouble(Map(map, LV2_ATOM__Double)),
      atomInt(Map(map, LV2_ATOM__Int)),
      atomLong(Map(map, LV2_ATOM__Long)),
      midiEvent(Map(map, LV2_MIDI__MidiEvent)),
      patchSet(Map(map, LV2_PATCH__Set)),
      patchProperty(Map(map, LV2_PATCH__property)),
      patchValue(Map(map, LV2_PATCH__value)),
      chord(Map(map, lv2uris::kChord)),
      timePosition(Map(map, LV2_TIME__Position)),
      timeFrame(Map(map, LV2_TIME__frame)),
      timeSpeed(Map(map, LV2_TIME__speed)),
      timeBeatsPerMinute(Map(map, LV2_TIME__beatsPerMinute)),
      timeBeatUnit(Map(map, LV2_TIME__beatUnit)),
      logTrace(Map(map, LV2_LOG__Trace)) {}
