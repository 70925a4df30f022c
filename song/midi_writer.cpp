#include "song/midi_writer.h"

#include "song/file_bytes.h"

namespace tavrino {

namespace {

class ByteWriter {
public:
    explicit ByteWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Byte(int value) { out_.push_back(static_cast<std::uint8_t>(value)); }
    void Write16(int value) {
        Byte(value >> 8);
        Byte(value);
    }
    void Write32(std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            Byte(static_cast<int>(value >> shift));
        }
    }
    // Variable-length quantity of the value taken as unsigned 32-bit.
    void VarLen(std::uint32_t value) {
        std::uint8_t groups[5];
        int count = 0;
        do {
            groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
            value >>= 7;
        } while (value != 0);
        while (count > 1) {
            Byte(groups[--count] | 0x80);
        }
        Byte(groups[0]);
    }
    void Bytes(std::span<const std::uint8_t> bytes) {
        out_.insert(out_.end(), bytes.begin(), bytes.end());
    }
    void Tag(const char (&tag)[5]) {
        for (int i = 0; i < 4; ++i) {
            Byte(tag[i]);
        }
    }

private:
    std::vector<std::uint8_t>& out_;
};

void WriteEvent(const MidiEvent& event, ByteWriter& writer) {
    const EventKind kind = event.kind();
    if (IsChannelKind(kind)) {
        writer.Byte(event.status);
        writer.Byte(event.data1);
        if (kind != EventKind::Program && kind != EventKind::ChannelPressure) {
            writer.Byte(event.data2);
        }
    } else if (IsMetaKind(kind)) {
        writer.Byte(0xFF);
        writer.Byte(event.metaType);
        writer.VarLen(event.length);
        writer.Bytes(event.payload());
    } else if (IsSysExKind(kind)) {
        // An F7 escape packet goes back as one: written as an F0 message, its
        // bytes would read back as an unfinished system-exclusive message.
        writer.Byte(kind == EventKind::StrangeSysEx ? 0xF7 : 0xF0);
        writer.VarLen(event.length);
        writer.Bytes(event.payload());
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeMidiFile(const MidiSong& song) {
    std::vector<std::uint8_t> out;
    ByteWriter writer(out);
    writer.Tag("MThd");
    writer.Write32(6);
    // Always format 1: a format 0 header over several chunks is a broken file.
    writer.Write16(1);
    writer.Write16(static_cast<int>(song.tracks.size()));
    writer.Write16(song.division);
    for (const auto& track : song.tracks) {
        writer.Tag("MTrk");
        const std::size_t lengthAt = out.size();
        writer.Write32(0);
        std::int32_t previous = 0;
        for (const auto& event : track->events) {
            writer.VarLen(static_cast<std::uint32_t>(event->time - previous));
            WriteEvent(*event, writer);
            previous = event->time;
        }
        const auto length = static_cast<std::uint32_t>(out.size() - lengthAt - 4);
        for (int i = 0; i < 4; ++i) {
            out[lengthAt + static_cast<std::size_t>(i)] =
                static_cast<std::uint8_t>(length >> (24 - 8 * i));
        }
    }
    return out;
}

int WriteMidiFile(MidiSong& song, const std::optional<std::string>& path) {
    if (path) {
        song.path = *path;
    }
    if (song.tracks.empty()) {
        return kWriteNoTracks;
    }
    return WriteFileReplacing(song.path, EncodeMidiFile(song)) ? kWriteOk : kWriteFailed;
}

}  // namespace tavrino
