#include "song/file_errors.h"

#include <cstring>

#include "song/midi_reader.h"
#include "song/midi_writer.h"

namespace tavrino {

namespace {

// The system's word for the failure, when it gave one.
std::string WithSystemReason(const char* text, int savedErrno) {
    return savedErrno == 0 ? text : std::string(text) + " (" + std::strerror(savedErrno) + ")";
}

}  // namespace

std::string ReadFailureReason(int result, const MidiSong& song, int savedErrno) {
    switch (result) {
        case kReadCannotOpen:
            return WithSystemReason("cannot open the file", savedErrno);
        case kReadBadHeader:
            return "not a Standard MIDI File (bad header)";
        default:
            return song.lastError.empty() ? "read error: the track data are damaged or cut short"
                                          : "read error: " + song.lastError;
    }
}

std::string WriteFailureReason(int result, int savedErrno) {
    if (result == kWriteNoTracks) {
        return "a song with no tracks cannot be saved";
    }
    return WithSystemReason("cannot write the file", savedErrno);
}

}  // namespace tavrino
