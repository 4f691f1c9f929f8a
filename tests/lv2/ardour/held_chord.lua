-- A Lua processor for the Ardour test: plays C E G on channel 1 from sample 4800 to 172800
-- of the cycles it runs once armed (shared memory int 0 set to 1).
ardour { ["type"] = "dsp", name = "Arpeggiator test: held chord", category = "Utility", license = "MIT",
         author = "arpeggiator tests", description = "plays C E G from 4800 to 172800" }
function dsp_ioconfig () return { { midi_in = 1, midi_out = 1, audio_in = 0, audio_out = 0 } } end
function dsp_init (rate) self:shmem():allocate(2) self:shmem():atomic_set_int(0, 0) end
local now = 0
function dsp_run (_, _, n_samples)
  if self:shmem():atomic_get_int(0) == 0 then return end
  local count = 1
  local function at (sample, status, velocity)
    if sample >= now and sample < now + n_samples then
      for _, key in ipairs({60, 64, 67}) do
        midiout[count] = { time = sample - now + 1, data = { status, key, velocity } }
        count = count + 1
      end
    end
  end
  at(4800, 0x90, 100)
  at(172800, 0x80, 0)
  now = now + n_samples
end
