#include "arpeggiate/Arpeggiate.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <stdexcept>

#include "arpeggiate/CommandLine.h"
#include "arpeggiate/FileIo.h"
#include "arpeggiate/FilterSource.h"
#include "arpeggiate/NoteSpans.h"
#include "arpeggiate/PianoRoll.h"
#include "arpeggiate/ProgressBar.h"
#include "arpeggiate/SettingsBlock.h"
#include "arpeggiate/SongPlayback.h"
#include "arpeggiate/SongTiming.h"
#include "arpeggiate/Summary.h"
#include "arpeggiate/TrackRecords.h"
#include "midifile/MidiReader.h"
#include "midifile/MidiWriter.h"

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// A problem with what the musician handed in: reported, exit code 2, nothing written.
class InputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

midi::File ReadSong(const std::string& path) {
    try {
        return midi::ReadFile(ReadWholeFile(path));
    } catch (const FileIoError& error) {
        throw InputError(error.what());
    } catch (const midi::FileError& error) {
        throw InputError(path + ": byte " + std::to_string(error.offset) + ": " + error.what());
    }
}

std::vector<bool> ChosenTracks(const Options& options, size_t trackCount) {
    std::vector<bool> chosen(trackCount, options.tracks.empty());
    for (int number : options.tracks) {
        if (number < 1 || static_cast<size_t>(number) > trackCount) {
            throw InputError("--track " + std::to_string(number) + ": " + options.input +
                             " has tracks 1 to " + std::to_string(trackCount));
        }
        chosen[static_cast<size_t>(number - 1)] = true;
    }
    return chosen;
}

// The settings image every filter gets: the defaults, then the stored file, then --set.
std::vector<uint8_t> BuildSettings(FilterSource& source, const Options& options) {
    IMfxEventFilter* probe = source.Create(nullptr);
    std::unique_ptr<IMfxEventFilter, void (*)(IMfxEventFilter*)> hold(
        probe, [](IMfxEventFilter* filter) { filter->Release(); });
    try {
        if (!options.settingsFile.empty()) {
            LoadSettings(probe, ReadWholeFile(options.settingsFile), options.settingsFile);
        }
        const std::vector<uint8_t> image = ApplySettings(SaveSettings(probe), options.settings);
        LoadSettings(probe, image, "--set");
        return SaveSettings(probe);
    } catch (const FileIoError& error) {
        throw InputError(error.what());
    } catch (const SettingsError& error) {
        throw InputError(error.what());
    }
}

struct Played {
    midi::File file;
    std::vector<TrackSummary> tracks;
    std::vector<PianoRollTrack> rolls;
    double filterMs = 0;
};

// The notes are paired for the piano roll only when one is drawn (`drawRolls`): pairing the
// arpeggiated tracks costs about as much as rebuilding them.
Played PlaySong(const midi::File& song, const std::vector<bool>& chosen,
                std::span<const uint8_t> settings, int32_t windowTicks, FilterSource& source,
                bool quiet, bool drawRolls) {
    TempoMapConverter converter(song.ticksPerQuarter, CollectTempoChanges(song));
    std::vector<FilterInput> inputs(song.tracks.size());
    std::vector<ChordWatch> watches(song.tracks.size());
    std::vector<size_t> lanes;  // track index of each filter

    Played played;
    played.file.format = song.format;
    played.file.ticksPerQuarter = song.ticksPerQuarter;
    played.tracks.resize(song.tracks.size());

    {
        SongPlayback playback(&converter, windowTicks);
        for (size_t i = 0; i < song.tracks.size(); ++i) {
            inputs[i] = ToFilterRecords(song.tracks[i]);
            TrackSummary& summary = played.tracks[i];
            summary.number = i + 1;
            summary.name = TrackName(song.tracks[i]);
            summary.notesIn = inputs[i].noteCount;
            summary.arpeggiated = chosen[i] && inputs[i].noteCount > 0;
            if (!summary.arpeggiated) continue;
            IMfxEventFilter* filter = source.Create(&watches[i]);
            try {
                LoadSettings(filter, settings, "the settings");
            } catch (...) {
                filter->Release();
                throw;
            }
            playback.AddTrack(filter, inputs[i].records, &watches[i]);
            lanes.push_back(i);
        }

        ProgressBar bar(!quiet);
        const Clock::time_point start = Clock::now();
        playback.Play(static_cast<int32_t>(SongEndTick(song)),
                      [&bar](double fraction) { bar.Show(fraction); });
        played.filterMs = MsSince(start);

        // The arpeggiated tracks are rebuilt below; only the others are copied.
        played.file.tracks.resize(song.tracks.size());
        for (size_t i = 0; i < song.tracks.size(); ++i) {
            if (!played.tracks[i].arpeggiated) played.file.tracks[i] = song.tracks[i];
        }
        for (size_t lane = 0; lane < lanes.size(); ++lane) {
            const size_t i = lanes[lane];
            FilterOutputTrack rebuilt = FromFilterRecords(song.tracks[i], playback.Output(lane));
            played.tracks[i].notesOut = rebuilt.notesWritten;
            played.tracks[i].silentNotesDropped = rebuilt.silentNotesDropped;
            played.file.tracks[i] = std::move(rebuilt.track);
        }
    }

    for (size_t i : lanes) {
        played.tracks[i].chords = watches[i].marks;
        if (!drawRolls) continue;
        PianoRollTrack roll;
        roll.title = "Track " + std::to_string(i + 1) +
                     (played.tracks[i].name.empty() ? "" : ": " + played.tracks[i].name);
        roll.played = PairNotes(song.tracks[i]);
        roll.arpeggio = PairNotes(played.file.tracks[i]);
        roll.chords = watches[i].marks;
        played.rolls.push_back(std::move(roll));
    }
    return played;
}

}  // namespace

int RunArpeggiate(const Options& options, std::ostream& out, std::ostream& err) {
    const Clock::time_point start = Clock::now();
    try {
        const midi::File song = ReadSong(options.input);
        const std::vector<bool> chosen = ChosenTracks(options, song.tracks.size());
        const int32_t windowTicks =
            options.windowTicks.value_or(DefaultWindowTicks(song.ticksPerQuarter));

        FilterSource source;
        const std::vector<uint8_t> settings = BuildSettings(source, options);
        const ArpeggiatorParams params = ParamsOf(settings);
        Played played = PlaySong(song, chosen, settings, windowTicks, source, options.quiet,
                                 !options.pianoRollFile.empty());

        const std::vector<uint8_t> bytes = midi::WriteFile(played.file);
        const BarGrid grid(played.file);
        const uint32_t endTick = SongEndTick(played.file);
        if (!options.pianoRollFile.empty()) {
            PianoRollSong roll;
            roll.title = options.input + " -> " + options.output;
            roll.ticksPerQuarter = song.ticksPerQuarter;
            roll.endTick = endTick;
            roll.grid = &grid;
            roll.tempos = CollectTempoChanges(song);
            roll.params = params;
            roll.chordsWatched = FilterSource::WatchesChords();
            WriteFileAtomically(options.pianoRollFile, DrawPianoRoll(roll, played.rolls));
        }
        if (!options.saveSettingsFile.empty()) {
            WriteFileAtomically(options.saveSettingsFile, settings);
        }
        WriteFileAtomically(options.output, bytes);

        if (!options.quiet) {
            RunSummary summary;
            summary.input = options.input;
            summary.output = options.output;
            summary.settings = SettingsLine(params);
            summary.format = song.format;
            summary.ticksPerQuarter = song.ticksPerQuarter;
            summary.windowTicks = windowTicks;
            summary.endTick = endTick;
            summary.leftHandWindowOn = params.enabled != 0 && params.leftHandWindowOn != 0;
            summary.chordsWatched = FilterSource::WatchesChords();
            summary.filterMs = played.filterMs;
            summary.totalMs = MsSince(start);
            summary.tracks = std::move(played.tracks);
            out << FormatSummary(summary, grid);
        }
        return kExitOk;
    } catch (const InputError& error) {
        err << "arpeggiate: " << error.what() << "\n";
        return kExitUsage;
    } catch (const std::exception& error) {
        err << "arpeggiate: " << error.what() << "\n";
        return kExitFailed;
    }
}
