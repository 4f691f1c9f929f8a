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
#include "arpeggiate/RollBars.h"
#include "arpeggiate/SettingsBlock.h"
#include "arpeggiate/SongPlayback.h"
#include "arpeggiate/SongTiming.h"
#include "arpeggiate/Summary.h"
#include "arpeggiate/TrackPlan.h"
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

// An option whose value the song cannot meet (--track 9 of a song of 4 tracks): reported with
// the line that points to --help, as the command line's own errors are.
class UsageError : public InputError {
public:
    using InputError::InputError;
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
            throw UsageError("--track " + std::to_string(number) + ": " + options.input +
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

// A filter with the run's settings, holding one reference for the caller.
IMfxEventFilter* MakeFilter(FilterSource& source, ChordWatch* watch,
                            std::span<const uint8_t> settings) {
    IMfxEventFilter* filter = source.Create(watch);
    try {
        LoadSettings(filter, settings, "the settings");
    } catch (...) {
        filter->Release();
        throw;
    }
    return filter;
}

// What the summary says of each track before anything is played; a copied track's notes go
// out as they came in.
std::vector<TrackSummary> SummariesOf(const midi::File& song, std::span<const TrackPlan> plans) {
    std::vector<TrackSummary> tracks(song.tracks.size());
    for (size_t i = 0; i < tracks.size(); ++i) {
        tracks[i].number = i + 1;
        tracks[i].name = TrackName(song.tracks[i]);
        tracks[i].fate = plans[i].fate;
        tracks[i].channels = plans[i].channels;
        tracks[i].notesIn = plans[i].notes;
        tracks[i].notesOut = plans[i].notes;
        tracks[i].notesKept = plans[i].notesKept;
    }
    return tracks;
}

// The notes the filter saw and what came out; the kept notes are neither, so they are not
// drawn, and the title says so.
PianoRollTrack RollOf(const midi::Track& in, const midi::Track& out, const TrackSummary& track,
                      uint16_t keptChannels) {
    PianoRollTrack roll;
    roll.title = "Track " + std::to_string(track.number) +
                 (track.name.empty() ? "" : ": " + track.name) +
                 (track.notesKept > 0 ? " (channel 10 left as it was, not drawn)" : "");
    const auto drawn = static_cast<uint16_t>(~keptChannels & kAllChannels);
    roll.played = PairNotes(in, drawn);
    roll.arpeggio = PairNotes(out, drawn);
    roll.chords = track.chords;
    return roll;
}

struct Played {
    midi::File file;
    std::vector<TrackSummary> tracks;
    std::vector<PianoRollTrack> rolls;
    double filterMs = 0;
};

// The arpeggiated tracks are rebuilt from their filter's output; the others are copied.
void Rebuild(const midi::File& song, std::span<const TrackPlan> plans, const SongPlayback& playback,
             std::span<const size_t> lanes, Played& played) {
    played.file.tracks.resize(song.tracks.size());
    for (size_t i = 0; i < song.tracks.size(); ++i) {
        if (plans[i].fate != TrackFate::Arpeggiated) played.file.tracks[i] = song.tracks[i];
    }
    for (size_t lane = 0; lane < lanes.size(); ++lane) {
        const size_t i = lanes[lane];
        FilterOutputTrack rebuilt =
            FromFilterRecords(song.tracks[i], playback.Output(lane), plans[i].keptChannels);
        played.tracks[i].notesOut = rebuilt.notesWritten + plans[i].notesKept;
        played.tracks[i].silentNotesDropped = rebuilt.silentNotesDropped;
        played.file.tracks[i] = std::move(rebuilt.track);
    }
}

// The notes are paired for the piano roll only when one is drawn (`drawRolls`): pairing the
// arpeggiated tracks costs about as much as rebuilding them.
Played PlaySong(const midi::File& song, std::span<const TrackPlan> plans,
                std::span<const uint8_t> settings, int32_t windowTicks, FilterSource& source,
                bool quiet, bool drawRolls) {
    TempoMapConverter converter(song.ticksPerQuarter, CollectTempoChanges(song));
    std::vector<FilterInput> inputs(song.tracks.size());
    std::vector<ChordWatch> watches(song.tracks.size());
    std::vector<size_t> lanes;  // track index of each filter

    Played played;
    played.file.format = song.format;
    played.file.ticksPerQuarter = song.ticksPerQuarter;
    played.tracks = SummariesOf(song, plans);
    {
        SongPlayback playback(&converter, windowTicks);
        for (size_t i = 0; i < song.tracks.size(); ++i) {
            if (plans[i].fate != TrackFate::Arpeggiated) continue;
            inputs[i] = ToFilterRecords(song.tracks[i], plans[i].keptChannels);
            playback.AddTrack(MakeFilter(source, &watches[i], settings), inputs[i].records,
                              &watches[i]);
            lanes.push_back(i);
        }
        ProgressBar bar(!quiet);
        const Clock::time_point start = Clock::now();
        playback.Play(static_cast<int32_t>(SongEndTick(song)),
                      [&bar](double fraction) { bar.Show(fraction); });
        played.filterMs = MsSince(start);
        Rebuild(song, plans, playback, lanes, played);
    }
    for (size_t i : lanes) {
        played.tracks[i].chords = std::move(watches[i].marks);
        if (!drawRolls) continue;
        played.rolls.push_back(
            RollOf(song.tracks[i], played.file.tracks[i], played.tracks[i], plans[i].keptChannels));
    }
    return played;
}

BarStretch RollStretch(const Options& options, const BarGrid& grid, uint32_t endTick) {
    try {
        return ChooseBars(options.bars, grid, endTick, options.input);
    } catch (const std::out_of_range& error) {
        throw UsageError(error.what());
    }
}

std::string DrawRoll(const Options& options, const Played& played, const BarGrid& grid,
                     const BarStretch& bars, const ArpeggiatorParams& params) {
    PianoRollSong roll;
    roll.title = options.input + " -> " + options.output;
    roll.ticksPerQuarter = played.file.ticksPerQuarter;
    roll.fromTick = bars.fromTick;
    roll.toTick = bars.toTick;
    roll.grid = &grid;
    roll.tempos = CollectTempoChanges(played.file);
    roll.params = params;
    roll.chordsWatched = FilterSource::WatchesChords();
    return DrawPianoRoll(roll, played.rolls);
}

RunSummary SummaryOf(const Options& options, const midi::File& song, Played& played,
                     const ArpeggiatorParams& params, int32_t windowTicks) {
    RunSummary summary;
    summary.input = options.input;
    summary.output = options.output;
    summary.settings = SettingsLine(params);
    summary.format = song.format;
    summary.ticksPerQuarter = song.ticksPerQuarter;
    summary.windowTicks = windowTicks;
    summary.endTick = SongEndTick(played.file);
    summary.leftHandWindowOn = params.enabled != 0 && params.leftHandWindowOn != 0;
    summary.chordsWatched = FilterSource::WatchesChords();
    summary.filterMs = played.filterMs;
    summary.tracks = std::move(played.tracks);
    summary.pianoRollFile = options.pianoRollFile;
    return summary;
}

}  // namespace

int RunArpeggiate(const Options& options, std::ostream& out, std::ostream& err) {
    const Clock::time_point start = Clock::now();
    try {
        const midi::File song = ReadSong(options.input);
        const std::vector<TrackPlan> plans =
            PlanTracks(song, ChosenTracks(options, song.tracks.size()), options.drums);
        const int32_t windowTicks =
            options.windowTicks.value_or(DefaultWindowTicks(song.ticksPerQuarter));

        FilterSource source;
        const std::vector<uint8_t> settings = BuildSettings(source, options);
        const ArpeggiatorParams params = ParamsOf(settings);
        const bool drawRoll = !options.pianoRollFile.empty();
        Played played =
            PlaySong(song, plans, settings, windowTicks, source, options.quiet, drawRoll);

        const std::vector<uint8_t> bytes = midi::WriteFile(played.file);
        const BarGrid grid(played.file);
        const BarStretch bars = RollStretch(options, grid, SongEndTick(played.file));
        if (drawRoll) {
            WriteFileAtomically(options.pianoRollFile,
                                DrawRoll(options, played, grid, bars, params));
        }
        if (!options.saveSettingsFile.empty()) {
            WriteFileAtomically(options.saveSettingsFile, settings);
        }
        WriteFileAtomically(options.output, bytes);

        if (!options.quiet) {
            RunSummary summary = SummaryOf(options, song, played, params, windowTicks);
            summary.pianoRollBars = bars;
            summary.totalMs = MsSince(start);
            out << FormatSummary(summary, grid);
        }
        return kExitOk;
    } catch (const UsageError& error) {
        err << "arpeggiate: " << error.what() << "\n" << kHelpPointer << "\n";
        return kExitUsage;
    } catch (const InputError& error) {
        err << "arpeggiate: " << error.what() << "\n";
        return kExitUsage;
    } catch (const std::exception& error) {
        err << "arpeggiate: " << error.what() << "\n";
        return kExitFailed;
    }
}
