#include "song/midi_reader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <vector>

#include "song/byte_reader.h"
#include "song/file_bytes.h"
#include "song/note_pairing.h"

namespace tavrino {

namespace {

constexpr std::size_t kMaxTracks = 128;
constexpr const char* kExpectedContinuation =
    "Bad file - expected continuation of system exclusive";
constexpr const char* kOutOfMemory = "Out of memory";

// What the 14 bytes at the start of a Standard MIDI File say.
struct SmfHeader {
    int format = 0;
    int trackCount = 0;
    int division = 0;
    std::size_t end = 0;  // where the first chunk starts
};

// Reads and checks the header; nothing when the bytes are not one the reader
// accepts (no "MThd", too short, format 2, SMPTE timing).
std::optional<SmfHeader> ParseHeader(ByteReader& in);

// One call's worth of reading state; the song is filled as it goes.
class SmfReader {
public:
    SmfReader(MidiSong& song, std::span<const std::uint8_t> bytes, ReadListener* listener)
        : song_(song), in_(bytes), listener_(listener) {}

    // Reads the header and every track chunk.
    int ReadChunks();

private:
    int ReadHeader(int& trackCount);
    int ReadChunk();
    int ReadEvent();
    int ReadChannelMessage(int status, int firstByte, bool firstIsData);
    int ReadSysEx();
    int ReadSysExContinuation();
    int ReadMeta();
    struct Payload {
        std::unique_ptr<std::uint8_t[]> bytes;  // plus a terminating 0
        std::uint32_t size = 0;
    };
    // Reads a variable-length size and that many bytes; no bytes when the
    // size is malformed or the file cannot hold them.
    Payload ReadPayload();
    MidiEvent* Place(std::unique_ptr<MidiEvent> event, MidiTrack& track);
    // Places a system-exclusive event of the payload at the current time.
    template <class Event, class... Payload>
    void PlaceSysEx(Payload&&... payload) {
        auto event = std::make_unique<Event>();
        event->time = static_cast<std::int32_t>(time_);
        event->setPayload(std::forward<Payload>(payload)...);
        Place(std::move(event), *current_);
    }
    void ReportProgress();
    int PercentRead() const;

    MidiSong& song_;
    ByteReader in_;
    ReadListener* listener_;
    bool truncated_ = false;
    std::size_t nextProgressAt_ = 0;
    int lastPercent_ = -1;

    // Per chunk.
    MidiTrack* current_ = nullptr;
    std::array<int, 16> channelTrack_{};  // format 0: channel -> track index; format 1: seen mark
    std::int64_t time_ = 0;
    int runningStatus_ = 0;
    bool continuationPending_ = false;
    std::vector<std::uint8_t> continuation_;
};

int SmfReader::ReadChunks() {
    int trackCount = 0;
    if (const int result = ReadHeader(trackCount); result != kReadOk) {
        return result;
    }
    for (int chunk = 0; chunk < trackCount; ++chunk) {
        if (const int result = ReadChunk(); result != kReadOk) {
            if (song_.lastError.empty()) {
                song_.lastError = "damaged at byte " + std::to_string(in_.position());
            }
            return result;
        }
    }
    if (listener_ != nullptr) {
        listener_->OnProgress(PercentRead());
        if (truncated_) {
            listener_->OnTruncated();
        }
    }
    return kReadOk;
}

std::optional<SmfHeader> ParseHeader(ByteReader& in) {
    std::uint8_t tag[4];
    if (!in.ReadBytes(tag, 4) || std::memcmp(tag, "MThd", 4) != 0) {
        return std::nullopt;
    }
    SmfHeader header;
    const std::int64_t headerLength = in.Read32();
    header.end = in.position() + static_cast<std::size_t>(std::max<std::int64_t>(headerLength, 0));
    header.format = in.Read16();
    header.trackCount = in.Read16();
    header.division = in.Read16();
    // SMPTE divisions (bit 15) are not supported; a division of 0 would leave
    // nothing to measure time by.
    if (headerLength < 0 || header.format < 0 || header.trackCount < 0 || header.division <= 0 ||
        header.format > 1 || (header.division & 0x8000) != 0) {
        return std::nullopt;
    }
    return header;
}

int SmfReader::ReadHeader(int& trackCount) {
    const std::optional<SmfHeader> header = ParseHeader(in_);
    if (!header) {
        return kReadBadHeader;
    }
    const int format = header->format;
    trackCount = header->trackCount;
    song_.format = static_cast<std::int16_t>(format);
    song_.division = static_cast<std::int16_t>(header->division);
    if (format == 0) {
        if (trackCount < 2) {
            // Receives every event that is not a channel message.
            song_.tracks.push_back(std::make_unique<MidiTrack>());
        } else {
            song_.format = 1;
        }
    }
    trackCount = std::min<int>(trackCount, kMaxTracks);
    in_.Seek(header->end);
    return kReadOk;
}

int SmfReader::ReadChunk() {
    channelTrack_.fill(-1);
    time_ = 0;
    runningStatus_ = 0;
    continuationPending_ = false;
    continuation_.clear();

    const std::size_t chunkStart = in_.position();
    std::uint8_t tag[4];
    const bool tagRead = in_.ReadBytes(tag, 4);
    const std::int64_t length = in_.Read32();
    if (!tagRead || length < 0 || std::memcmp(tag, "MTrk", 4) != 0) {
        if (in_.atEnd()) {
            truncated_ = true;
            return kReadOk;
        }
        in_.Seek(chunkStart);  // where the damage is reported
        return kReadError;
    }
    const std::size_t dataStart = in_.position();
    in_.chunkRemaining = length;
    if (song_.format == 1) {
        song_.tracks.push_back(std::make_unique<MidiTrack>());
        current_ = song_.tracks.back().get();
        // Most events take three bytes or more, running status included: one
        // allocation instead of a series of copies as the track grows.
        current_->events.reserve(
            static_cast<std::size_t>(std::min<std::int64_t>(length, in_.remainingInFile()) / 3));
    } else {
        current_ = song_.tracks.front().get();
    }

    while (in_.chunkRemaining > 0) {
        ReportProgress();
        const std::int64_t delta = in_.ReadVarLen();
        if (delta < 0) {
            truncated_ = true;
            break;
        }
        time_ += delta;
        // Ticks are 32-bit; a file claiming more time than that is corrupt.
        if (time_ > std::numeric_limits<std::int32_t>::max()) {
            return kReadError;
        }
        song_.songLength = std::max(song_.songLength, static_cast<std::int32_t>(time_));
        if (const int result = ReadEvent(); result != kReadOk) {
            return result;
        }
    }
    in_.Seek(dataStart + static_cast<std::size_t>(length));
    return kReadOk;
}

int SmfReader::ReadEvent() {
    const int byte = in_.Byte();
    if (byte < 0) {
        return kReadError;
    }
    if (continuationPending_ && byte != 0xF7) {
        song_.lastError = kExpectedContinuation;
        return kReadError;
    }
    const bool isStatus = (byte & 0x80) != 0;
    const int status = isStatus ? byte : runningStatus_;
    switch (status >> 4) {
        case 0x8:
        case 0x9:
        case 0xA:
        case 0xB:
        case 0xC:
        case 0xD:
        case 0xE:
            return ReadChannelMessage(status, byte, !isStatus);
        case 0x0:
            return kReadOk;  // a data byte without running status is dropped
        default:
            break;
    }
    switch (status) {
        case 0xF0:
            return ReadSysEx();
        case 0xF7:
            return ReadSysExContinuation();
        case 0xFF:
            return ReadMeta();
        default:
            return kReadError;  // system common and real-time bytes do not belong in files
    }
}

int SmfReader::ReadChannelMessage(int status, int firstByte, bool firstIsData) {
    runningStatus_ = status;
    const int kindNibble = status >> 4;
    const bool twoDataBytes = kindNibble != 0xC && kindNibble != 0xD;
    const int data1 = firstIsData ? firstByte : in_.Byte();
    const int data2 = twoDataBytes ? in_.Byte() : 0;
    if (data1 < 0 || data2 < 0) {
        return kReadError;
    }
    const int channel = status & 0x0F;
    MidiTrack* track = current_;
    if (song_.format == 1) {
        if (channelTrack_[channel] < 0) {
            channelTrack_[channel] = 1;
            auto& channels = current_->channels;
            channels.insert(std::upper_bound(channels.begin(), channels.end(), channel),
                            static_cast<std::uint8_t>(channel));
        }
    } else {
        if (channelTrack_[channel] < 0) {
            channelTrack_[channel] = static_cast<int>(song_.tracks.size());
            song_.tracks.push_back(std::make_unique<MidiTrack>());
            song_.tracks.back()->channels.push_back(static_cast<std::uint8_t>(channel));
        }
        track = song_.tracks[static_cast<std::size_t>(channelTrack_[channel])].get();
    }
    Place(CreateChannelEvent(static_cast<std::int32_t>(time_), status, data1, data2), *track);
    return kReadOk;
}

int SmfReader::ReadSysEx() {
    auto [payload, size] = ReadPayload();
    if (!payload) {
        return kReadError;
    }
    if (size > 0 && payload[size - 1] == 0xF7) {
        PlaceSysEx<SysExEvent>(std::move(payload), size);
    } else {
        continuation_.assign(payload.get(), payload.get() + size);
        continuationPending_ = true;
    }
    return kReadOk;
}

int SmfReader::ReadSysExContinuation() {
    auto [packet, size] = ReadPayload();
    if (!packet) {
        return kReadError;
    }
    if (!continuationPending_) {
        PlaceSysEx<StrangeSysExEvent>(std::move(packet), size);
        return kReadOk;
    }
    continuation_.insert(continuation_.end(), packet.get(), packet.get() + size);
    if (size > 0 && packet[size - 1] == 0xF7) {
        PlaceSysEx<SysExEvent>(std::span<const std::uint8_t>(continuation_));
        continuation_.clear();
        continuationPending_ = false;
    }
    return kReadOk;
}

int SmfReader::ReadMeta() {
    const int type = in_.Byte();
    if (type < 0) {
        return kReadError;
    }
    auto [payload, size] = ReadPayload();
    if (!payload) {
        return kReadError;
    }
    MidiEvent* event =
        Place(CreateMetaEvent(static_cast<std::int32_t>(time_), type, std::move(payload), size),
              *current_);
    switch (event->kind()) {
        case EventKind::Text:
            ++current_->textCount;
            break;
        case EventKind::Lyric:
            ++current_->lyricCount;
            break;
        case EventKind::Tempo:
            song_.tempos.push_back(static_cast<TempoEvent*>(event));
            break;
        case EventKind::TimeSignature:
            song_.timeSignatures.push_back(static_cast<TimeSignatureEvent*>(event));
            break;
        case EventKind::KeySignature:
            song_.keyText = static_cast<const KeySignatureEvent*>(event)->keyName();
            break;
        case EventKind::TrackName:
            current_->name = std::string(event->text());
            break;
        default:
            break;
    }
    return kReadOk;
}

SmfReader::Payload SmfReader::ReadPayload() {
    const std::int64_t length = in_.ReadVarLen();
    // A length beyond what the file still holds is corrupt; refusing it here
    // keeps a tiny file from claiming gigabytes.
    if (length < 0 || static_cast<std::uint64_t>(length) > in_.remainingInFile()) {
        return {};
    }
    Payload payload{
        std::make_unique_for_overwrite<std::uint8_t[]>(static_cast<std::size_t>(length) + 1),
        static_cast<std::uint32_t>(length)};
    in_.ReadBytes(payload.bytes.get(), payload.size);
    payload.bytes[payload.size] = 0;
    return payload;
}

MidiEvent* SmfReader::Place(std::unique_ptr<MidiEvent> event, MidiTrack& track) {
    MidiEvent* placed = track.Add(std::move(event));
    // Format 1 lists are merged from the tracks once reading is done; a format
    // 0 chunk arrives in time order and can be listed as it comes.
    if (song_.format == 0) {
        song_.messages.Append(placed);
    }
    return placed;
}

void SmfReader::ReportProgress() {
    if (listener_ == nullptr || in_.position() < nextProgressAt_) {
        return;
    }
    const int percent = PercentRead();
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        listener_->OnProgress(percent);
    }
    // The first position at which the percentage changes again.
    nextProgressAt_ = (static_cast<std::size_t>(percent + 1) * in_.size() + 99) / 100;
}

int SmfReader::PercentRead() const {
    if (in_.size() == 0) {
        return 100;
    }
    return static_cast<int>(std::min(in_.position(), in_.size()) * 100 / in_.size());
}

void CloseFormat0Tracks(MidiSong& song) {
    song.format = 1;
    for (std::size_t i = 0; i < song.tracks.size();) {
        MidiTrack& track = *song.tracks[i];
        if (track.events.empty()) {
            song.tracks.erase(song.tracks.begin() + static_cast<std::ptrdiff_t>(i));
            continue;
        }
        if (track.events.back()->kind() != EventKind::EndOfTrack) {
            auto end = std::make_unique<EndOfTrackEvent>();
            end->time = track.events.back()->time;
            song.messages.Insert(track.Add(std::move(end)));
        }
        ++i;
    }
}

void EnsureTimeSignatureAtZero(MidiSong& song) {
    if (song.tracks.empty() ||
        (!song.timeSignatures.empty() && song.timeSignatures.front()->time == 0)) {
        return;
    }
    // After any leading track name, text, copyright, generic meta and sysex
    // events at tick 0, before everything that plays or shapes time.
    auto& events = song.tracks.front()->events;
    const auto position = std::find_if(events.begin(), events.end(), [](const auto& event) {
        const EventKind kind = event->kind();
        return event->time != 0 || kind == EventKind::EndOfTrack ||
               kind == EventKind::KeySignature || kind == EventKind::Tempo || IsChannelKind(kind);
    });
    auto signature = std::make_unique<TimeSignatureEvent>(4, 4, 24, 8);
    signature->track = song.tracks.front().get();
    song.timeSignatures.insert(song.timeSignatures.begin(), signature.get());
    events.insert(position, std::move(signature));
}

// Everything after the chunks: notes, the message list, the tempo and meter
// lists, the bar table.
void CompleteSong(MidiSong& song) {
    PairNotes(song);
    if (song.format == 0) {
        CloseFormat0Tracks(song);
    } else {
        song.messages.MergeTracks(song.tracks);
    }
    // Tracks may carry tempo and meter changes of their own; the song-wide
    // lists serve lookups by time, so they are kept in time order.
    std::stable_sort(song.tempos.begin(), song.tempos.end(), EarlierThan);
    std::stable_sort(song.timeSignatures.begin(), song.timeSignatures.end(), EarlierThan);
    EnsureTimeSignatureAtZero(song);
    song.RebuildBars();
}

// Ends a load that failed: the song is left reset, with the reason.
int Fail(MidiSong& song, int result, std::string reason) {
    song.Reset();
    song.lastError = std::move(reason);
    return result;
}

// Reads into a song already reset and marked as loading. The file's bytes are
// dropped as soon as the chunks are read when the reader owns them, to keep
// the peak memory of large files down.
int Load(MidiSong& song, std::span<const std::uint8_t> bytes, ReadListener* listener,
         FileBytes* ownedBytes) {
    const int result = SmfReader(song, bytes, listener).ReadChunks();
    if (ownedBytes != nullptr) {
        *ownedBytes = {};
    }
    if (result != kReadOk) {
        return Fail(song, result, song.lastError);
    }
    CompleteSong(song);
    return kReadOk;
}

// Runs a load with the song marked as loading. Running out of memory anywhere
// fails the load like any other read error instead of ending the program.
template <typename Reading>
int Loading(MidiSong& song, const std::string& path, Reading reading) {
    song.Reset();
    song.loading = 1;
    song.path = path;
    int result;
    try {
        result = reading();
    } catch (const std::bad_alloc&) {
        result = Fail(song, kReadError, kOutOfMemory);
    }
    song.loading = 0;
    return result;
}

// Reads the file's bytes after checking its header from the first ones, so
// that a file of another kind, or a device that never ends, is refused at
// once.
int ReadFileInto(MidiSong& song, const std::string& path, ReadListener* listener) {
    constexpr std::size_t kHeaderSize = 14;
    const auto isHeader = [](std::span<const std::uint8_t> start) {
        ByteReader in(start);
        return ParseHeader(in).has_value();
    };
    FileBytes bytes;
    switch (ReadCheckedFile(path, kHeaderSize, isHeader, kLargestMidiFile, bytes)) {
        case CheckedReadResult::kCannotOpen:
            return kReadCannotOpen;
        case CheckedReadResult::kRefused:
            return Fail(song, kReadBadHeader, {});
        case CheckedReadResult::kTooLarge:
            return Fail(
                song, kReadError,
                "File too large: the limit is " + std::to_string(kLargestMidiFile >> 20) + " MiB");
        case CheckedReadResult::kRead:
            break;
    }
    return Load(song, bytes.span(), listener, &bytes);
}

}  // namespace

int ReadMidiData(MidiSong& song, std::span<const std::uint8_t> bytes, const std::string& path,
                 ReadListener* listener) {
    return Loading(song, path, [&] { return Load(song, bytes, listener, nullptr); });
}

int ReadMidiFile(MidiSong& song, const std::string& path, ReadListener* listener) {
    return Loading(song, path, [&] { return ReadFileInto(song, path, listener); });
}

}  // namespace tavrino
