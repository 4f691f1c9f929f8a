-- Ardour 7 headless on the Dummy backend renders a held C E G through the VST3 plug-in with the
-- "Rising sixteenths" settings, as tests/lv2/ardour/render.lua does through the LV2 bundle (its
-- held-chord and recorder processors, its check). Run by ardour-vst3-test.sh, which has made
-- Ardour's cache know the bundle.
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

local midi = ARDOUR.DataType("midi")
local track = Session:new_midi_track(ARDOUR.ChanCount(midi, 1), ARDOUR.ChanCount(midi, 1), true,
  ARDOUR.PluginInfo(), nil, nil, 1, "arp", ARDOUR.PresentationInfo.max_order,
  ARDOUR.TrackMode.Normal, true):front()
local chord = ARDOUR.LuaAPI.new_plugin(Session, "Arpeggiator test: held chord", ARDOUR.PluginType.Lua, "")
local arp = ARDOUR.LuaAPI.new_plugin(Session, "Arpeggiator", ARDOUR.PluginType.VST3, "")
local recorder = ARDOUR.LuaAPI.new_plugin(Session, "Arpeggiator test: MIDI recorder", ARDOUR.PluginType.Lua, "")
assert(not chord:isnil() and not recorder:isnil(), "Ardour did not find the test's Lua processors")
assert(not arp:isnil(), "Ardour did not find the Arpeggiator VST3")
track:add_processor_by_index(chord, 0, nil, true)
track:add_processor_by_index(arp, 1, nil, true)
track:add_processor_by_index(recorder, 2, nil, true)

-- "Rising sixteenths": Up, Up in 1/16 notes at Ardour's tempo, no swing. DPF's own VST3
-- parameters come first, so each is found by its name.
local plugin = arp:to_insert():plugin(0)
local wanted = { ["Swing"] = 0, ["Rate units"] = 0, ["Note value"] = 2, ["Path"] = 2 }
local set = 0
for i = 0, plugin:parameter_count() - 1 do
  local value = wanted[plugin:parameter_label(i)]
  if value ~= nil and plugin:parameter_is_input(i) then
    assert(ARDOUR.LuaAPI.set_processor_param(arp, i, value), "parameter " .. i)
    set = set + 1
  end
end
assert(set == 4, "found " .. set .. " of the 4 parameters")

local function shm(proc) return proc:to_insert():plugin(0):to_luaproc():shmem() end
ARDOUR.LuaAPI.usleep(200000)
shm(recorder):atomic_set_int(0, 1)
shm(chord):atomic_set_int(0, 1)
Session:request_roll(ARDOUR.TransportRequestSource.TRS_UI)
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
close_session()
