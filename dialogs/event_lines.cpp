#include "dialogs/event_lines.h"

#include <cstdio>

#include "dialogs/gm_programs.h"

namespace tavrino {

namespace {

std::string ChannelSuffix(const MidiEvent& event, const char* separator) {
    return std::string(separator) + "(ch " + std::to_string(event.channel() + 1) + ")";
}

}  // namespace

std::string PositionText(const MidiSong& song, std::int32_t tick) {
    const BarBeat position = song.TickToBarBeat(tick).value_or(BarBeat{1, 1, 0});
    char text[48];
    std::snprintf(text, sizeof text, "%03d:%02d:%03d", position.bar, position.beat, position.tick);
    return text;
}

double ShownBeatsPerMinute(std::int32_t microsecondsPerQuarter) {
    if (microsecondsPerQuarter <= 0) {
        return 0;
    }
    const std::int64_t m = microsecondsPerQuarter;
    return static_cast<double>((6'000'000'000 + m / 2) / m) / 100.0;
}

std::string TempoLine(const MidiSong& song, const TempoEvent& tempo) {
    char value[32];
    std::snprintf(value, sizeof value, "  %.2f", ShownBeatsPerMinute(tempo.value()));
    return PositionText(song, tempo.time) + value;
}

std::string TimeSignatureLine(const MidiSong& song, const TimeSignatureEvent& signature) {
    return PositionText(song, signature.time) + "  " + std::to_string(signature.numerator()) + "/" +
           std::to_string(signature.denominator());
}

std::string ControllerLine(const MidiSong& song, const MidiEvent& controller, bool showChannel) {
    std::string line =
        PositionText(song, controller.time) + "  " + std::to_string(controller.data2);
    return showChannel ? line + ChannelSuffix(controller, "  ") : line;
}

std::string ProgramLine(const MidiSong& song, const MidiEvent& program, bool showChannel) {
    std::string line = PositionText(song, program.time) + " " +
                       ProgramChangeText(program.data1, program.channel());
    return showChannel ? line + ChannelSuffix(program, " ") : line;
}

std::string ChannelsText(const MidiTrack& track) {
    if (track.channels.empty()) {
        return {};
    }
    std::string text = track.channels.size() == 1 ? "Channel" : "Channels";
    for (const std::uint8_t channel : track.channels) {
        text += ' ';
        text += std::to_string(channel + 1);
    }
    return text;
}

}  // namespace tavrino
