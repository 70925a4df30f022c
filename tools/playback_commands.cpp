// The commands that play songs: devices, play (in real time), render (to a
// WAV file) and trace (every message the output receives, in virtual time).
// They use the same player and stream as the desktop program.

#include <charconv>
#include <csignal>
#include <cstdio>
#include <limits>

#include "document/track_mixing.h"
#include "platform/audio_drivers.h"
#include "platform/recording_output.h"
#include "platform/scheduled_midi_stream.h"
#include "platform/soundfont_locator.h"
#include "platform/synth_outputs.h"
#include "platform/system_midi_outputs.h"
#include "platform/virtual_playback.h"
#include "player/player.h"
#include "player/waiting_notifier.h"
#include "tools/tool_support.h"

namespace tavrino::tool {

namespace {

int RunDevices(const Command& self, const std::vector<std::string>& args, Io& io);
int RunPlay(const Command& self, const std::vector<std::string>& args, Io& io);
int RunRender(const Command& self, const std::vector<std::string>& args, Io& io);
int RunTrace(const Command& self, const std::vector<std::string>& args, Io& io);

// The mixer's meaning of muted and soloed tracks, for the commands that play.
const std::string kMixerHelp =
    "  --mute LIST     silence the tracks numbered in LIST (\"2,5\"), as the mixer's\n"
    "                  Mute Selection does\n"
    "  --solo LIST     play only the tracks numbered in LIST, as its Solo Selected\n"
    "                  does; --mute then silences some of those\n";

const std::string kPlayHelp =
    "  --device N      the output's number from `devices`; -1 (default) the default output\n"
    "  --from TICK     start there instead of at the beginning\n"
    "  --tempo PERCENT speed in percent of the song's tempo (1 to 1000)\n"
    "  --count-in      one bar of metronome clicks first\n"
    "  --soundfont F, --audio-driver NAME  as for `devices`\n" +
    kMixerHelp;

const std::string kTraceHelp =
    "One line per message: microseconds since play began, a tab, the bytes in\n"
    "hexadecimal. Messages sent before play begins (channel reset, programs and\n"
    "controllers in force at --from) have time 0. Nothing is heard: the song\n"
    "plays in virtual time.\n\n" +
    kMixerHelp;

const Command kCommands[] = {
    {"devices", "[--soundfont F] [--audio-driver NAME]",
     "List the MIDI outputs, the default one marked, and the synthesizer's sound output.",
     "Output -1 is the default: the built-in synthesizer when it can start, else the\n"
     "first MIDI port. The last line tells which sound output the synthesizer plays\n"
     "through, or why each one tried did not start. Exits with 1 when no output can\n"
     "start.\n\n"
     "  --soundfont F   the built-in synthesizer's SoundFont (.sf2); without it the\n"
     "                  first found of the standard places\n"
     "  --audio-driver NAME  the synthesizer's sound output (pulseaudio, jack, alsa);\n"
     "                  without it the first of these that starts\n",
     RunDevices},
    {"play",
     "IN [--device N] [--from TICK] [--tempo PERCENT] [--count-in] [--mute LIST] [--solo LIST]\n"
     "         [--soundfont F] [--audio-driver NAME]",
     "Play a MIDI file until its end or Ctrl+C, showing bar:beat:tick.", kPlayHelp, RunPlay},
    {"render", "IN OUT.wav [--soundfont F] [--tempo PERCENT]",
     "Render a MIDI file through the built-in synthesizer into a WAV file.",
     "The song plays through the same player as in the desktop program, as fast as\n"
     "the machine allows; the file is 44.1 kHz 16-bit stereo and ends one second\n"
     "after the music.\n",
     RunRender},
    {"trace", "IN [--from TICK] [--tempo PERCENT] [--count-in] [--mute LIST] [--solo LIST]",
     "Print every MIDI message the output would receive, with its time.", kTraceHelp, RunTrace},
};

struct PlayOptions {
    PlaybackRequest request;
    int device = -1;
    std::filesystem::path soundFont;
    std::vector<int> muted;
    std::vector<int> soloed;
    std::string audioDriver;  // empty: the first that starts
};

// --audio-driver, checked; a problem is recorded in `line`.
std::string ReadAudioDriver(CommandLine& line) {
    const std::string driver = line.value("audio-driver").value_or("");
    if (!driver.empty() && !IsAudioDriver(driver)) {
        line.fail("--audio-driver needs one of " + AudioDriverList());
    }
    return driver;
}

// "2,5" as track numbers; empty with a problem recorded when it is not.
std::vector<int> TrackList(CommandLine& line, std::string_view name) {
    const std::optional<std::string> text = line.value(name);
    std::vector<int> numbers;
    if (!text) {
        return numbers;
    }
    std::size_t start = 0;
    while (start <= text->size()) {
        const std::size_t comma = std::min(text->find(',', start), text->size());
        const std::string number = text->substr(start, comma - start);
        int value = -1;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), value);
        if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
            value < 0) {
            line.fail("--" + std::string(name) + " needs track numbers separated by commas");
            return {};
        }
        numbers.push_back(value);
        start = comma + 1;
    }
    return numbers;
}

// Gives the song's tracks the volumes the mixer would; false when a number
// names no track.
bool ApplyMixer(const PlayOptions& options, MidiSong& song, Io& io) {
    for (const auto& list : {options.soloed, options.muted}) {
        for (const int number : list) {
            if (static_cast<std::size_t>(number) >= song.tracks.size()) {
                io.err << "tavrino-tool: there is no track " << number
                       << "; the song has tracks 0 to " << song.tracks.size() - 1 << "\n";
                return false;
            }
        }
    }
    if (!options.soloed.empty()) {
        SoloTracks(song, TracksNumbered(song, options.soloed));
    }
    MuteTracks(TracksNumbered(song, options.muted));
    return true;
}

// The options common to the commands, checked; a problem is recorded in
// `line`.
PlayOptions ReadPlayOptions(CommandLine& line) {
    PlayOptions options;
    const auto ranged = [&line](std::string_view name, long long least, long long most,
                                auto& value) {
        const std::optional<long long> number = line.integer(name);
        if (!number || !line.ok()) {
            return;
        }
        if (*number < least || *number > most) {
            line.fail("--" + std::string(name) + " needs a number from " + std::to_string(least) +
                      " to " + std::to_string(most));
            return;
        }
        value = static_cast<std::remove_reference_t<decltype(value)>>(*number);
    };
    ranged("from", 0, std::numeric_limits<std::int32_t>::max(), options.request.from);
    ranged("tempo", 1, 1000, options.request.tempoPercent);
    ranged("device", -1, std::numeric_limits<std::int32_t>::max(), options.device);
    options.request.countIn = line.has("count-in");
    options.soundFont = line.value("soundfont").value_or("");
    options.muted = TrackList(line, "mute");
    options.soloed = TrackList(line, "solo");
    options.audioDriver = ReadAudioDriver(line);
    return options;
}

// Reads the options and loads the song IN; on failure it was reported and
// `exitCode` says how.
bool LoadForPlay(const Command& self, CommandLine& line, std::size_t positionals,
                 PlayOptions& options, MidiSong& song, Io& io, int& exitCode) {
    if (!ParseArguments(self, line, positionals, positionals, io, exitCode)) {
        return false;
    }
    options = ReadPlayOptions(line);
    if (!line.ok()) {
        exitCode = UsageError(self, line.error(), io);
        return false;
    }
    exitCode = LoadSong(song, line.positionals()[0], io);
    if (exitCode == kExitOk && !ApplyMixer(options, song, io)) {
        exitCode = kExitUsage;
    }
    return exitCode == kExitOk;
}

int Failure(Io& io, const std::string& what) {
    io.err << "tavrino-tool: " << what << "\n";
    return kExitFailure;
}

std::string PlayerProblem(int result) {
    switch (result) {
        case Player::kNoDevice:
            return "no MIDI output: no SoundFont for the built-in synthesizer and no MIDI port";
        case Player::kCannotOpen:
            return "the MIDI output cannot be opened";
        default:
            return "cannot start playing (player result " + std::to_string(result) + ")";
    }
}

int RunDevices(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {{"soundfont", true}, {"audio-driver", true}});
    int exitCode = kExitOk;
    if (!ParseArguments(self, line, 0, 0, io, exitCode)) {
        return exitCode;
    }
    const std::string audioDriver = ReadAudioDriver(line);
    if (!line.ok()) {
        return UsageError(self, line.error(), io);
    }
    SystemMidiOutputs outputs(line.value("soundfont").value_or(""));
    outputs.SetAudioDriver(audioDriver);
    if (outputs.Count() == 0) {
        return Failure(io, PlayerProblem(Player::kNoDevice));
    }
    const int chosen = outputs.DefaultDevice();
    for (int device = 0; device < outputs.Count(); ++device) {
        char number[16];
        std::snprintf(number, sizeof number, "%2d  ", device);
        io.out << number << outputs.Name(device) << (device == chosen ? "  (default)" : "") << "\n";
    }
    if (const AudioStartReport& audio = outputs.AudioStart();
        !audio.driver.empty() || !audio.failures.empty()) {
        io.out << "The built-in synthesizer " << audio.Describe() << "\n";
    }
    if (chosen == -1) {
        return Failure(io, "no output can start now: " + outputs.Problem());
    }
    return kExitOk;
}

// Set by Ctrl+C while `play` runs.
volatile std::sig_atomic_t interrupted = 0;

extern "C" void Interrupt(int) {
    interrupted = 1;
}

// Ctrl+C stops `play` at any moment, also while the output opens: the
// handler is in place for the whole command.
class InterruptHandler {
public:
    InterruptHandler() : previous_(std::signal(SIGINT, Interrupt)) { interrupted = 0; }
    ~InterruptHandler() { std::signal(SIGINT, previous_); }
    InterruptHandler(const InterruptHandler&) = delete;
    InterruptHandler& operator=(const InterruptHandler&) = delete;

    static bool Interrupted() { return interrupted != 0; }

private:
    void (*previous_)(int);
};

// Shows the position on one line until the song ends or Ctrl+C.
void FollowPlay(const MidiSong& song, Player& player, WaitingNotifier& notifier, Io& io) {
    std::int64_t shown = -1;
    while (!notifier.WaitForEnd(std::chrono::milliseconds(40))) {
        if (InterruptHandler::Interrupted()) {
            player.Stop();
            break;
        }
        const std::int64_t tick = notifier.LastTick();
        const auto position =
            tick >= 0 ? song.TickToBarBeat(static_cast<std::int32_t>(tick)) : std::nullopt;
        if (tick != shown && position) {
            char text[32];
            std::snprintf(text, sizeof text, "\r%03d:%02d:%03d", position->bar, position->beat,
                          position->tick);
            io.out << text << std::flush;
            shown = tick;
        }
    }
    io.out << "\n";
}

int RunPlay(const Command& self, const std::vector<std::string>& args, Io& io) {
    const InterruptHandler interrupt;
    CommandLine line(args, {{"device", true},
                            {"from", true},
                            {"tempo", true},
                            {"count-in", false},
                            {"mute", true},
                            {"solo", true},
                            {"soundfont", true},
                            {"audio-driver", true}});
    PlayOptions options;
    MidiSong song;
    int exitCode = kExitOk;
    if (!LoadForPlay(self, line, 1, options, song, io, exitCode)) {
        return exitCode;
    }
    SystemMidiOutputs outputs(options.soundFont);
    outputs.SetAudioDriver(options.audioDriver);
    SteadyStreamClock clock;
    ScheduledMidiStream stream(outputs, clock);
    Settings settings;
    settings.midiDevice = options.device;
    WaitingNotifier notifier;
    Player player(stream, settings);
    if (const int init = player.Init(song, notifier); init != Player::kOk) {
        return Failure(io, PlayerProblem(init));
    }
    if (player.Open() != Player::kOk) {
        return Failure(io, PlayerProblem(Player::kCannotOpen) + ": " + outputs.Problem());
    }
    if (settings.midiDevice != options.device) {
        io.err << "tavrino-tool: there is no output " << options.device
               << "; playing through the default output\n";
    }
    if (InterruptHandler::Interrupted()) {
        return kExitOk;
    }
    if (const int played = PlayLoadedSong(player, song, options.request); played != Player::kOk) {
        return Failure(io, PlayerProblem(played));
    }
    FollowPlay(song, player, notifier, io);
    if (player.LastStreamError() != 0) {
        return Failure(io, "playing stopped: " + notifier.Complaints());
    }
    return kExitOk;
}

int RunRender(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(args, {{"soundfont", true}, {"tempo", true}});
    PlayOptions options;
    MidiSong song;
    int exitCode = kExitOk;
    if (!LoadForPlay(self, line, 2, options, song, io, exitCode)) {
        return exitCode;
    }
    const std::optional<std::filesystem::path> soundFont = FindSoundFont(options.soundFont);
    if (!soundFont) {
        return Failure(io, "no SoundFont found; name one with --soundfont");
    }
    const std::string& out = line.positionals()[1];
    std::string problem;
    const auto renderer = WavRenderOutput::Open(*soundFont, out, problem);
    if (!renderer) {
        return Failure(io, problem);
    }
    VirtualStreamClock clock;
    SingleOutput outputs("renderer", renderer);
    const PlaybackResult played = PlayInVirtualTime(song, outputs, clock, options.request);
    if (!renderer->Finish(played.end) || played.streamError != 0) {
        return WriteError(out, io);
    }
    if (played.result != Player::kOk) {
        return Failure(io, PlayerProblem(played.result));
    }
    return kExitOk;
}

int RunTrace(const Command& self, const std::vector<std::string>& args, Io& io) {
    CommandLine line(
        args,
        {{"from", true}, {"tempo", true}, {"count-in", false}, {"mute", true}, {"solo", true}});
    PlayOptions options;
    MidiSong song;
    int exitCode = kExitOk;
    if (!LoadForPlay(self, line, 1, options, song, io, exitCode)) {
        return exitCode;
    }
    VirtualStreamClock clock;
    const auto recorder = std::make_shared<RecordingOutput>(clock, 2 * song.messages.size() + 4096);
    SingleOutput outputs("recorder", recorder);
    const PlaybackResult played = PlayInVirtualTime(song, outputs, clock, options.request);
    if (played.result != Player::kOk) {
        return Failure(io, PlayerProblem(played.result));
    }
    for (const RecordedMessage& message : recorder->Messages()) {
        char text[48];
        int length = std::snprintf(text, sizeof text, "%lld\t",
                                   static_cast<long long>(message.arrived / 1000));
        for (std::uint8_t i = 0; i < message.size; ++i) {
            length += std::snprintf(text + length, sizeof text - static_cast<std::size_t>(length),
                                    i == 0 ? "%02X" : " %02X", message.bytes[i]);
        }
        io.out << std::string_view(text, static_cast<std::size_t>(length)) << "\n";
    }
    return io.out.flush() ? kExitOk : kExitFailure;
}

}  // namespace

std::span<const Command> PlaybackCommands() {
    return kCommands;
}

}  // namespace tavrino::tool
