#include "song/midi_event.h"

#include <cassert>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <type_traits>

#include "song/event_pool.h"

namespace tavrino {

static_assert(sizeof(MidiEvent) <= detail::kEventBlockSize, "events must fit one pool block");

namespace {

// Appends printf-formatted text; descriptions follow fixed printf layouts.
[[gnu::format(printf, 2, 3)]] void Append(std::string& line, const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    va_list retry;
    va_copy(retry, args);
    const int needed = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (needed < 0) {
        va_end(retry);
        return;
    }
    if (static_cast<std::size_t>(needed) < sizeof buffer) {
        line.append(buffer, static_cast<std::size_t>(needed));
    } else {
        const std::size_t start = line.size();
        line.resize(start + static_cast<std::size_t>(needed) + 1);
        std::vsnprintf(line.data() + start, static_cast<std::size_t>(needed) + 1, format, retry);
        line.resize(start + static_cast<std::size_t>(needed));
    }
    va_end(retry);
}

long Time(const MidiEvent& event) {
    return event.time;
}
int ShownChannel(const MidiEvent& event) {
    return event.channel() + 1;
}

// "%6ld <label>: text = [%d] %s", shared by the text-like meta events.
void DescribeText(const MidiEvent& event, const char* label, std::string& line) {
    Append(line, "%6ld %s: text = [%u] ", Time(event), label, event.length);
    line.append(event.text());
}

std::unique_ptr<std::uint8_t[]> TerminatedCopy(std::span<const std::uint8_t> bytes) {
    auto copy = std::make_unique<std::uint8_t[]>(bytes.size() + 1);
    if (!bytes.empty()) {
        std::memcpy(copy.get(), bytes.data(), bytes.size());
    }
    copy[bytes.size()] = 0;
    return copy;
}

template <typename Event>
std::unique_ptr<MidiEvent> MakeMeta(std::unique_ptr<std::uint8_t[]> payload, std::uint32_t length) {
    auto event = std::make_unique<Event>();
    event->setPayload(std::move(payload), length);
    return event;
}

// Calls `action` with the event as the class its kind names; a plain
// MidiEvent for the general message.
template <typename Event, typename Action>
void WithClass(Event& event, Action&& action) {
    using Base = std::remove_const_t<Event>;
    const auto as = [&event, &action]<typename Class>() {
        using Typed = std::conditional_t<std::is_const_v<Event>, const Class, Class>;
        action(static_cast<Typed&>(event));
    };
    static_assert(std::is_same_v<Base, MidiEvent>);
    switch (event.kind()) {
        case EventKind::Channel:
            return as.template operator()<ChannelEvent>();
        case EventKind::NoteOff:
            return as.template operator()<NoteOffEvent>();
        case EventKind::NoteOn:
            return as.template operator()<NoteOnEvent>();
        case EventKind::ChannelPressure:
            return as.template operator()<ChannelPressureEvent>();
        case EventKind::Aftertouch:
            return as.template operator()<AftertouchEvent>();
        case EventKind::Controller:
            return as.template operator()<ControllerEvent>();
        case EventKind::Program:
            return as.template operator()<ProgramEvent>();
        case EventKind::PitchWheel:
            return as.template operator()<PitchWheelEvent>();
        case EventKind::SysEx:
            return as.template operator()<SysExEvent>();
        case EventKind::StrangeSysEx:
            return as.template operator()<StrangeSysExEvent>();
        case EventKind::Meta:
            return as.template operator()<MetaEvent>();
        case EventKind::EndOfTrack:
            return as.template operator()<EndOfTrackEvent>();
        case EventKind::Text:
            return as.template operator()<TextEvent>();
        case EventKind::Copyright:
            return as.template operator()<CopyrightEvent>();
        case EventKind::Lyric:
            return as.template operator()<LyricEvent>();
        case EventKind::Tempo:
            return as.template operator()<TempoEvent>();
        case EventKind::TimeSignature:
            return as.template operator()<TimeSignatureEvent>();
        case EventKind::KeySignature:
            return as.template operator()<KeySignatureEvent>();
        case EventKind::TrackName:
            return as.template operator()<TrackNameEvent>();
        case EventKind::GeneralMessage:
            break;
    }
    action(static_cast<std::conditional_t<std::is_const_v<Event>, const MidiEvent, MidiEvent>&>(
        event));
}

}  // namespace

void* MidiEvent::operator new(std::size_t size) {
    assert(size <= detail::kEventBlockSize);
    (void)size;
    return detail::AllocateEventBlock();
}

void MidiEvent::operator delete(MidiEvent* event, std::destroying_delete_t) noexcept {
    WithClass(*event, [](auto& typed) {
        using Class = std::remove_reference_t<decltype(typed)>;
        typed.~Class();
    });
    detail::ReleaseEventBlock(event);
}

std::int32_t MidiEvent::value() const {
    switch (kind_) {
        case EventKind::PitchWheel:
            return static_cast<const PitchWheelEvent&>(*this).value();
        case EventKind::Tempo:
            return static_cast<const TempoEvent&>(*this).value();
        default:
            return data1;
    }
}

void MidiEvent::setValue(std::int32_t v) {
    if (kind_ == EventKind::Tempo) {
        static_cast<TempoEvent&>(*this).setValue(v);
    } else {
        data1 = static_cast<std::int8_t>(v & 0xFF);
    }
}

void MidiEvent::describe(std::string& line) const {
    if (kind_ == EventKind::GeneralMessage) {
        Append(line, "%6ld General Message : ", Time(*this));
        return;
    }
    WithClass(*this, [&line](const auto& typed) { typed.describe(line); });
}

std::int16_t MidiEvent::statusCode() const {
    switch (kind_) {
        case EventKind::NoteOff:
            return 0x80;
        case EventKind::NoteOn:
            return 0x90;
        case EventKind::Aftertouch:
            return 0xA0;
        case EventKind::Controller:
            return 0xB0;
        case EventKind::Program:
            return 0xC0;
        case EventKind::ChannelPressure:
            return 0xD0;
        case EventKind::PitchWheel:
            return 0xE0;
        case EventKind::EndOfTrack:
            return 0x2F;
        case EventKind::Tempo:
            return 0x51;
        case EventKind::TimeSignature:
            return 0x58;
        case EventKind::KeySignature:
            return 0x59;
        default:
            return 0;
    }
}

std::string_view MidiEvent::text() const {
    if (!data) {
        return {};
    }
    const auto* chars = reinterpret_cast<const char*>(data.get());
    return {chars, ::strnlen(chars, length)};
}

void MidiEvent::setPayload(std::span<const std::uint8_t> bytes) {
    setPayload(TerminatedCopy(bytes), static_cast<std::uint32_t>(bytes.size()));
}

void MidiEvent::setPayload(std::unique_ptr<std::uint8_t[]> terminatedBytes,
                           std::uint32_t byteCount) {
    data = std::move(terminatedBytes);
    length = byteCount;
}

// --- Channel messages -------------------------------------------------------

ChannelEvent::ChannelEvent(EventKind kind, std::int32_t eventTime, int statusByte, int firstData,
                           int secondData)
    : MidiEvent(kind) {
    time = eventTime;
    status = static_cast<std::int16_t>(statusByte);
    data1 = static_cast<std::int16_t>(firstData);
    data2 = static_cast<std::int16_t>(secondData);
}

void ChannelEvent::describe(std::string& line) const {
    Append(line, "%6ld Channel Message : status = %2x c1 = %3d c2 = %3d", Time(*this),
           status & 0xFF, data1, data2);
}

void NoteOffEvent::describe(std::string& line) const {
    Append(line, "%6ld Note Off        : chan = %d note = %3d vel = %3d  (%ld)", Time(*this),
           ShownChannel(*this), data1, data2, static_cast<long>(duration));
}

void NoteOnEvent::describe(std::string& line) const {
    Append(line, "%6ld Note On         : chan = %d note = %3d vel = %3d  (%ld)", Time(*this),
           ShownChannel(*this), data1, data2, static_cast<long>(duration));
}

void AftertouchEvent::describe(std::string& line) const {
    Append(line, "%6ld Aftertouch      : chan = %d note = %3d press = %3d", Time(*this),
           ShownChannel(*this), data1, data2);
}

void ControllerEvent::describe(std::string& line) const {
    Append(line, "%6ld Controller      : chan = %d param = %3d setting = %3d", Time(*this),
           ShownChannel(*this), data1, data2);
}

void ProgramEvent::describe(std::string& line) const {
    Append(line, "%6ld Program         : chan = %d param = %3d", Time(*this), ShownChannel(*this),
           data1);
}

void ChannelPressureEvent::describe(std::string& line) const {
    Append(line, "%6ld Channel Pressure: chan = %d press = %3d", Time(*this), ShownChannel(*this),
           data1);
}

std::int32_t PitchWheelEvent::value() const {
    return (((data2 << 7) & 0x3FFF) | (data1 & 0x7F)) - 8192;
}

void PitchWheelEvent::describe(std::string& line) const {
    Append(line, "%6ld Pitch Wheel     : chan = %d value %d  (%ld)", Time(*this),
           ShownChannel(*this), value(), static_cast<long>(duration));
}

std::unique_ptr<MidiEvent> CreateChannelEvent(std::int32_t time, int status, int data1, int data2) {
    switch (status & 0xF0) {
        case 0x80:
            return std::make_unique<NoteOffEvent>(time, status, data1, data2);
        case 0x90:
            return std::make_unique<NoteOnEvent>(time, status, data1, data2);
        case 0xA0:
            return std::make_unique<AftertouchEvent>(time, status, data1, data2);
        case 0xB0:
            return std::make_unique<ControllerEvent>(time, status, data1, data2);
        case 0xC0:
            return std::make_unique<ProgramEvent>(time, status, data1, data2);
        case 0xD0:
            return std::make_unique<ChannelPressureEvent>(time, status, data1, data2);
        case 0xE0:
            return std::make_unique<PitchWheelEvent>(time, status, data1, data2);
        default:
            return std::make_unique<ChannelEvent>(time, status, data1, data2);
    }
}

// --- System exclusive -------------------------------------------------------

void SysExEvent::describe(std::string& line) const {
    Append(line, "%6ld SysEx           : data = [%u]", Time(*this), length);
    static constexpr char kHex[] = "0123456789ABCDEF";
    line.reserve(line.size() + std::size_t{length} * 5);
    for (const std::uint8_t byte : payload()) {
        const char hex[5] = {' ', '0', 'x', kHex[byte >> 4], kHex[byte & 0x0F]};
        line.append(hex, sizeof hex);
    }
}

void StrangeSysExEvent::describe(std::string& line) const {
    Append(line, "%6ld Strange SysEx   : data = [%u] ", Time(*this), length);
    line.append(text());
}

// --- Meta events ------------------------------------------------------------

void MetaEvent::describe(std::string& line) const {
    Append(line, "%6ld Meta Event      : type = 0x%2x data = [%u] ", Time(*this), metaType & 0xFF,
           length);
    line.append(text());
}

void EndOfTrackEvent::describe(std::string& line) const {
    Append(line, "%6ld End of Track    : ", Time(*this));
}

void TextEvent::describe(std::string& line) const {
    DescribeText(*this, "Text            ", line);
}

void CopyrightEvent::describe(std::string& line) const {
    DescribeText(*this, "Copyright       ", line);
}

void LyricEvent::describe(std::string& line) const {
    DescribeText(*this, "Lyric           ", line);
}

void TrackNameEvent::describe(std::string& line) const {
    DescribeText(*this, "Track Name      ", line);
}

TempoEvent::TempoEvent(double bpm) : TempoEvent() {
    metaType = 0x51;
    const std::uint8_t placeholder[3] = {};
    setPayload(placeholder);
    setValue(static_cast<std::int32_t>(60000000.0 / bpm));
}

std::int32_t TempoEvent::value() const {
    return (data[0] << 16) | (data[1] << 8) | data[2];
}

void TempoEvent::setValue(std::int32_t microsecondsPerQuarter) {
    data[0] = static_cast<std::uint8_t>(microsecondsPerQuarter >> 16);
    data[1] = static_cast<std::uint8_t>(microsecondsPerQuarter >> 8);
    data[2] = static_cast<std::uint8_t>(microsecondsPerQuarter);
}

void TempoEvent::describe(std::string& line) const {
    const std::int32_t microseconds = value();
    Append(line, "%6ld Tempo change    : %ld msec/quarter %.1f bpm", Time(*this),
           static_cast<long>(microseconds), 60000000.0 / microseconds);
}

TimeSignatureEvent::TimeSignatureEvent(int numerator, int denominator, int clocks,
                                       int thirtySeconds)
    : TimeSignatureEvent() {
    metaType = 0x58;
    int exponent = 0;
    for (int d = denominator; d > 1; d /= 2) {
        ++exponent;
    }
    const std::uint8_t bytes[] = {
        static_cast<std::uint8_t>(numerator), static_cast<std::uint8_t>(exponent),
        static_cast<std::uint8_t>(clocks), static_cast<std::uint8_t>(thirtySeconds)};
    setPayload(bytes);
}

void TimeSignatureEvent::describe(std::string& line) const {
    Append(line, "%6ld Time signature  : %d/%lld, %d Midi clocks/click, %d 32nd/quarter [%u]",
           Time(*this), numerator(), static_cast<long long>(denominator()), clocks(),
           thirtySeconds(), length);
}

KeySignatureEvent::KeySignatureEvent(int sharpsFlats, int minor) : KeySignatureEvent() {
    metaType = 0x59;
    const int stored = (sharpsFlats < -7 || sharpsFlats > 7) ? 0 : sharpsFlats;
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(stored),
                                  static_cast<std::uint8_t>(minor != 0 ? 1 : 0)};
    setPayload(bytes);
}

void KeySignatureEvent::describe(std::string& line) const {
    Append(line, "%6ld Key signature   : Key of %s (%d) %s", Time(*this),
           KeySignatureName(sharpsFlats()), sharpsFlats(), minorText());
}

const char* KeySignatureName(int sharpsFlats) {
    static constexpr const char* kNames[] = {"Cb", "Gb", "Db", "Ab", "Eb", "Bb", "F", "C",
                                             "G",  "D",  "A",  "E",  "B",  "F#", "C#"};
    if (sharpsFlats < -7 || sharpsFlats > 7) {
        return "?";
    }
    return kNames[sharpsFlats + 7];
}

std::string KeyName(int sharpsFlats, bool minor) {
    // The relative minor's tonic lies three fifths further round the circle.
    static constexpr const char* kMinorNames[] = {"Ab", "Eb", "Bb", "F",  "C",  "G",  "D", "A",
                                                  "E",  "B",  "F#", "C#", "G#", "D#", "A#"};
    if (sharpsFlats < -7 || sharpsFlats > 7) {
        return "?";
    }
    return minor ? std::string(kMinorNames[sharpsFlats + 7]) + "m" : KeySignatureName(sharpsFlats);
}

std::string KeySignatureEvent::keyName() const {
    return KeyName(sharpsFlats(), minor());
}

int TransposedSharpsFlats(int sharpsFlats, int semitones) {
    if (sharpsFlats < -7 || sharpsFlats > 7 || semitones % 12 == 0) {
        return sharpsFlats;
    }
    // A semitone up is seven fifths round the circle: keys 12 fifths apart
    // sound the same, so the result is taken into -5..6 and then spelled.
    int moved = ((sharpsFlats + 7 * semitones) % 12 + 12) % 12;
    if (moved > 6) {
        moved -= 12;
    }
    return moved == 6 && sharpsFlats <= 0 ? -6 : moved;
}

std::unique_ptr<MidiEvent> CreateMetaEvent(std::int32_t time, int type,
                                           std::unique_ptr<std::uint8_t[]> terminatedPayload,
                                           std::uint32_t length) {
    std::unique_ptr<MidiEvent> event;
    switch (type) {
        case 0x01:
            event = MakeMeta<TextEvent>(std::move(terminatedPayload), length);
            break;
        case 0x02:
            event = MakeMeta<CopyrightEvent>(std::move(terminatedPayload), length);
            break;
        case 0x03:
            event = MakeMeta<TrackNameEvent>(std::move(terminatedPayload), length);
            break;
        case 0x05:
            event = MakeMeta<LyricEvent>(std::move(terminatedPayload), length);
            break;
        case 0x2F:
            event = MakeMeta<EndOfTrackEvent>(std::move(terminatedPayload), length);
            break;
        case 0x51:
            event = length >= 3 ? MakeMeta<TempoEvent>(std::move(terminatedPayload), length)
                                : MakeMeta<MetaEvent>(std::move(terminatedPayload), length);
            break;
        case 0x58:
            event = length >= 4 ? MakeMeta<TimeSignatureEvent>(std::move(terminatedPayload), length)
                                : MakeMeta<MetaEvent>(std::move(terminatedPayload), length);
            break;
        case 0x59:
            event = length >= 2 ? MakeMeta<KeySignatureEvent>(std::move(terminatedPayload), length)
                                : MakeMeta<MetaEvent>(std::move(terminatedPayload), length);
            break;
        default:
            event = MakeMeta<MetaEvent>(std::move(terminatedPayload), length);
            break;
    }
    event->time = time;
    event->metaType = static_cast<std::int16_t>(type);
    return event;
}

std::unique_ptr<MidiEvent> CreateMetaEvent(std::int32_t time, int type,
                                           std::span<const std::uint8_t> payload) {
    return CreateMetaEvent(time, type, TerminatedCopy(payload),
                           static_cast<std::uint32_t>(payload.size()));
}

}  // namespace tavrino
