// What DPF builds around the plug-in class: a MIDI plug-in with no audio ports, the host's
// transport, and the settings as one state value that DPF asks for at every save (full state).
// On Windows the editor page is its editor, embedded in the host's window (dpf/editor/); it
// reads the chord's full name from the plug-in object directly, which keeps DPF's VST3 in one
// component with its controller. Elsewhere it has no editor.
#pragma once

#define DISTRHO_PLUGIN_BRAND "Arpeggiator"
#define DISTRHO_PLUGIN_NAME "Arpeggiator"
#define DISTRHO_PLUGIN_URI "urn:arpeggiator:dpf"
#define DISTRHO_PLUGIN_CLAP_ID "arpeggiator.arpeggiator"

#ifdef _WIN32
#define DISTRHO_PLUGIN_HAS_UI 1
#define DISTRHO_PLUGIN_HAS_EXTERNAL_UI 1
#define DISTRHO_PLUGIN_HAS_EMBED_UI 1
#define DISTRHO_PLUGIN_WANT_DIRECT_ACCESS 1
#define DISTRHO_UI_USER_RESIZABLE 0
#else
#define DISTRHO_PLUGIN_HAS_UI 0
#endif
#define DISTRHO_PLUGIN_IS_RT_SAFE 1
#define DISTRHO_PLUGIN_NUM_INPUTS 0
#define DISTRHO_PLUGIN_NUM_OUTPUTS 0
#define DISTRHO_PLUGIN_WANT_MIDI_INPUT 1
#define DISTRHO_PLUGIN_WANT_MIDI_OUTPUT 1
#define DISTRHO_PLUGIN_WANT_STATE 1
#define DISTRHO_PLUGIN_WANT_FULL_STATE 1
#define DISTRHO_PLUGIN_WANT_TIMEPOS 1

#define DISTRHO_PLUGIN_LV2_CATEGORY "lv2:MIDIPlugin"
#define DISTRHO_PLUGIN_VST3_CATEGORIES "Fx|Instrument"
#define DISTRHO_PLUGIN_CLAP_FEATURES "note-effect"
