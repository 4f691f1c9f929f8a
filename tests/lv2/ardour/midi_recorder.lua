-- A Lua processor for the Ardour test: once armed (shared memory int 0 set to 1), keeps every
-- three-byte MIDI event it passes with its sample position; int 1 counts them.
ardour { ["type"] = "dsp", name = "Arpeggiator test: MIDI recorder", category = "Utility", license = "MIT",
         author = "arpeggiator tests", description = "keeps every MIDI event with its sample" }
function dsp_ioconfig () return { { midi_in = 1, midi_out = 1, audio_in = 0, audio_out = 0 } } end
local slots = 4096
function dsp_init (rate) self:shmem():allocate(2 + 4 * slots) self:shmem():atomic_set_int(0, 0) end
local now = 0
function dsp_run (_, _, n_samples)
  if self:shmem():atomic_get_int(0) == 0 then return end
  local shm = self:shmem()
  local buffer = shm:to_int(2):array()
  local used = shm:atomic_get_int(1)
  for _, event in pairs(midiin) do
    local d = event["data"]
    if #d == 3 and used < slots then
      buffer[4 * used + 1] = now + event["time"] - 1
      buffer[4 * used + 2] = d[1]
      buffer[4 * used + 3] = d[2]
      buffer[4 * used + 4] = d[3]
      used = used + 1
    end
  end
  shm:atomic_set_int(1, used)
  now = now + n_samples
end
