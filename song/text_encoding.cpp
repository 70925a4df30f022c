#include "song/text_encoding.h"

#include <cstdint>

namespace tavrino {

namespace {

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the sequence a lead byte opens and the smallest and largest
// second byte allowed after it (which rules out overlong forms, surrogates
// and code points above U+10FFFF); 0 for a byte that cannot lead.
struct LeadByte {
    int length = 0;
    unsigned char secondLeast = 0x80;
    unsigned char secondMost = 0xBF;
};

LeadByte ClassifyLead(unsigned char byte) {
    if (byte >= 0xC2 && byte <= 0xDF) {
        return {2};
    }
    if (byte == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (byte == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (byte >= 0xE1 && byte <= 0xEF) {
        return {3};
    }
    if (byte == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (byte >= 0xF1 && byte <= 0xF3) {
        return {4};
    }
    if (byte == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    return {};
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    const std::size_t size = bytes.size();
    std::size_t i = 0;
    while (i < size) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            ++i;
            continue;
        }
        const LeadByte lead = ClassifyLead(byte);
        if (lead.length == 0 || size - i < static_cast<std::size_t>(lead.length)) {
            return false;
        }
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        if (second < lead.secondLeast || second > lead.secondMost) {
            return false;
        }
        for (int k = 2; k < lead.length; ++k) {
            if (!IsContinuation(static_cast<unsigned char>(bytes[i + k]))) {
                return false;
            }
        }
        i += static_cast<std::size_t>(lead.length);
    }
    return true;
}

bool SongTextIsUtf8(const MidiSong& song) {
    for (const auto& track : song.tracks) {
        if (!IsValidUtf8(track->name)) {
            return false;
        }
        for (const auto& event : track->events) {
            if (event->isTextOrLyric() && !IsValidUtf8(event->text())) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace tavrino
