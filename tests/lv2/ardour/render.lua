-- Ardour 7 headless (ardour7-lua) on the Dummy backend: a MIDI track holds a C major triad,
-- the arpeggiator sits on it with the "Rising sixteenths" settings, the transport rolls, and a
-- recorder after the plug-in writes every MIDI event it sends, with its sample position, to the
-- file named by ARP_ARDOUR_OUT. Ardour 7.3's Lua cannot make a MIDI region, so the held chord
-- comes from a small Lua processor placed before the plug-in (ardour/held_chord.lua), which
-- plays it at fixed sample positions once the script arms it; the recorder
-- (ardour/midi_recorder.lua) counts the same process cycles. ardour-test.sh installs both where
-- Ardour finds its scripts. With ARP_ARDOUR_VST3 set the plug-in is the VST3 bundle instead
-- (ardour-test.sh --vst3), and with ARP_ARDOUR_SCAN_ONLY the script only starts Ardour
-- with a session, which is what makes Ardour's scan log record a new VST3 bundle.
local out_path = os.getenv("ARP_ARDOUR_OUT")
local session_dir = os.getenv("ARP_ARDOUR_SESSION")
assert(out_path and session_dir, "set ARP_ARDOUR_OUT and ARP_ARDOUR_SESSION")

ARDOUR.config():set_hide_dummy_backend(false)
assert(not AudioEngine:set_backend("None (Dummy)", "", ""):isnil(), "no Dummy backend")
AudioEngine:set_sample_rate(48000)
AudioEngine:set_buffer_size(256)
assert(AudioEngine:start(false) == 0, "the Dummy backend did not start")
assert(create_session(session_dir, "arp", 48000), "no session")
if os.getenv("ARP_ARDOUR_SCAN_ONLY") then close_session() return end
local vst3 = os.getenv("ARP_ARDOUR_VST3") ~= nil

local midi = ARDOUR.DataType("midi")
local tracks = Session:new_midi_track(ARDOUR.ChanCount(midi, 1), ARDOUR.ChanCount(midi, 1), true,
  ARDOUR.PluginInfo(), nil, nil, 1, "arp", ARDOUR.PresentationInfo.max_order,
  ARDOUR.TrackMode.Normal, true)
local track = tracks:front()

local chord = ARDOUR.LuaAPI.new_plugin(Session, "Arpeggiator test: held chord", ARDOUR.PluginType.Lua, "")
local arp = vst3 and ARDOUR.LuaAPI.new_plugin(Session, "Arpeggiator", ARDOUR.PluginType.VST3, "")
  or ARDOUR.LuaAPI.new_plugin(Session, "urn:arpeggiator:lv2", ARDOUR.PluginType.LV2, "")
local recorder = ARDOUR.LuaAPI.new_plugin(Session, "Arpeggiator test: MIDI recorder", ARDOUR.PluginType.Lua, "")
assert(not chord:isnil() and not recorder:isnil(), "Ardour did not find the test's Lua processors")
assert(not arp:isnil(), "Ardour did not find the arpeggiator (LV2_PATH, or the VST3 cache)")
track:add_processor_by_index(chord, 0, nil, true)
track:add_processor_by_index(arp, 1, nil, true)
track:add_processor_by_index(recorder, 2, nil, true)

-- "Rising sixteenths": Up, Up in 1/16 notes at Ardour's tempo (120 BPM), no swing. The LV2
-- parameters are numbered by control input: pathDirection 7, rateUnits 5, noteValue 6, swing 4.
-- DPF's VST3 puts parameters of its own before ours, so there each is found by its name.
local values = { [4] = 0, [5] = 0, [6] = 2, [7] = 2 }
if vst3 then
  local plugin = arp:to_insert():plugin(0)
  local wanted = { ["Swing"] = 0, ["Rate units"] = 0, ["Note value"] = 2, ["Path"] = 2 }
  values = {}
  for i = 0, plugin:parameter_count() - 1 do
    local value = wanted[plugin:parameter_label(i)]
    if value ~= nil and plugin:parameter_is_input(i) then values[i] = value end
  end
end
local set = 0
for index, value in pairs(values) do
  assert(ARDOUR.LuaAPI.set_processor_param(arp, index, value), "parameter " .. index)
  set = set + 1
end
assert(set == 4, "set " .. set .. " of the 4 parameters")

local function shm(proc) return proc:to_insert():plugin(0):to_luaproc():shmem() end
ARDOUR.LuaAPI.usleep(200000)
shm(recorder):atomic_set_int(0, 1)
shm(chord):atomic_set_int(0, 1)
Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
-- Four seconds of song: the chord is held from 0.1 s to 3.6 s, then the transport stops.
for _ = 1, 100 do
  ARDOUR.LuaAPI.usleep(50000)
  if Session:transport_sample() >= 4 * 48000 then break end
end
Session:request_stop(false, false, ARDOUR.TransportRequestSource.TRS_UI)
ARDOUR.LuaAPI.usleep(300000)

local memory = shm(recorder)
local used = memory:atomic_get_int(1)
local buffer = memory:to_int(2):array()
local file = assert(io.open(out_path, "w"))
for i = 0, used - 1 do
  file:write(string.format("%d %d %d %d\n", buffer[4 * i + 1], buffer[4 * i + 2],
    buffer[4 * i + 3], buffer[4 * i + 4]))
end
file:close()
print(string.format("ardour-render: %d events recorded", used))
Session:save_state("")
close_session()
