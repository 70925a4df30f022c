#pragma once

#include <cstdint>
#include <memory>
#include <new>
#include <span>
#include <string>
#include <string_view>

namespace tavrino {

class MidiTrack;

// The event classes' identity. Bit 0x10 marks channel messages, bit 0x20
// system-exclusive events and bit 0x40 meta events; every dispatch on the type
// of an event goes through this number.
enum class EventKind : std::int16_t {
    GeneralMessage = 0,
    Channel = 16,
    NoteOff = 17,
    NoteOn = 18,
    ChannelPressure = 19,
    Aftertouch = 20,
    Controller = 21,
    Program = 22,
    PitchWheel = 23,
    SysEx = 32,
    StrangeSysEx = 33,
    Meta = 64,
    EndOfTrack = 65,
    Text = 66,
    Copyright = 67,
    Lyric = 69,
    Tempo = 70,
    TimeSignature = 71,
    KeySignature = 72,
    TrackName = 73,
};

inline constexpr int kChannelKindBit = 0x10;
inline constexpr int kSysExKindBit = 0x20;
inline constexpr int kMetaKindBit = 0x40;

inline constexpr bool IsChannelKind(EventKind kind) {
    return (static_cast<int>(kind) & kChannelKindBit) != 0;
}
inline constexpr bool IsSysExKind(EventKind kind) {
    return (static_cast<int>(kind) & kSysExKindBit) != 0;
}
inline constexpr bool IsMetaKind(EventKind kind) {
    return (static_cast<int>(kind) & kMetaKindBit) != 0;
}

// Channel index 9 (shown as channel 10) is General MIDI percussion: it is not
// paired, transposed, drawn or given tablature.
inline constexpr int kPercussionChannel = 9;

// One timed event of a track. All classes share these fields and this
// interface; they differ only in their kind, value and description, so every
// event fits one fixed-size block (see event_pool.h). The kind is the class's
// identity, kept in the object: loops over millions of events test it far
// more often than anything else.
//
// There are no virtual functions: a table pointer in each of millions of
// events would cost a sixth of their memory. The operations below dispatch on
// the kind, and the pool's delete destroys an event as the class it was
// created as.
class MidiEvent {
public:
    MidiEvent() = default;
    MidiEvent(const MidiEvent&) = delete;
    MidiEvent& operator=(const MidiEvent&) = delete;
    ~MidiEvent() = default;

    EventKind kind() const { return kind_; }
    // The status nibble of a channel class, the meta type of the end-of-track,
    // tempo, time-signature and key-signature classes, 0 for the others.
    std::int16_t statusCode() const;
    // The main value: data1 unless the class says otherwise (pitch wheel,
    // tempo).
    std::int32_t value() const;
    // Sets data1 to the low 8 bits of v, sign-extended (a tempo its payload).
    void setValue(std::int32_t v);
    // Appends the event's one-line description of the disassembled listing.
    void describe(std::string& line) const;

    int channel() const { return status & 0x0F; }
    bool isPercussion() const { return channel() == kPercussionChannel; }
    // A note-on with a velocity; a note-on with velocity 0 ends a note.
    bool isSoundingNoteOn() const { return kind() == EventKind::NoteOn && data2 > 0; }
    bool isNoteEnd() const {
        return kind() == EventKind::NoteOff || (kind() == EventKind::NoteOn && data2 == 0);
    }
    // Words of the song: what the text row and the lyrics follow.
    bool isTextOrLyric() const { return kind() == EventKind::Text || kind() == EventKind::Lyric; }

    // The payload as stored (meta and sysex events), without the terminator.
    std::span<const std::uint8_t> payload() const { return {data.get(), length}; }
    // The payload up to its first 0 byte.
    std::string_view text() const;
    // Replaces the payload; one extra 0 byte always follows it.
    void setPayload(std::span<const std::uint8_t> bytes);
    void setPayload(std::unique_ptr<std::uint8_t[]> terminatedBytes, std::uint32_t byteCount);

    static void* operator new(std::size_t size);
    static void operator delete(MidiEvent* event, std::destroying_delete_t) noexcept;

    // Ordered so that the fields pack into one 48-byte pool block.
    std::int32_t time = 0;      // absolute tick
    std::int32_t duration = 0;  // a paired note-on's length in ticks
    // Payload size. 32 bits wide: system-exclusive dumps may be far longer than
    // 32767 bytes.
    std::uint32_t length = 0;
    std::int16_t metaType = 0;  // meta type byte of a meta event
    std::int16_t status = 0;    // full status byte of a channel message
    std::int16_t data1 = 0;
    std::int16_t data2 = 0;

private:
    EventKind kind_ = EventKind::GeneralMessage;

public:
    std::int8_t overlapped = 0;            // set by note pairing
    std::int8_t playable = 0;              // a sounding, non-percussion note
    std::unique_ptr<std::uint8_t[]> data;  // length bytes plus a terminating 0
    MidiEvent* buddy = nullptr;            // note-on <-> its note-off
    MidiTrack* track = nullptr;            // the track that holds the event

protected:
    explicit MidiEvent(EventKind kind) : kind_(kind) {}
};

// --- Channel messages -------------------------------------------------------

class ChannelEvent : public MidiEvent {
public:
    ChannelEvent() : MidiEvent(EventKind::Channel) {}
    ChannelEvent(std::int32_t eventTime, int statusByte, int firstData, int secondData)
        : ChannelEvent(EventKind::Channel, eventTime, statusByte, firstData, secondData) {}
    void describe(std::string& line) const;

protected:
    ChannelEvent(EventKind kind, std::int32_t eventTime, int statusByte, int firstData,
                 int secondData);
};

// The channel classes differ only in kind, value and description.
template <EventKind Kind>
class ChannelMessage : public ChannelEvent {
public:
    ChannelMessage() : ChannelEvent(Kind, 0, 0, 0, 0) {}
    ChannelMessage(std::int32_t eventTime, int statusByte, int firstData, int secondData)
        : ChannelEvent(Kind, eventTime, statusByte, firstData, secondData) {}
};

class NoteOffEvent : public ChannelMessage<EventKind::NoteOff> {
public:
    using ChannelMessage::ChannelMessage;
    void describe(std::string& line) const;
};

class NoteOnEvent : public ChannelMessage<EventKind::NoteOn> {
public:
    using ChannelMessage::ChannelMessage;
    void describe(std::string& line) const;
};

class AftertouchEvent : public ChannelMessage<EventKind::Aftertouch> {
public:
    using ChannelMessage::ChannelMessage;
    void describe(std::string& line) const;
};

class ControllerEvent : public ChannelMessage<EventKind::Controller> {
public:
    using ChannelMessage::ChannelMessage;
    void describe(std::string& line) const;
};

class ProgramEvent : public ChannelMessage<EventKind::Program> {
public:
    using ChannelMessage::ChannelMessage;
    void describe(std::string& line) const;
};

class ChannelPressureEvent : public ChannelMessage<EventKind::ChannelPressure> {
public:
    using ChannelMessage::ChannelMessage;
    void describe(std::string& line) const;
};

class PitchWheelEvent : public ChannelMessage<EventKind::PitchWheel> {
public:
    using ChannelMessage::ChannelMessage;
    // -8192..8191 from the 14-bit LSB/MSB pair.
    std::int32_t value() const;
    void describe(std::string& line) const;
};

// Orders events by time alone; events of equal time keep their order only
// under a stable sort or an insertion at the upper bound.
inline bool EarlierThan(const MidiEvent* a, const MidiEvent* b) {
    return a->time < b->time;
}

// The class for a channel status byte 0x80-0xEF, given (time, status, data).
std::unique_ptr<MidiEvent> CreateChannelEvent(std::int32_t time, int status, int data1, int data2);

// --- System exclusive -------------------------------------------------------

class SysExEvent : public MidiEvent {
public:
    SysExEvent() : MidiEvent(EventKind::SysEx) {}
    void describe(std::string& line) const;
};

// An F7 packet that continues no F0 message.
class StrangeSysExEvent : public MidiEvent {
public:
    StrangeSysExEvent() : MidiEvent(EventKind::StrangeSysEx) {}
    void describe(std::string& line) const;
};

// --- Meta events ------------------------------------------------------------

class MetaEvent : public MidiEvent {
public:
    MetaEvent() : MidiEvent(EventKind::Meta) {}
    void describe(std::string& line) const;

protected:
    explicit MetaEvent(EventKind kind) : MidiEvent(kind) {}
};

class EndOfTrackEvent : public MetaEvent {
public:
    EndOfTrackEvent() : MetaEvent(EventKind::EndOfTrack) { metaType = 0x2F; }
    void describe(std::string& line) const;
};

class TextEvent : public MetaEvent {
public:
    TextEvent() : MetaEvent(EventKind::Text) {}
    void describe(std::string& line) const;
};

class CopyrightEvent : public MetaEvent {
public:
    CopyrightEvent() : MetaEvent(EventKind::Copyright) {}
    void describe(std::string& line) const;
};

class LyricEvent : public MetaEvent {
public:
    LyricEvent() : MetaEvent(EventKind::Lyric) {}
    void describe(std::string& line) const;
};

class TrackNameEvent : public MetaEvent {
public:
    TrackNameEvent() : MetaEvent(EventKind::TrackName) {}
    void describe(std::string& line) const;
};

class TempoEvent : public MetaEvent {
public:
    TempoEvent() : MetaEvent(EventKind::Tempo) {}
    // A tempo of trunc(60000000 / bpm) microseconds per quarter note.
    explicit TempoEvent(double bpm);
    // Microseconds per quarter note: the 24-bit big-endian payload.
    std::int32_t value() const;
    void setValue(std::int32_t microsecondsPerQuarter);
    void describe(std::string& line) const;
};

class TimeSignatureEvent : public MetaEvent {
public:
    TimeSignatureEvent() : MetaEvent(EventKind::TimeSignature) {}
    TimeSignatureEvent(int numerator, int denominator, int clocks, int thirtySeconds);
    void describe(std::string& line) const;

    int numerator() const { return static_cast<std::int8_t>(data[0]); }
    // 1 << (byte 1 AND 31); 64-bit because a hostile exponent of 31 must not
    // overflow.
    std::int64_t denominator() const { return std::int64_t{1} << (data[1] & 31); }
    int clocks() const { return data[2]; }
    int thirtySeconds() const { return data[3]; }
};

class KeySignatureEvent : public MetaEvent {
public:
    KeySignatureEvent() : MetaEvent(EventKind::KeySignature) {}
    // Sharps (positive) or flats (negative); a magnitude above 7 is stored as 0.
    KeySignatureEvent(int sharpsFlats, int minor);
    void describe(std::string& line) const;

    int sharpsFlats() const { return static_cast<std::int8_t>(data[0]); }
    void setSharpsFlats(int sharpsFlats) { data[0] = static_cast<std::uint8_t>(sharpsFlats); }
    bool minor() const { return data[1] != 0; }
    const char* minorText() const { return minor() ? "m" : ""; }
    // The key the signature stands for: "Am" for no sharps, minor.
    std::string keyName() const;
};

// "Cb" .. "C#" for -7..7 sharps/flats, "?" beyond: the major key of the
// signature, as the listing prints it.
const char* KeySignatureName(int sharpsFlats);
// The key itself, named by its own tonic: "Cm" for three flats, minor; "?"
// beyond -7..7.
std::string KeyName(int sharpsFlats, bool minor);
// The signature of the key `semitones` higher, spelled with at most six
// accidentals (six sharps rather than six flats only when the key had
// sharps). Out-of-range signatures stay as they are.
int TransposedSharpsFlats(int sharpsFlats, int semitones);

// The class for a meta type, with its payload copied in. Payloads too short
// for a tempo (3 bytes), time signature (4) or key signature (2) cannot be
// interpreted and become plain meta events.
std::unique_ptr<MidiEvent> CreateMetaEvent(std::int32_t time, int type,
                                           std::unique_ptr<std::uint8_t[]> terminatedPayload,
                                           std::uint32_t length);
std::unique_ptr<MidiEvent> CreateMetaEvent(std::int32_t time, int type,
                                           std::span<const std::uint8_t> payload);

}  // namespace tavrino
